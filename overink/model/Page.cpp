#include "overink/model/Page.h"

CPage::~CPage()
{
    while (m_pFirst) {
        CShape* next = m_pFirst->m_pNext;
        delete m_pFirst;
        m_pFirst = next;
    }
}

int CPage::Elapsed() const
{
    return m_bTicked ? static_cast<int>(::GetTickCount() - m_dwLastTick) : 0;
}

void CPage::BeginShape(int kind, int x, int y, int width, COLORREF colour, int eraser, int layer,
                       int brush, int eraserShape)
{
    CShape* shape;
    switch (kind) {
    case KIND_STROKE:
        shape = new CStroke(eraserShape);
        break;
    case KIND_LINE:
        shape = new CLine;
        break;
    case KIND_CIRCLE:
        shape = new CCircle;
        break;
    case KIND_RECTANGLE:
        shape = new CRectangle;
        break;
    default:
        return;
    }
    shape->m_nType = kind;
    if (m_pLast)
        m_pLast->m_pNext = shape;
    else
        m_pFirst = shape;
    m_pLast = shape;
    m_pCurrent = shape;
    shape->BeginDraw(x, y, width, colour, Elapsed(), eraser, layer, brush);
    m_dwLastTick = ::GetTickCount();
    m_bTicked = true;
}

// A finished shape takes no more input: after an undo in the middle of a gesture the current
// shape is the one before, and the rest of the gesture must not extend or redraw it.
void CPage::DragShape(int x, int y, HDC dcA, HDC dcB)
{
    if (!m_pCurrent || m_pCurrent->IsFinished())
        return;
    m_pCurrent->DragTo(x, y, dcA, dcB);
    m_dwLastTick = ::GetTickCount();
    m_bTicked = true;
}

void CPage::EndShape(int x, int y, HDC dcA, HDC dcB)
{
    if (m_pCurrent && !m_pCurrent->IsFinished())
        m_pCurrent->FinishDraw(x, y, dcA, dcB);
}

int CPage::UndoLast(short* layer, RECT* rect)
{
    if (!m_pLast)
        return 0;
    CShape* last = m_pLast;
    *layer = last->m_nLayer;
    last->GetBoundRect(rect);

    CShape* before = nullptr;
    for (CShape* shape = m_pFirst; shape != last; shape = shape->m_pNext)
        before = shape;
    if (before)
        before->m_pNext = nullptr;
    else
        m_pFirst = nullptr;
    m_pLast = before;
    if (m_pCurrent == last)
        m_pCurrent = before;
    delete last;
    return 1;
}
