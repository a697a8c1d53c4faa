// The view: a child window filling the frame's client area, drawing its document.
#pragma once

#include "framework/Wnd.h"

class CDocument;

class CView : public CWnd {
public:
    // Child id of the view inside its frame.
    static constexpr UINT IDW_PANE_FIRST = 0xE900;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate() { OnUpdate(nullptr); }
    virtual void OnUpdate(CView* sender) { (void)sender; Invalidate(true); }

    // Creates the view window as a child of the frame, attached to the document.
    bool Create(CWnd* frame, CDocument* document);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The view's own commands first, then the document's.
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    virtual void OnDraw(HDC dc) = 0;
    // Adjusts the creation parameters (styles, class) before the window is created.
    virtual void PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; }

private:
    CDocument* m_pDocument = nullptr;
};
