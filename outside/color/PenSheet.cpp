#include "outside/color/PenSheet.h"

#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "outside/color/resource.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

namespace {

// Strong colours that read from the back of a room.
const COLORREF SWATCHES[] = {
    RGB(0, 0, 0),     RGB(220, 30, 30), RGB(0, 90, 220),  RGB(0, 150, 60),  RGB(255, 140, 0),
    RGB(140, 40, 180), RGB(255, 230, 0), RGB(0, 190, 220), RGB(255, 80, 170), RGB(110, 70, 30),
};
const int PEN_WIDTHS[] = {1, 2, 4, 8, 16};
const int ERASER_WIDTHS[] = {10, 20, 40, 60, 80};

} // namespace

PenFields SelectPenFields(ToolSettingsRef& settings)
{
    PenFields fields;
    ToolSettings* r = settings.Record();
    if (!r)
        return fields;
    bool board = settings.GetSurface() == SURFACE_BOARD;
    if (!board && settings.GetSurface() != SURFACE_DESKTOP)
        return fields;
    switch (settings.GetCurrentTool()) {
    case STYLE_PEN:
        fields = {board ? &r->boardPenColour : &r->deskPenColour,
                  board ? &r->boardPenWidth : &r->deskPenWidth, "Pen"};
        break;
    case STYLE_HIGHLIGHTER:
        fields = {board ? &r->boardHighlighterColour : &r->deskHighlighterColour,
                  board ? &r->boardHighlighterWidth : &r->deskHighlighterWidth, "Highlighter"};
        break;
    case STYLE_ERASER:
        fields = {nullptr, board ? &r->boardEraserWidth : &r->deskEraserWidth, "Eraser"};
        break;
    default:
        break;
    }
    return fields;
}

CPenSheet::CPenSheet() : CDialog(IDD_PEN_SHEET) {}

void CPenSheet::Open(HWND owner, ToolSettingsRef* settings)
{
    m_pSettings = settings;
    if (!m_hWnd)
        Create(owner);
    else
        ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!m_hWnd)
        return;
    Refresh();
    ShowWindow(SW_SHOW);
}

BOOL CPenSheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Swatches carry their colour as text, for screen readers and for anyone checking them.
    for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id) {
        COLORREF c = SWATCHES[id - IDC_SWATCH_FIRST];
        char text[16];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        ::SetDlgItemTextA(m_hWnd, id, text);
    }
    // Centred over the screen's lower half, clear of the palette on the right.
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    ::SetWindowPos(m_hWnd, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    (void)h;
    return TRUE;
}

bool CPenSheet::IsFastSet() const
{
    const ToolSettings* r = m_pSettings ? m_pSettings->Record() : nullptr;
    return r && r->penSheetKind == 2;
}

void CPenSheet::ShowControl(int id, bool show) const
{
    ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE);
}

void CPenSheet::Refresh()
{
    if (!m_hWnd || !m_pSettings)
        return;
    PenFields fields = SelectPenFields(*m_pSettings);
    bool fast = IsFastSet();
    bool colour = fields.colour != nullptr;
    bool width = fields.width != nullptr;

    std::string title = fields.toolName[0] ? fields.toolName : "No tool";
    title += fast ? " - fast pen set" : " - accurate pen set";
    SetWindowText(title);

    ShowControl(IDC_COLOUR_LABEL, colour);
    for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id)
        ShowControl(id, fast && colour);
    ShowControl(IDC_CHOOSE_COLOUR, !fast && colour);

    ShowControl(IDC_WIDTH_LABEL, width);
    bool eraser = width && !colour;
    for (int id = IDC_WIDTH_FIRST; id <= IDC_WIDTH_LAST; ++id) {
        int value = (eraser ? ERASER_WIDTHS : PEN_WIDTHS)[id - IDC_WIDTH_FIRST];
        ::SetDlgItemInt(m_hWnd, id, static_cast<UINT>(value), FALSE);
        ShowControl(id, fast && width);
    }
    ShowControl(IDC_WIDTH_EDIT, !fast && width);
    ShowControl(IDC_WIDTH_SET, !fast && width);
    if (width)
        ::SetDlgItemInt(m_hWnd, IDC_WIDTH_EDIT, static_cast<UINT>(*fields.width), FALSE);
    ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_PREVIEW), nullptr, TRUE);
}

