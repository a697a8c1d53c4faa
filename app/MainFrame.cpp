#include "app/MainFrame.h"

#include "app/EboardApp.h"
#include "app/AboutDlg.h"
#include "app/MainFrameBars.h"
#include "app/XPMenu.h"
#include "app/resource.h"
#include "board/BoardDoc.h"
#include "framework/Handles.h"

#include <imm.h>

#include <cstring>

CMainFrame* g_pMainFrame = nullptr;

namespace {

constexpr UINT_PTR WINDOWS_KEY_LEFT = 0x5B;
constexpr UINT_PTR WINDOWS_KEY_RIGHT = 0x5C;
constexpr DWORD RETURN_TO_DESKTOP_WAIT_MS = 200;

RECT ScreenRect()
{
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

ToolSettingsRef& Settings()
{
    return GetEboardApp()->Settings();
}

ToolSettings* Record()
{
    return Settings().Record();
}

COverinkBinding& Overink()
{
    return GetEboardApp()->Overink();
}

} // namespace

CMainFrame::CMainFrame() : m_rectScreen(ScreenRect()), m_pBars(std::make_unique<CMainFrameBars>())
{
    g_pMainFrame = this;
    m_askToSave = [this] {
        CBoardDoc* doc = GetBoardDoc();
        return doc ? doc->AskToSaveChanges() : IDNO;
    };
}

CMainFrame::~CMainFrame()
{
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

CBoardView* CMainFrame::GetBoardView() const
{
    return static_cast<CBoardView*>(GetActiveView());
}

CBoardDoc* CMainFrame::GetBoardDoc() const
{
    return static_cast<CBoardDoc*>(GetActiveDocument());
}

// ---- Creation ----

void CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszName = GetEboardApp()->GetTitle().c_str();
    cs.hMenu = nullptr;
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    ModifyStyle(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CAPTION | WS_BORDER, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    if (ToolSettings* record = Record())
        record->ownProcessId = static_cast<int>(::GetCurrentProcessId());

    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!m_pBars->CreateToolbars(*this, Settings()))
        return -1;
    RECT board = m_rectScreen;
    if (CBoardView* view = GetBoardView())
        board = view->m_rectBoard;
    m_pBars->CreateStatusPanel(*this, board, Settings());
    m_trayIcon.SetUp(m_hWnd);
    m_trayIcon.Add();
    m_pBars->CreatePageList(*this);
    m_toolLibraries.LoadToolLibraries();
    if (CBoardView* view = GetBoardView()) {
        view->SetListener(this);
        m_pBars->SetLabelRect(view->m_rectBoard);
    }

    // The board takes pen input; an input method must not intercept it.
    ::ImmAssociateContext(m_hWnd, nullptr);
    ::SetWindowPos(m_hWnd, nullptr, -200, -200, 10, 10,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return 0;
}

// ---- The two surfaces ----

void CMainFrame::ShowBoard()
{
    bool shownBefore = m_bBoardShownOnce != 0;
    m_bBoardShownOnce = 1;
    if (CBoardView* view = GetBoardView())
        view->TakeDesktopSnapshot();
    Settings().SetSurface(SURFACE_BOARD);
    ShowWindow(SW_SHOW);
    m_pBars->ShowStatusPanel(true);
    if (!shownBefore)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, m_rectScreen.right - m_rectScreen.left,
                       m_rectScreen.bottom - m_rectScreen.top, 0);
    ::SetActiveWindow(m_hWnd);
    ShowToolbars(1);
    // The board has just been raised; the page-number panel floats above it.
    m_pBars->ShowStatusPanel(true);
    UpdateStatusPanel();
}

void CMainFrame::HideBoard()
{
    m_toolLibraries.CloseSheet();
    m_pBars->ShowPageList(false);
    m_toolLibraries.ShowUmbrata(0);
    m_toolLibraries.ShowBeamora(0);
    ShowToolbars(0);
    m_pBars->ShowStatusPanel(false);
    ShowWindow(SW_HIDE);
}

void CMainFrame::ShowToolbars(int show)
{
    const ToolSettings* record = Record();
    if (show && record)
        m_pBars->ShowToolbars(record->boardToolbarVisible == 1, record->moreToolbarVisible == 1);
    else
        m_pBars->ShowToolbars(false, false);
}

void CMainFrame::UpdateStatusPanel()
{
    CBoardDoc* doc = GetBoardDoc();
    if (doc)
        m_pBars->SetPages(doc->IndexOfCurrentPage() + 1, doc->CountPages());
}

// ---- What the board view tells the frame ----

void CMainFrame::OnBoardMouseMove(int x, int y, int drawing)
{
    m_pBars->OnBoardMouseMove(x, y, drawing);
}

void CMainFrame::RefreshPageList(bool erase)
{
    m_pBars->RefreshPageList(erase);
}

void CMainFrame::RefreshStatusPanel()
{
    m_pBars->RefreshStatusPanel();
}

void CMainFrame::CloseColourSheet()
{
    m_toolLibraries.CloseSheet();
}

// ---- Closing ----

void CMainFrame::OnClose()
{
    if (m_bClosing)
        return;
    m_bClosing = 1;
    if (Settings().IsBoardChanged() == 1) {
        if (!RunSaveCheck()) {
            m_bClosing = 0;
            return;
        }
        Settings().SetBoardChanged(0);
    }
    CFrameWnd::OnClose();
}

int CMainFrame::RunSaveCheck()
{
    ToolSettings* record = Record();
    int trayMenu = record ? record->trayMenuEnabled : 1;
    if (record)
        record->trayMenuEnabled = 0;
    bool onBoard = Settings().GetSurface() == SURFACE_BOARD;
    if (onBoard)
        HideBoard();
    else
        Overink().ShowDraw(0);

    int close = 0;
    if (CBoardDoc* doc = GetBoardDoc())
        doc->SetTimeStampTitle();
    switch (m_askToSave()) {
    case IDNO:
        close = 1;
        break;
    case IDYES: {
        // Saving writes the pages as pictures; until that exists, the save writes nothing and
        // counts as done.
        close = 1;
        break;
    }
    default:
        break;
    }
    if (!close) {
        if (onBoard)
            ShowBoard();
        else
            Overink().ShowDraw(1);
    }
    if (record)
        record->trayMenuEnabled = trayMenu;
    return close;
}

// ---- Messages ----

void CMainFrame::OnTrayNotify(LPARAM mouseMessage)
{
    const ToolSettings* record = Record();
    if (!record || record->trayMenuEnabled != 1)
        return;
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN)
        return;
    Overink().ShowDraw(1);
    m_pBars->TrackTrayMenu(m_hWnd);
}

