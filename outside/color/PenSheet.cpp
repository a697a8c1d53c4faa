#include "outside/color/PenSheet.h"

#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "outside/color/resource.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

// Strong colours that read from the back of a room.
const COLORREF SWATCHES[] = {
    RGB(0, 0, 0),     RGB(220, 30, 30), RGB(0, 90, 220),  RGB(0, 150, 60),  RGB(255, 140, 0),
    RGB(140, 40, 180), RGB(255, 230, 0), RGB(0, 190, 220), RGB(255, 80, 170), RGB(110, 70, 30),
};
const int PEN_WIDTHS[] = {1, 2, 4, 8, 16};
const int ERASER_WIDTHS[] = {10, 20, 40, 60, 80};

static_assert(std::size(SWATCHES) == IDC_SWATCH_LAST - IDC_SWATCH_FIRST + 1);
static_assert(std::size(PEN_WIDTHS) == IDC_WIDTH_LAST - IDC_WIDTH_FIRST + 1);
static_assert(std::size(ERASER_WIDTHS) == std::size(PEN_WIDTHS));

void Fill(HDC hdc, const RECT& rect, COLORREF colour)
{
    CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(hdc, &rect, brush.Get());
}

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

CPenSheet::CPenSheet() : CDialog(IDD_PEN_SHEET)
{
    // The colour dialog's custom row starts with the presets, so both sets offer the same colours.
    std::fill(std::begin(m_customColours), std::end(m_customColours), RGB(255, 255, 255));
    std::copy(std::begin(SWATCHES), std::end(SWATCHES), m_customColours);
}

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

    // Remember where the controls below the colour row sit, so the eraser's sheet can close up.
    auto clientTop = [this](int id) {
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    };
    int widthTop = clientTop(IDC_WIDTH_LABEL);
    m_nColourRowHeight = widthTop - clientTop(IDC_COLOUR_LABEL);
    m_lowerControls.clear();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top >= widthTop)
            m_lowerControls.push_back({child, {rect.left, rect.top}});
    }

    // Centred over the screen's lower half, clear of the palette on the right.
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    m_fullSize = {rect.right - rect.left, rect.bottom - rect.top};
    ::SetWindowPos(m_hWnd, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - m_fullSize.cx) / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Focus starts on Close: a focus ring on the first swatch would read as the current colour.
    ::SetFocus(::GetDlgItem(m_hWnd, IDCANCEL));
    return FALSE;
}

PenFields CPenSheet::Fields() const
{
    return m_pSettings ? SelectPenFields(*m_pSettings) : PenFields{};
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

void CPenSheet::LayOut(bool withColour)
{
    int shift = withColour ? 0 : m_nColourRowHeight;
    for (const LowerControl& control : m_lowerControls)
        ::SetWindowPos(control.hwnd, nullptr, control.origin.x, control.origin.y - shift, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_fullSize.cx, m_fullSize.cy - shift,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPenSheet::Refresh()
{
    if (!m_hWnd)
        return;
    PenFields fields = Fields();
    bool fast = IsFastSet();
    bool colour = fields.colour != nullptr;
    bool width = fields.width != nullptr;

    std::string title = fields.toolName[0] ? fields.toolName : "No tool";
    title += fast ? " - fast pen set" : " - accurate pen set";
    SetWindowText(title);

    ShowControl(IDC_COLOUR_LABEL, colour);
    for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id) {
        ShowControl(id, fast && colour);
        ::InvalidateRect(::GetDlgItem(m_hWnd, id), nullptr, FALSE);
    }
    ShowControl(IDC_CHOOSE_COLOUR, !fast && colour);
    ShowControl(IDC_CURRENT_COLOUR, !fast && colour);
    ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_CURRENT_COLOUR), nullptr, FALSE);

    ShowControl(IDC_WIDTH_LABEL, width);
    const int* presets = colour ? PEN_WIDTHS : ERASER_WIDTHS;
    for (int id = IDC_WIDTH_FIRST; id <= IDC_WIDTH_LAST; ++id) {
        int value = presets[id - IDC_WIDTH_FIRST];
        ::SetDlgItemInt(m_hWnd, id, static_cast<UINT>(value), FALSE);
        ShowControl(id, fast && width);
        ::InvalidateRect(::GetDlgItem(m_hWnd, id), nullptr, FALSE);
    }
    ShowControl(IDC_WIDTH_EDIT, !fast && width);
    ShowControl(IDC_WIDTH_SET, !fast && width);
    ShowControl(IDC_WIDTH_RANGE, !fast && width);
    if (width)
        ::SetDlgItemInt(m_hWnd, IDC_WIDTH_EDIT, static_cast<UINT>(*fields.width), FALSE);
    ::InvalidateRect(::GetDlgItem(m_hWnd, IDC_PREVIEW), nullptr, TRUE);
    LayOut(colour);
}