void CPenSheet::SetColour(COLORREF colour)
{
    PenFields fields = SelectPenFields(*m_pSettings);
    if (fields.colour)
        *fields.colour = colour;
    ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_PREVIEW), nullptr, TRUE);
}

void CPenSheet::SetWidth(int width)
{
    PenFields fields = SelectPenFields(*m_pSettings);
    if (fields.width && width >= MIN_WIDTH && width <= MAX_WIDTH)
        *fields.width = width;
    Refresh();
}

void CPenSheet::ChooseAnyColour()
{
    PenFields fields = SelectPenFields(*m_pSettings);
    if (!fields.colour)
        return;
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = *fields.colour;
    choose.lpCustColors = m_customColours;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (::ChooseColorA(&choose))
        SetColour(choose.rgbResult);
}

void CPenSheet::SetWidthFromEdit()
{
    BOOL ok = FALSE;
    UINT value = ::GetDlgItemInt(m_hWnd, IDC_WIDTH_EDIT, &ok, FALSE);
    if (!ok || value < MIN_WIDTH || value > MAX_WIDTH) {
        // Out of range: say so and show the width that still holds.
        ::MessageBeep(MB_ICONWARNING);
        Refresh();
        return;
    }
    SetWidth(static_cast<int>(value));
}

bool CPenSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && m_pSettings) {
        if (id >= IDC_SWATCH_FIRST && id <= IDC_SWATCH_LAST) {
            SetColour(SWATCHES[id - IDC_SWATCH_FIRST]);
            return true;
        }
        if (id >= IDC_WIDTH_FIRST && id <= IDC_WIDTH_LAST) {
            SetWidth(static_cast<int>(::GetDlgItemInt(m_hWnd, id, nullptr, FALSE)));
            return true;
        }
        if (id == IDC_CHOOSE_COLOUR) {
            ChooseAnyColour();
            return true;
        }
        if (id == IDC_WIDTH_SET || id == IDOK) {
            SetWidthFromEdit();
            return true;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPenSheet::OnCancel()
{
    DestroyWindow();
}

void CPenSheet::DrawSwatch(const DRAWITEMSTRUCT& item) const
{
    COLORREF colour = SWATCHES[item.CtlID - IDC_SWATCH_FIRST];
    PenFields fields = m_pSettings ? SelectPenFields(*m_pSettings) : PenFields{};
    bool current = fields.colour && *fields.colour == colour;
    RECT rc = item.rcItem;
    CBrush frame(::CreateSolidBrush(current ? RGB(0, 0, 0) : RGB(200, 200, 200)));
    ::FillRect(item.hDC, &rc, frame.Get());
    ::InflateRect(&rc, current ? -3 : -1, current ? -3 : -1);
    CBrush fill(::CreateSolidBrush(colour));
    ::FillRect(item.hDC, &rc, fill.Get());
}

void CPenSheet::DrawPreview(const DRAWITEMSTRUCT& item) const
{
    RECT rc = item.rcItem;
    ::FillRect(item.hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    PenFields fields = m_pSettings ? SelectPenFields(*m_pSettings) : PenFields{};
    if (!fields.width)
        return;
    int width = std::min(*fields.width, static_cast<int>(rc.bottom - rc.top));
    CPen pen(::CreatePen(PS_SOLID, width, fields.colour ? *fields.colour : RGB(160, 160, 160)));
    CSelectObject selected(item.hDC, pen.Get());
    int y = (rc.top + rc.bottom) / 2;
    ::MoveToEx(item.hDC, rc.left + 10, y, nullptr);
    ::LineTo(item.hDC, rc.right - 10, y);
}

LRESULT CPenSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID >= IDC_SWATCH_FIRST && item.CtlID <= IDC_SWATCH_LAST)
            DrawSwatch(item);
        else if (item.CtlID == IDC_PREVIEW)
            DrawPreview(item);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Swatch frames show the current colour.
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id)
            ::InvalidateRect(::GetDlgItem(m_hWnd, id), nullptr, TRUE);
        return result;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