void CMainFrame::OnPowerBroadcast(WPARAM event)
{
    const ToolSettings* record = Record();
    if (!record || Settings().GetSurface() != SURFACE_DESKTOP)
        return;
    // Only the oldest systems lose the overlay's layers across a sleep.
    if (!std::strstr(record->osName, "WindowsXP") && !std::strstr(record->osName, "Windows2000"))
        return;
    if (event == PBT_APMQUERYSUSPEND)
        Overink().DoForSleep(1);
    else if (event == PBT_APMRESUMESUSPEND)
        Overink().DoForSleep(0);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOW_WHITEBOARD:
        if (ToolSettings* record = Record())
            record->trayMenuEnabled = 0;
        ShowBoard();
        return 0;
    case WM_TRAY_NOTIFY:
        OnTrayNotify(lParam);
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (CXPMenu::RouteOwnerDraw(message, wParam, lParam))
            return TRUE;
        break;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam);
        break;
    case WM_ACTIVATE: {
        LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE && Settings().GetSurface() == SURFACE_BOARD)
            m_pBars->KeepAboveBoard();
        return result;
    }
    case WM_SIZE:
        CFrameWnd::WindowProc(message, wParam, lParam);
        m_rectScreen = ScreenRect();
        return 0;
    case WM_DESTROY:
        m_toolLibraries.UnloadToolLibraries();
        m_trayIcon.Delete();
        break;
    case WM_NCHITTEST: {
        LRESULT hit = CFrameWnd::WindowProc(message, wParam, lParam);
        return hit == HTCAPTION ? HTBORDER : hit;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == WINDOWS_KEY_LEFT || wParam == WINDOWS_KEY_RIGHT)
            return 0;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);   // the view covers the client area
        return 0;
    }
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

// ---- Commands ----

