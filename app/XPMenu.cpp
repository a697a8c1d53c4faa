#include "app/XPMenu.h"

#include "app/resource.h"
#include "framework/Module.h"

namespace {

constexpr int kItemWidth = 200;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 10;
constexpr int kIconColumn = 25;
constexpr int kIconSize = 18;
constexpr int kTextLeft = 33;

constexpr COLORREF kSeparatorColour = RGB(64, 0, 128);
constexpr COLORREF kHighlightColour = RGB(177, 185, 207);
constexpr COLORREF kIconColumnColour = RGB(219, 216, 209);
constexpr COLORREF kBackgroundColour = RGB(249, 248, 247);

// One menu is tracked at a time on the one user-interface thread.
CXPMenu* g_pTrackedMenu = nullptr;

// The unhighlighted look: the icon column and the item's face.
void DrawPlainBackground(HDC dc, const RECT& r)
{
    RECT column{r.left, r.top, r.left + kIconColumn, r.bottom};
    RECT face{r.left + kIconColumn, r.top, r.right, r.bottom};
    FwFillSolidRect(dc, column, kIconColumnColour);
    FwFillSolidRect(dc, face, kBackgroundColour);
}

} // namespace

CXPMenu::~CXPMenu() = default;

bool CXPMenu::CreatePopupMenu()
{
    m_menu.Reset(::CreatePopupMenu());
    return static_cast<bool>(m_menu);
}

bool CXPMenu::AppendItem(UINT id, XPMenuItem* item)
{
    UINT flags = MF_OWNERDRAW | (item && item->m_bSeparator ? MF_SEPARATOR : 0);
    return ::AppendMenuA(m_menu.Get(), flags, id, reinterpret_cast<const char*>(item)) != FALSE;
}

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT* item)
{
    const auto* record = reinterpret_cast<const XPMenuItem*>(item->itemData);
    item->itemWidth = kItemWidth;
    item->itemHeight = record && record->m_bSeparator ? kSeparatorHeight : kItemHeight;
}

void CXPMenu::DrawItem(DRAWITEMSTRUCT* item)
{
    const auto* record = reinterpret_cast<const XPMenuItem*>(item->itemData);
    if (!record)
        return;
    HDC dc = item->hDC;
    CSaveDC saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    RECT r = item->rcItem;

    if (record->m_bSeparator) {
        DrawPlainBackground(dc, r);
        CPen line(::CreatePen(PS_SOLID, 1, kSeparatorColour));
        CSelectObject selected(dc, line.Get());
        int y = (r.top + r.bottom) / 2;
        ::MoveToEx(dc, r.left + 28, y, nullptr);
        ::LineTo(dc, r.right - 3, y);
        return;
    }

    bool highlighted = (item->itemState & ODS_SELECTED) != 0;
    if (highlighted) {
        {
            CSelectObject brush(dc, ::GetStockObject(NULL_BRUSH));
            CSelectObject pen(dc, ::GetStockObject(BLACK_PEN));
            ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        }
        RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FwFillSolidRect(dc, inner, kHighlightColour);
    } else {
        DrawPlainBackground(dc, r);
    }

    if (record->m_nNormalIcon && record->m_nHighlightIcon) {
        int id = highlighted ? record->m_nHighlightIcon : record->m_nNormalIcon;
        CIconHandle icon(static_cast<HICON>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(id),
                                                         IMAGE_ICON, kIconSize, kIconSize, 0)));
        if (icon)
            ::DrawIconEx(dc, r.left + 3, r.top + 3, icon.Get(), kIconSize, kIconSize, 0, nullptr,
                         DI_NORMAL);
    }

    RECT text{r.left + kTextLeft, r.top, r.right, r.bottom};
    ::DrawTextA(dc, record->m_strText.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
}

BOOL CXPMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner)
{
    CXPMenu* previous = g_pTrackedMenu;
    g_pTrackedMenu = this;
    BOOL result = ::TrackPopupMenu(m_menu.Get(), flags, x, y, 0, owner, nullptr);
    g_pTrackedMenu = previous;
    return result;
}

bool CXPMenu::RouteOwnerDraw(UINT message, WPARAM, LPARAM lParam)
{
    if (!g_pTrackedMenu)
        return false;
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            return false;
        g_pTrackedMenu->MeasureItem(item);
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU ||
            reinterpret_cast<HMENU>(item->hwndItem) != g_pTrackedMenu->GetHandle())
            return false;
        g_pTrackedMenu->DrawItem(item);
        return true;
    }
    return false;
}

void TrackTrayMenu(HWND owner)
{
    XPMenuItem items[3];
    const UINT ids[3] = {ID_SAVING_SETTING, ID_TRAY_ABOUT, ID_TRAY_EXIT};
    const UINT texts[3] = {IDS_MENU_SAVING_SETTING, IDS_MENU_ABOUT, IDS_MENU_EXIT};
    const int icons[3] = {IDI_MENU_SETTINGS, IDI_MENU_ABOUT, IDI_MENU_EXIT};
    CXPMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (int i = 0; i < 3; ++i) {
        items[i].m_nNormalIcon = icons[i];
        items[i].m_nHighlightIcon = icons[i];
        items[i].m_strText = FwLoadString(texts[i]);
        menu.AppendItem(ids[i], &items[i]);
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(owner);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, owner);
}
