// The whiteboard's main window. Hidden while the desktop annotation library owns the screen;
// the close sequence starts here whether the request comes from the tray or from the library.
#pragma once

#include "app/ToolLibraries.h"
#include "framework/Frame.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CToolLibraries& ToolLibraries() { return m_toolLibraries; }

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnClose() override;

private:
    CToolLibraries m_toolLibraries;
    RECT m_rectScreen{};
    int m_bClosing = 0;
};

// The one main frame of the process, or null before it is constructed and after it is gone.
extern CMainFrame* g_pMainFrame;
