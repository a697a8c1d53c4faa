#include "framework/View.h"

#include "framework/Document.h"
#include "framework/Handles.h"

bool CView::Create(CWnd* frame, CDocument* document)
{
    m_pDocument = document;
    RECT client{};
    ::GetClientRect(HandleOf(frame), &client);

    CREATESTRUCTA cs{};
    cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    cs.dwExStyle = 0;
    cs.lpszClass = RegisterClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    cs.cx = client.right;
    cs.cy = client.bottom;
    PreCreateWindow(cs);

    RECT rect{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    if (!CreateEx(cs.dwExStyle, cs.lpszClass, "", cs.style, rect, HandleOf(frame),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDW_PANE_FIRST))))
        return false;
    if (document)
        document->SetView(this);
    return true;
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        OnDraw(dc.Get());
        return 0;
    }
    case WM_NCDESTROY:
        if (m_pDocument && m_pDocument->GetView() == this)
            m_pDocument->SetView(nullptr);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CView::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (HandleCommand(id, ui))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, ui);
}
