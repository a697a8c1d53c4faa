#include "overink/DeskTopDlg.h"

#include "framework/Handles.h"
#include <windowsx.h>
#include "framework/Layered.h"
#include "framework/Module.h"
#include "overink/DeskMainDlg.h"
#include "overink/Globals.h"
#include "overink/PageKeys.h"
#include "overink/resource.h"

namespace {

// WS_EX_TRANSPARENT and bit 0x02: clicks pass through while the presenter uses the mouse.
constexpr DWORD OVERLAY_PASS_THROUGH = 0x22;
constexpr BYTE OVERLAY_OPACITY = 5;

// The spotlight and the shade hold these while they are open.
const char* const TOOL_MUTEXES[] = {"Beamora for Inkvane", "Umbrata for Inkvane"};

} // namespace

CDeskTopDlg::CDeskTopDlg() : CDialog(IDD_OVERLAY), m_toolDlg(this) {}

BOOL CDeskTopDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(DRAW_DIALOG_TITLE);
    m_penLayer.Create(this);
    m_highlightLayer.Create(this);
    m_toolDlg.Create(this);
    m_libraries.Load();
    m_pPage = std::make_unique<CPage>();
    UpdateToolButtons();
    return TRUE;
}

LRESULT CDeskTopDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CDialog::WindowProc(message, wParam, lParam) == -1)
            return -1;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        ModifyStyleEx(0, OVERLAY_PASS_THROUGH);
        return 0;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT clip{};
        ::GetClipBox(dc, &clip);
        ::FillRect(dc, &clip, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);
        return 0;
    }
    case WM_SETCURSOR:
        if (OnSetCursor())
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        if (m_bInputOff)
            return 0;
        OnPenDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_MOUSEMOVE:
        if (m_bInputOff || !m_bButtonDown)
            return 0;
        OnPenMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONUP:
        if (m_bInputOff || !m_bButtonDown)
            return 0;
        OnPenUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_CLOSE:
        NotifyHost(DRAWCB_CLOSE);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER))
            KeepPaletteOnTop();
        break;
    case WM_DRAW_SHOW:
        ShowAll(TRUE);
        return 0;
    case WM_DRAW_RESERVED:
        return 0;
    case WM_TOOLS_CHANGED:
        CountRunningTools();
        UpdateToolButtons();
        return 0;
    case WM_DESTROY:
        m_libraries.Free();
        m_pPage.reset();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CDeskTopDlg::ShowLayer(bool show)
{
    if (show) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        FwSetLayeredWindowAttributes(m_hWnd, 0, OVERLAY_OPACITY, LWA_ALPHA);
        // Shown without activation, like the layers: it never needs the keyboard.
        ShowWindow(SW_SHOWNA);
        return;
    }
    ShowWindow(SW_HIDE);
    if (::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED)
        ModifyStyleEx(WS_EX_LAYERED, 0);
}

