// The whiteboard's main window and the switch between the two surfaces. Hidden while the
// desktop annotation library owns the screen; shown full screen and top-most, with its floating
// toolbars, page-number panel and page list, while the presenter works on the board. It owns the
// tray icon and runs the close sequence, which offers to save a changed board.
#pragma once

#include "app/Notify.h"
#include "app/ToolLibraries.h"
#include "framework/Frame.h"
#include "view/BoardView.h"

#include <functional>
#include <memory>

class CBoardDoc;
class CMainFrameBars;

class CMainFrame : public CFrameWnd, private CBoardViewListener {
public:
    CMainFrame();
    ~CMainFrame() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CToolLibraries& ToolLibraries() { return m_toolLibraries; }
    CBoardView* GetBoardView() const;
    CBoardDoc* GetBoardDoc() const;

    void ShowBoard();
    void HideBoard();
    void ShowToolbars(int show);
    void UpdateStatusPanel();

    // The bars, the panel and the page list, for the frame's own use and for tests.
    CMainFrameBars& Bars() { return *m_pBars; }
    int IsBoardShownOnce() const { return m_bBoardShownOnce; }
    int IsClosing() const { return m_bClosing; }

    // The save check's question; replaceable so tests can answer it.
    std::function<int()> m_askToSave;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnClose() override;
    bool HandleCommand(UINT id, CCmdUI* ui) override;

private:
    // CBoardViewListener
    void OnBoardMouseMove(int x, int y, int drawing) override;
    void RefreshPageList(bool erase) override;
    void RefreshStatusPanel() override;
    void CloseColourSheet() override;

    // 1 to close, 0 to keep running.
    int RunSaveCheck();
    void OnTrayNotify(LPARAM mouseMessage);
    void OnPowerBroadcast(WPARAM event);

    // Commands.
    void OnViewList();
    void OnInteractiveMode();
    void OnFastPenSet();
    void OnAccuratePenSet();
    void OnHighlight();
    void OnToggleEraser();
    void OnTogglePen();
    void OnShapeFreeform();
    void OnShapeLine();
    void OnShapeCircle();
    void OnShapeRectangle();
    void OnClearPage();
    void OnDeletePage();
    void OnBackgroundPicture();
    void OnBackgroundCycle();
    void OnNewPage();
    void OnCopyLastPage();
    void OnUndo();
    void OnRedo();
    void OnSaveBoard();
    void OnMoreTools();
    void OnScreenShade();
    void OnSpotlight();
    void OnMinimizeToolbar();
    void OnTrayExit();

    void OnUpdateViewList(CCmdUI& ui);
    void OnUpdateHighlight(CCmdUI& ui);
    void OnUpdateToolToggle(CCmdUI& ui);
    void OnUpdateTogglePen(CCmdUI& ui);
    void OnUpdateShapeFreeform(CCmdUI& ui);
    void OnUpdateShapeLine(CCmdUI& ui);
    void OnUpdateShapeCircle(CCmdUI& ui);
    void OnUpdateShapeRectangle(CCmdUI& ui);
    void OnUpdateCopyLastPage(CCmdUI& ui);
    void OnUpdateUndo(CCmdUI& ui);
    void OnUpdateRedo(CCmdUI& ui);
    void OnUpdateMoreTools(CCmdUI& ui);
    void OnUpdateAlwaysEnabled(CCmdUI& ui);

    void SelectShape(int shape);
    void CheckShape(CCmdUI& ui, int shape);
    void ApplyButtonSet();

    CNotify m_trayIcon;
    CToolLibraries m_toolLibraries;
    RECT m_rectScreen{};
    int m_bClosing = 0;
    std::unique_ptr<CMainFrameBars> m_pBars;
    int m_bBoardShownOnce = 0;
};

// The one main frame of the process, or null before it is constructed and after it is gone.
extern CMainFrame* g_pMainFrame;
