// The page of desktop annotations: the shapes in drawing order, the one being drawn, and undo of
// the last one. The page owns its shapes.
#pragma once

#include "overink/model/Shape.h"

class CPage {
public:
    CPage() = default;
    virtual ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    // Creates a shape of the kind (0 stroke, 1 line, 2 circle, 3 rectangle), appends it, makes it
    // current and begins it. Other kinds are ignored.
    void BeginShape(int kind, int x, int y, int width, COLORREF colour, int eraser, int layer,
                    int brush, int eraserShape);
    // Both go to the current shape while it is being drawn; once finished it ignores them.
    void DragShape(int x, int y, HDC dcA, HDC dcB);
    void EndShape(int x, int y, HDC dcA, HDC dcB);
    // Removes the last shape and gives its layer and bounding rectangle; 0 on an empty page.
    int UndoLast(short* layer, RECT* rect);
    bool IsEmpty() const { return m_pFirst == nullptr; }

    // Walking the shapes in drawing order.
    CShape* GetFirst() const { return m_pFirst; }
    CShape* GetCurrent() const { return m_pCurrent; }

private:
    int Elapsed() const;

    CShape* m_pFirst = nullptr;
    CShape* m_pLast = nullptr;
    CShape* m_pCurrent = nullptr;
    DWORD m_dwLastTick = 0;
    bool m_bTicked = false;
};