void CDeskTopDlg::KeepPaletteOnTop()
{
    // The palette must stay above the overlay that owns it, or the overlay takes its clicks.
    // Windows keeps owned windows above their owner by itself; Wine does not always (activation
    // of an owned window can raise the owner over it), so the overlay says so whenever it moves.
    if (m_toolDlg.m_hWnd && m_toolDlg.IsWindowVisible())
        ::SetWindowPos(m_toolDlg.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CDeskTopDlg::ShowAll(BOOL show)
{
    if (show) {
        Settings().SetSurface(SURFACE_DESKTOP);
        if (Settings().GetWorkMode() == WORK_DRAW && !m_bSleeping && !m_nToolsRunning)
            SetDrawingShown(TRUE);
        // Not hidden from here on: showing the palette can paint its buttons at once, and a
        // pending wake-up served by that paint must find the library shown.
        m_bHidden = 0;
        m_toolDlg.ShowWindow(SW_SHOW);
        if (g_pDeskMainDlg)
            g_pDeskMainDlg->ShowWindow(SW_SHOW);
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        KeepPaletteOnTop();
        return;
    }
    m_libraries.ShowUmbrata(0);
    m_libraries.ShowBeamora(0);
    m_toolDlg.ShowWindow(SW_HIDE);
    SetDrawingShown(FALSE);
    m_libraries.CloseSheet();
    if (g_pDeskMainDlg)
        g_pDeskMainDlg->ShowWindow(SW_HIDE);
    m_bHidden = 1;
    m_nToolsRunning = 0;
    // The host relies on the screen being clear when this returns (it may capture it next).
    ::Sleep(500);
}

void CDeskTopDlg::SetDrawingShown(BOOL show)
{
    CountRunningTools();
    if (show) {
        m_toolDlg.ShowWindow(SW_HIDE);
        m_highlightLayer.ShowLayer(true);
        m_penLayer.ShowLayer(true);
        // The palette comes back last, over the overlay that owns it: Wine stacks its windows in
        // the order they are shown, and an overlay shown after the palette would take its clicks.
        ShowLayer(true);
        m_toolDlg.ShowWindow(SW_SHOW);
        KeepPaletteOnTop();
    } else {
        ShowLayer(false);
        m_highlightLayer.ShowLayer(false);
        m_penLayer.ShowLayer(false);
    }
    UpdateToolButtons();
}

BOOL CDeskTopDlg::EnableAll(BOOL enable)
{
    ::EnableWindow(m_toolDlg.m_hWnd, enable);
    ::EnableWindow(m_penLayer.m_hWnd, enable);
    ::EnableWindow(m_highlightLayer.m_hWnd, enable);
    return ::EnableWindow(m_hWnd, enable);
}

int CDeskTopDlg::OnSleep(BOOL sleep)
{
    if (sleep) {
        SetDrawingShown(FALSE);
        m_bSleeping = 1;
    } else if (m_bSleeping) {
        if (Settings().GetSurface() == SURFACE_DESKTOP && Settings().GetWorkMode() == WORK_DRAW &&
            !m_bHidden && !m_nToolsRunning)
            SetDrawingShown(TRUE);
        m_bSleeping = 0;
    }
    return m_bSleeping;
}

void CDeskTopDlg::CountRunningTools()
{
    m_nToolsRunning = 0;
    if (Settings().GetSurface() != SURFACE_DESKTOP)
        return;
    for (const char* name : TOOL_MUTEXES) {
        CKernelHandle mutex(::CreateMutexA(nullptr, TRUE, name));
        if (::GetLastError() == ERROR_ALREADY_EXISTS)
            ++m_nToolsRunning;
        else if (mutex)
            ::ReleaseMutex(mutex.Get());
    }
}

void CDeskTopDlg::UpdateToolButtons()
{
    if (!m_toolDlg.m_hWnd)
        return;
    if (Settings().GetWorkMode() == WORK_DRAW)
        UpdateDrawingModeButtons();
    else
        UpdateMouseModeButtons();
    m_toolDlg.Invalidate(true);
}

void CDeskTopDlg::UpdateMouseModeButtons()
{
    CToolDlg& palette = m_toolDlg;
    palette.Button(CMD_WORK_MODE).SetDown(0);
    palette.Button(CMD_WORK_MODE).SetAlternate(0);
    for (int n : {CMD_HIGHLIGHT, CMD_PEN_ERASER, CMD_FREEFORM, CMD_LINE, CMD_CIRCLE, CMD_RECTANGLE})
        palette.Button(n).SetDown(0);
    for (int n : {CMD_PEN_ERASER, CMD_FREEFORM, CMD_LINE, CMD_CIRCLE, CMD_RECTANGLE})
        palette.Button(n).SetAlternate(0);
    for (int n : {CMD_WORK_MODE, CMD_HIGHLIGHT, CMD_PEN_ERASER, CMD_FREEFORM, CMD_LINE, CMD_CIRCLE,
                  CMD_RECTANGLE})
        palette.Button(n).SetDisabled(m_nToolsRunning != 0);
    palette.Button(CMD_UNDO).SetDisabled(1);
    palette.Button(CMD_CLEAR).SetDisabled(1);
    for (int n : {CMD_KEYBOARD, CMD_SHADE, CMD_SPOTLIGHT, CMD_RIGHT_BUTTON, CMD_MINIMIZE})
        palette.Button(n).SetDisabled(0);
}

void CDeskTopDlg::UpdateDrawingModeButtons()
{
    CToolDlg& palette = m_toolDlg;
    palette.Button(CMD_WORK_MODE).SetDown(1);
    palette.Button(CMD_WORK_MODE).SetAlternate(1);

    int tool = Settings().GetCurrentTool();
    if (tool >= STYLE_ERASER && tool <= STYLE_PEN) {
        bool eraser = tool == STYLE_ERASER;
        palette.Button(CMD_HIGHLIGHT).SetDown(tool == STYLE_HIGHLIGHTER ? 1 : 0);
        palette.Button(CMD_PEN_ERASER).SetDown(eraser ? 1 : 0);
        palette.Button(CMD_PEN_ERASER).SetAlternate(eraser ? 1 : 0);
        for (int n = CMD_FREEFORM; n <= CMD_RECTANGLE; ++n)
            palette.Button(n).SetAlternate(eraser ? 1 : 0);
    }

    int shape = Settings().GetCurrentShape();
    for (int n = CMD_FREEFORM; n <= CMD_RECTANGLE; ++n)
        palette.Button(n).SetDown(shape == n - CMD_FREEFORM + SHAPE_STROKE ? 1 : 0);

    bool toolsOpen = m_nToolsRunning != 0;
    for (int n : {CMD_WORK_MODE, CMD_HIGHLIGHT, CMD_PEN_ERASER, CMD_FREEFORM, CMD_LINE, CMD_CIRCLE,
                  CMD_RECTANGLE, CMD_CLEAR})
        palette.Button(n).SetDisabled(toolsOpen ? 1 : 0);
    if (toolsOpen)
        palette.Button(CMD_UNDO).SetDisabled(1);
    else
        UpdateUndoButton();

    for (int n : {CMD_KEYBOARD, CMD_SHADE, CMD_SPOTLIGHT, CMD_RIGHT_BUTTON, CMD_MINIMIZE})
        palette.Button(n).SetDisabled(1);
    m_libraries.UpdataPenSet();
}

void CDeskTopDlg::UpdateUndoButton()
{
    if (m_toolDlg.m_hWnd)
        m_toolDlg.Button(CMD_UNDO).SetDisabled(m_pPage && !m_pPage->IsEmpty() ? 0 : 1);
}

void CDeskTopDlg::ShowPenSheet(int sheetKind)
{
    if (ToolSettings* record = Settings().Record())
        record->penSheetKind = sheetKind;
    m_libraries.ShowColor(this, g_pSettings);
}

void CDeskTopDlg::StartTool(bool spotlight)
{
    if (spotlight)
        m_libraries.StartBeamora(&m_toolDlg);
    else
        m_libraries.StartUmbrata(&m_toolDlg);
    CountRunningTools();
    UpdateToolButtons();
}

void CDeskTopDlg::SwitchWorkMode()
{
    if (Settings().GetWorkMode() == WORK_DRAW) {
        m_bInputOff = 1;
        ModifyStyleEx(0, OVERLAY_PASS_THROUGH);
        Settings().SetWorkMode(WORK_MOUSE);
        SetDrawingShown(FALSE);
        return;
    }
    m_bInputOff = 0;
    ModifyStyleEx(OVERLAY_PASS_THROUGH, 0);
    Settings().SetWorkMode(WORK_DRAW);
    if (!m_bHidden && !m_bSleeping && !m_nToolsRunning)
        SetDrawingShown(TRUE);
}

void CDeskTopDlg::EnsureDrawingMode()
{
    if (Settings().GetWorkMode() == WORK_MOUSE)
        OnToolCommand(CMD_WORK_MODE);
}

void CDeskTopDlg::SelectTool(int tool)
{
    EnsureDrawingMode();
    Settings().SetCurrentTool(tool);
    UpdateToolButtons();
}

void CDeskTopDlg::SelectShape(int shape)
{
    EnsureDrawingMode();
    Settings().SetCurrentShape(shape);
    UpdateToolButtons();
}

void CDeskTopDlg::OnToolCommand(int code)
{
    ToolSettings* record = Settings().Record();
    switch (code) {
    case CMD_WORK_MODE:
        SwitchWorkMode();
        break;
    case CMD_WHITEBOARD:
        ShowAll(FALSE);
        NotifyHost(DRAWCB_WHITEBOARD);
        break;
    case CMD_PAGE_UP:
    case CMD_PAGE_DOWN:
        if (record)
            SendPageKey(*record, code == CMD_PAGE_UP ? VK_PRIOR : VK_NEXT, m_toolDlg.m_hWnd);
        break;
    case CMD_HIGHLIGHT:
        SelectTool(Settings().GetCurrentTool() == STYLE_HIGHLIGHTER ? STYLE_PEN : STYLE_HIGHLIGHTER);
        break;
    case CMD_PEN_ERASER:
        SelectTool(Settings().GetCurrentTool() == STYLE_ERASER ? STYLE_PEN : STYLE_ERASER);
        break;
    case CMD_FAST_PEN_SET:
        ShowPenSheet(2);
        break;
    case CMD_ACCURATE_PEN_SET:
        ShowPenSheet(1);
        break;
    case CMD_FREEFORM:
    case CMD_LINE:
    case CMD_CIRCLE:
    case CMD_RECTANGLE:
        SelectShape(code - CMD_FREEFORM + SHAPE_STROKE);
        break;
    case CMD_UNDO:
        UndoAnnotation();
        break;
    case CMD_CLEAR:
        ClearAnnotations();
        break;
    case CMD_SHADE:
        StartTool(false);
        break;
    case CMD_SPOTLIGHT:
        StartTool(true);
        break;
    case CMD_RIGHT_BUTTON:
        m_libraries.StartHookR();
        break;
    case CMD_MINIMIZE:
        ShowAll(FALSE);
        break;
    default:
        break;
    }
}

void CDeskTopDlg::UndoAnnotation()
{
    if (m_pPage) {
        RECT rect{};
        short layer = -1;
        if (m_pPage->UndoLast(&layer, &rect)) {
            if (layer == LAYER_BOTH || layer == LAYER_PEN)
                ::InvalidateRect(m_penLayer.m_hWnd, &rect, TRUE);
            if (layer == LAYER_BOTH || layer == LAYER_HIGHLIGHT)
                ::InvalidateRect(m_highlightLayer.m_hWnd, &rect, TRUE);
        }
    }
    UpdateUndoButton();
}

void CDeskTopDlg::ClearAnnotations()
{
    m_pPage = std::make_unique<CPage>();
    UpdateUndoButton();
    ::InvalidateRect(m_penLayer.m_hWnd, nullptr, TRUE);
    ::InvalidateRect(m_highlightLayer.m_hWnd, nullptr, TRUE);
}

bool CDeskTopDlg::OnSetCursor()
{
    UINT cursor;
    switch (Settings().GetCurrentTool()) {
    case STYLE_ERASER:
        cursor = IDC_CURSOR_ERASER;
        break;
    case STYLE_HIGHLIGHTER:
        cursor = IDC_CURSOR_HIGHLIGHTER;
        break;
    case STYLE_PEN:
        cursor = IDC_CURSOR_PEN;
        break;
    default:
        return false;
    }
    ::SetCursor(::LoadCursorA(FwResourceModule(), MAKEINTRESOURCEA(cursor)));
    return true;
}

namespace {

// A layer window's device context, or none when the window is gone: GetDC of a null window
// would hand out the whole screen.
class CLayerDC {
public:
    explicit CLayerDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(hwnd && ::IsWindow(hwnd) ? ::GetDC(hwnd) : nullptr) {}
    ~CLayerDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    CLayerDC(const CLayerDC&) = delete;
    CLayerDC& operator=(const CLayerDC&) = delete;

    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Free-form, line, circle, rectangle in the record are 1..4; the page counts its kinds from 0.
int ShapeKind(int shape)
{
    return shape >= SHAPE_LINE && shape <= SHAPE_RECTANGLE ? shape - 1 : 0;
}

} // namespace

void CDeskTopDlg::OnPenDown(int x, int y)
{
    m_bButtonDown = 1;
    ::SetCapture(m_hWnd);
    m_bGestureBegun = 0;
    m_nGestureTool = Settings().GetCurrentTool();
    int kind = ShapeKind(Settings().GetCurrentShape());
    int width = Settings().GetToolWidth();
    COLORREF colour = Settings().GetToolColour();

    switch (m_nGestureTool) {
    case STYLE_ERASER: {
        // An eraser gesture is always a free-hand stroke; the chosen shape is its erasing form.
        CLayerDC a(m_penLayer.m_hWnd);
        CLayerDC b(m_highlightLayer.m_hWnd);
        if (!a || !b)
            return;
        m_pPage->BeginShape(0, x, y, width, Settings().GetKeyColour(), 1, LAYER_BOTH, 0, kind);
        m_pPage->DragShape(x + 1, y, a.Get(), b.Get());
        break;
    }
    case STYLE_PEN:
    case STYLE_HIGHLIGHTER: {
        bool pen = m_nGestureTool == STYLE_PEN;
        CLayerDC a(pen ? m_penLayer.m_hWnd : m_highlightLayer.m_hWnd);
        if (!a)
            return;
        m_pPage->BeginShape(kind, x, y, width, colour, 0, pen ? LAYER_PEN : LAYER_HIGHLIGHT, 0, 0);
        // The extra point makes a click without movement leave a dot.
        m_pPage->DragShape(x + 1, y, a.Get(), nullptr);
        break;
    }
    default:
        return;
    }
    m_bGestureBegun = 1;
}

template <class Fn>
void CDeskTopDlg::WithGestureDCs(Fn draw)
{
    if (m_nGestureTool == STYLE_ERASER) {
        CLayerDC a(m_penLayer.m_hWnd);
        CLayerDC b(m_highlightLayer.m_hWnd);
        draw(a.Get(), b.Get());
        return;
    }
    CLayerDC a(m_nGestureTool == STYLE_PEN ? m_penLayer.m_hWnd : m_highlightLayer.m_hWnd);
    draw(a.Get(), static_cast<HDC>(nullptr));
}

void CDeskTopDlg::OnPenMove(int x, int y)
{
    if (!m_bGestureBegun)
        return;
    WithGestureDCs([&](HDC a, HDC b) { m_pPage->DragShape(x, y, a, b); });
}

void CDeskTopDlg::OnPenUp(int x, int y)
{
    m_bButtonDown = 0;
    ::ReleaseCapture();
    if (m_bGestureBegun)
        WithGestureDCs([&](HDC a, HDC b) { m_pPage->EndShape(x, y, a, b); });
    m_bGestureBegun = 0;
    UpdateUndoButton();
}