bool CMainFrame::HandleCommand(UINT id, CCmdUI* ui)
{
    using F = CMainFrame;
    static const CommandEntry<CMainFrame> commands[] = {
        {ID_VIEW_LIST, &F::OnViewList, &F::OnUpdateViewList},
        {ID_INTERACTIVE_MODE, &F::OnInteractiveMode, nullptr},
        {ID_FAST_PEN_SET, &F::OnFastPenSet, nullptr},
        {ID_ACCURATE_PEN_SET, &F::OnAccuratePenSet, nullptr},
        {ID_HIGHLIGHT, &F::OnHighlight, &F::OnUpdateHighlight},
        {ID_TOGGLE_ERASER, &F::OnToggleEraser, &F::OnUpdateToolToggle},
        {ID_TOGGLE_PEN, &F::OnTogglePen, &F::OnUpdateTogglePen},
        {ID_SHAPE_FREEFORM, &F::OnShapeFreeform, &F::OnUpdateShapeFreeform},
        {ID_SHAPE_FREEFORM_B, &F::OnShapeFreeform, &F::OnUpdateShapeFreeform},
        {ID_SHAPE_LINE, &F::OnShapeLine, &F::OnUpdateShapeLine},
        {ID_SHAPE_LINE_B, &F::OnShapeLine, &F::OnUpdateShapeLine},
        {ID_SHAPE_CIRCLE, &F::OnShapeCircle, &F::OnUpdateShapeCircle},
        {ID_SHAPE_CIRCLE_B, &F::OnShapeCircle, &F::OnUpdateShapeCircle},
        {ID_SHAPE_RECTANGLE, &F::OnShapeRectangle, &F::OnUpdateShapeRectangle},
        {ID_SHAPE_RECTANGLE_B, &F::OnShapeRectangle, &F::OnUpdateShapeRectangle},
        {ID_CLEAR_PAGE, &F::OnClearPage, nullptr},
        {ID_DELETE_PAGE, &F::OnDeletePage, nullptr},
        {ID_BACKGROUND_PICTURE, &F::OnBackgroundPicture, nullptr},
        {ID_BACKGROUND_CYCLE, &F::OnBackgroundCycle, nullptr},
        {ID_NEW_PAGE, &F::OnNewPage, nullptr},
        {ID_COPY_LAST_PAGE, &F::OnCopyLastPage, &F::OnUpdateCopyLastPage},
        {ID_UNDO, &F::OnUndo, &F::OnUpdateUndo},
        {ID_REDO, &F::OnRedo, &F::OnUpdateRedo},
        {ID_SAVE_BOARD, &F::OnSaveBoard, nullptr},
        {ID_MORE_TOOLS, &F::OnMoreTools, &F::OnUpdateMoreTools},
        {ID_FILE_PRINT_PREVIEW, nullptr, &F::OnUpdateAlwaysEnabled},
        {ID_FILE_PRINT, nullptr, &F::OnUpdateAlwaysEnabled},
        {ID_SCREEN_SHADE, &F::OnScreenShade, nullptr},
        {ID_SPOTLIGHT, &F::OnSpotlight, nullptr},
        {ID_MINIMIZE_TOOLBAR, &F::OnMinimizeToolbar, nullptr},
        {ID_TRAY_EXIT, &F::OnTrayExit, &F::OnUpdateAlwaysEnabled},
    };
    return DispatchCommand(this, commands, id, ui);
}

void CMainFrame::OnViewList()
{
    m_pBars->ShowPageList(!m_pBars->IsPageListShown());
}

void CMainFrame::OnUpdateViewList(CCmdUI& ui)
{
    ui.SetCheck(m_pBars->IsPageListShown() ? 1 : 0);
}

void CMainFrame::OnInteractiveMode()
{
    HideBoard();
    Settings().SetSurface(SURFACE_DESKTOP);
    if (ToolSettings* record = Record())
        record->trayMenuEnabled = 1;
    ::Sleep(RETURN_TO_DESKTOP_WAIT_MS);
    Overink().ShowDraw(1);
}

void CMainFrame::OnFastPenSet()
{
    if (ToolSettings* record = Record())
        record->penSheetKind = 2;
    m_toolLibraries.ShowColor(this, &Settings());
}

void CMainFrame::OnAccuratePenSet()
{
    if (ToolSettings* record = Record())
        record->penSheetKind = 1;
    m_toolLibraries.ShowColor(this, &Settings());
}

void CMainFrame::OnHighlight()
{
    Settings().SetCurrentTool(Settings().GetCurrentTool() == STYLE_HIGHLIGHTER ? STYLE_PEN
                                                                               : STYLE_HIGHLIGHTER);
    m_toolLibraries.UpdataPenSet();
}

void CMainFrame::OnToggleEraser()
{
    Settings().SetCurrentTool(STYLE_ERASER);
    m_toolLibraries.UpdataPenSet();
}

void CMainFrame::OnTogglePen()
{
    Settings().SetCurrentTool(STYLE_PEN);
    m_toolLibraries.UpdataPenSet();
}

void CMainFrame::ApplyButtonSet()
{
    m_pBars->ApplyButtonSet(Settings().GetCurrentTool());
}

