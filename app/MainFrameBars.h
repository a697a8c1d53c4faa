// The windows that float around the board and come and go with it: the two toolbars, the
// page-number panel and the page list, plus the tray menu. The frame creates them at its own
// creation and drives them through here.
#pragma once

#include <windows.h>

class CFrameWnd;
class CToolBarEx;
struct ToolSettingsRef;

class CMainFrameBars {
public:
    CMainFrameBars();
    ~CMainFrameBars();
    CMainFrameBars(const CMainFrameBars&) = delete;
    CMainFrameBars& operator=(const CMainFrameBars&) = delete;

    // The toolbars; false fails the frame's creation.
    bool CreateToolbars(CFrameWnd& frame, ToolSettingsRef& settings);
    // The panel and the page list, both hidden.
    void CreateStatusPanel(CFrameWnd& frame, const RECT& board, const ToolSettingsRef& settings);
    void CreatePageList(CFrameWnd& frame);

    void ShowToolbars(bool main, bool more);
    // Puts the visible bars, the panel and the page list back above the board: some window
    // systems raise an activated window over the windows it owns.
    void KeepAboveBoard();
    void ApplyButtonSet(int currentTool);

    void ShowStatusPanel(bool show);
    void SetLabelRect(const RECT& board);
    void SetPages(int n, int count);
    void RefreshStatusPanel();
    // The page number the panel shows.
    int StatusPage() const;

    bool IsPageListShown() const;
    void ShowPageList(bool show);
    void RefreshPageList(bool erase);
    void ScrollPageListToCurrent();
    void OnBoardMouseMove(int x, int y, int drawing);

    // The three-item tray menu at the cursor; the choice arrives at the owner as a command.
    void TrackTrayMenu(HWND owner);

    HWND StatusPanelWindow() const;
    HWND PageListWindow() const;
    CToolBarEx& MainBar();
    CToolBarEx& MoreBar();

private:
    struct Parts;
    Parts* m_pParts;
};
