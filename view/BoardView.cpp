#include "view/BoardView.h"

void CBoardView::OnDraw(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}