void CMainFrame::OnUpdateHighlight(CCmdUI& ui)
{
    ui.SetCheck(Settings().GetCurrentTool() == STYLE_HIGHLIGHTER ? 1 : 0);
    ApplyButtonSet();
}

void CMainFrame::OnUpdateToolToggle(CCmdUI&)
{
    ApplyButtonSet();
}

void CMainFrame::OnUpdateTogglePen(CCmdUI& ui)
{
    ui.SetCheck(1);
    ApplyButtonSet();
}

void CMainFrame::SelectShape(int shape)
{
    Settings().SetCurrentShape(shape);
}

void CMainFrame::CheckShape(CCmdUI& ui, int shape)
{
    ui.SetCheck(Settings().GetCurrentShape() == shape ? 1 : 0);
}

void CMainFrame::OnShapeFreeform() { SelectShape(SHAPE_STROKE); }
void CMainFrame::OnShapeLine() { SelectShape(SHAPE_LINE); }
void CMainFrame::OnShapeCircle() { SelectShape(SHAPE_CIRCLE); }
void CMainFrame::OnShapeRectangle() { SelectShape(SHAPE_RECTANGLE); }
void CMainFrame::OnUpdateShapeFreeform(CCmdUI& ui) { CheckShape(ui, SHAPE_STROKE); }
void CMainFrame::OnUpdateShapeLine(CCmdUI& ui) { CheckShape(ui, SHAPE_LINE); }
void CMainFrame::OnUpdateShapeCircle(CCmdUI& ui) { CheckShape(ui, SHAPE_CIRCLE); }
void CMainFrame::OnUpdateShapeRectangle(CCmdUI& ui) { CheckShape(ui, SHAPE_RECTANGLE); }

void CMainFrame::OnClearPage()
{
    if (CBoardView* view = GetBoardView())
        view->ClearPage();
}

void CMainFrame::OnDeletePage()
{
    if (CBoardView* view = GetBoardView())
        view->DeletePage();
    UpdateStatusPanel();
}

void CMainFrame::OnBackgroundPicture()
{
    if (CBoardView* view = GetBoardView())
        view->SelectBackgroundPicture();
    m_pBars->RefreshPageList(true);
}

void CMainFrame::OnBackgroundCycle()
{
    if (CBoardView* view = GetBoardView())
        view->CycleBackground();
    m_pBars->RefreshPageList(true);
}

void CMainFrame::OnNewPage()
{
    if (CBoardView* view = GetBoardView())
        view->AddPage();
    UpdateStatusPanel();
    m_pBars->ScrollPageListToCurrent();
}

void CMainFrame::OnCopyLastPage()
{
    if (CBoardView* view = GetBoardView())
        view->CopyFromLastPage();
    UpdateStatusPanel();
}

void CMainFrame::OnUpdateCopyLastPage(CCmdUI& ui)
{
    ui.Enable(true);
}

void CMainFrame::OnUndo()
{
    if (CBoardView* view = GetBoardView())
        view->Undo();
}

void CMainFrame::OnRedo()
{
    if (CBoardView* view = GetBoardView())
        view->Redo();
}

void CMainFrame::OnUpdateUndo(CCmdUI& ui)
{
    CBoardView* view = GetBoardView();
    ui.Enable(view && view->CanUndo() == 1);
}

void CMainFrame::OnUpdateRedo(CCmdUI& ui)
{
    CBoardView* view = GetBoardView();
    ui.Enable(view && view->CanRedo() == 1);
}

void CMainFrame::OnSaveBoard()
{
    HideBoard();
    if (CBoardDoc* doc = GetBoardDoc())
        doc->SetTimeStampTitle();
    ShowBoard();
}

void CMainFrame::OnMoreTools()
{
    if (ToolSettings* record = Record())
        record->moreToolbarVisible = record->moreToolbarVisible ? 0 : 1;
    ShowToolbars(1);
}

void CMainFrame::OnUpdateMoreTools(CCmdUI& ui)
{
    const ToolSettings* record = Record();
    ui.SetCheck(record && record->moreToolbarVisible == 1 ? 1 : 0);
}

void CMainFrame::OnUpdateAlwaysEnabled(CCmdUI& ui)
{
    ui.Enable(true);
}

void CMainFrame::OnScreenShade()
{
    m_toolLibraries.StartUmbrata(this);
}

void CMainFrame::OnSpotlight()
{
    m_toolLibraries.StartBeamora(this);
}

void CMainFrame::OnMinimizeToolbar()
{
    Overink().ShowDraw(0);
}

void CMainFrame::OnTrayExit()
{
    ::SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
}