void CPenSheet::SetColour(COLORREF colour)
{
    PenFields fields = Fields();
    if (fields.colour)
        *fields.colour = colour;
    Refresh();
}

void CPenSheet::SetWidth(int width)
{
    PenFields fields = Fields();
    if (fields.width && width >= MIN_WIDTH && width <= MAX_WIDTH)
        *fields.width = width;
    Refresh();
}

void CPenSheet::ChooseAnyColour()
{
    PenFields fields = Fields();
    if (!fields.colour)
        return;
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = *fields.colour;
    choose.lpCustColors = m_customColours;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (::ChooseColorA(&choose) && m_hWnd)   // the sheet may have been closed meanwhile
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

void CPenSheet::DrawColourChip(const DRAWITEMSTRUCT& item, COLORREF colour, bool current) const
{
    // The current colour gets a dark ring with a white gap, which shows around black as well.
    RECT rc = item.rcItem;
    Fill(item.hDC, rc, current ? RGB(40, 40, 40) : ::GetSysColor(COLOR_BTNFACE));
    ::InflateRect(&rc, current ? -2 : -3, current ? -2 : -3);
    Fill(item.hDC, rc, current ? RGB(255, 255, 255) : RGB(170, 170, 170));
    ::InflateRect(&rc, current ? -2 : -1, current ? -2 : -1);
    Fill(item.hDC, rc, colour);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(item.hDC, &item.rcItem);
}

void CPenSheet::DrawWidthButton(const DRAWITEMSTRUCT& item, bool current) const
{
    // The current width is a dark key with light text, readable from across the room.
    RECT rc = item.rcItem;
    if (current) {
        Fill(item.hDC, rc, RGB(40, 40, 40));
    } else {
        UINT state = DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0);
        ::DrawFrameControl(item.hDC, &rc, DFC_BUTTON, state);
    }
    char text[16] = {};
    ::GetWindowTextA(item.hwndItem, text, sizeof text);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    CSelectObject selected(item.hDC, font);
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, current ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(item.hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        ::InflateRect(&rc, -3, -3);
        ::DrawFocusRect(item.hDC, &rc);
    }
}

void CPenSheet::DrawPreview(const DRAWITEMSTRUCT& item) const
{
    RECT rc = item.rcItem;
    ::FillRect(item.hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    PenFields fields = Fields();
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
        PenFields fields = Fields();
        if (item.CtlID >= IDC_SWATCH_FIRST && item.CtlID <= IDC_SWATCH_LAST) {
            COLORREF colour = SWATCHES[item.CtlID - IDC_SWATCH_FIRST];
            DrawColourChip(item, colour, fields.colour && *fields.colour == colour);
        } else if (item.CtlID >= IDC_WIDTH_FIRST && item.CtlID <= IDC_WIDTH_LAST) {
            int value = static_cast<int>(::GetDlgItemInt(m_hWnd, static_cast<int>(item.CtlID),
                                                         nullptr, FALSE));
            DrawWidthButton(item, fields.width && *fields.width == value);
        } else if (item.CtlID == IDC_CURRENT_COLOUR && fields.colour) {
            DrawColourChip(item, *fields.colour, false);
        } else if (item.CtlID == IDC_PREVIEW) {
            DrawPreview(item);
        }
        return TRUE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
