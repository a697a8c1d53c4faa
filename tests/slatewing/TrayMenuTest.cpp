// The owner-drawn tray menu: item sizes, what each kind of item paints, and the menu opened
// for real with its three items, the choice arriving at the owner as a command.
#include "app/XPMenu.h"
#include "app/resource.h"
#include "framework/Module.h"
#include "tests/slatewing/BarsTestSupport.h"

#include <string>

using namespace bars_test;

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kIconColumn = RGB(219, 216, 209);
constexpr COLORREF kFace = RGB(249, 248, 247);
constexpr COLORREF kHighlight = RGB(177, 185, 207);
constexpr COLORREF kSeparator = RGB(64, 0, 128);

// ---- Measuring ----

TEST(XPMenu, ItemsAre200By22AndSeparators10High)
{
    CXPMenu menu;
    struct Case {
        int separator;
        UINT height;
    };
    for (const Case& c : {Case{0, 22}, Case{1, 10}}) {
        XPMenuItem item;
        item.m_bSeparator = c.separator;
        item.m_strText = "Exit";
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemData = reinterpret_cast<ULONG_PTR>(&item);
        menu.MeasureItem(&measure);
        EXPECT_EQ(measure.itemWidth, 200u);
        EXPECT_EQ(measure.itemHeight, c.height);
    }
}

// ---- Drawing ----

CPixels DrawMenuItem(XPMenuItem* item, int height, bool selected)
{
    CXPMenu menu;
    return Draw(200, height, kUntouched, [&](HDC dc) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, 200, height};
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.itemData = reinterpret_cast<ULONG_PTR>(item);
        menu.DrawItem(&draw);
    });
}

// Pixels in the rectangle that are not the colour.
int CountOther(const CPixels& p, const RECT& r, COLORREF colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += p.At(x, y) != colour;
    return n;
}

TEST(XPMenu, PlainItemHasAnIconColumnAFaceAnIconAndItsText)
{
    XPMenuItem item;
    item.m_nNormalIcon = IDI_MENU_EXIT;
    item.m_nHighlightIcon = IDI_MENU_EXIT;
    item.m_strText = "Exit";
    CPixels p = DrawMenuItem(&item, 22, false);
    // The icon column and the face, away from the icon and the text.
    EXPECT_EQ(CountOther(p, RECT{0, 0, 25, 3}, kIconColumn), 0);
    EXPECT_EQ(CountOther(p, RECT{0, 0, 3, 22}, kIconColumn), 0);
    EXPECT_EQ(CountOther(p, RECT{22, 0, 25, 22}, kIconColumn), 0);
    EXPECT_EQ(CountOther(p, RECT{25, 0, 33, 22}, kFace), 0);
    EXPECT_EQ(CountOther(p, RECT{80, 0, 200, 22}, kFace), 0);
    // The icon is the 18-pixel picture at (3, 3).
    CIconHandle icon(static_cast<HICON>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(IDI_MENU_EXIT),
                                                     IMAGE_ICON, 18, 18, 0)));
    ASSERT_TRUE(icon);
    CPixels expected = Draw(18, 18, kIconColumn, [&](HDC dc) {
        ::DrawIconEx(dc, 0, 0, icon.Get(), 18, 18, 0, nullptr, DI_NORMAL);
    });
    int differ = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            differ += p.At(3 + x, 3 + y) != expected.At(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_GT(CountOther(p, RECT{3, 3, 21, 21}, kIconColumn), 30);
    // The text starts at 33, on the face: dark pixels there and not before.
    EXPECT_GT(CountOther(p, RECT{33, 0, 80, 22}, kFace), 10);
}

TEST(XPMenu, HighlightedItemIsFramedInBlackAndFilledBluish)
{
    XPMenuItem item;
    item.m_strText = "About Inkvane";
    CPixels p = DrawMenuItem(&item, 22, true);
    // The one-pixel black frame all round.
    EXPECT_EQ(CountOther(p, RECT{0, 0, 200, 1}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountOther(p, RECT{0, 21, 200, 22}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountOther(p, RECT{0, 0, 1, 22}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountOther(p, RECT{199, 0, 200, 22}, RGB(0, 0, 0)), 0);
    // Inside, the highlight right across the icon column; the text on it.
    EXPECT_EQ(CountOther(p, RECT{1, 1, 33, 21}, kHighlight), 0);
    EXPECT_EQ(CountOther(p, RECT{150, 1, 199, 21}, kHighlight), 0);
    EXPECT_GT(CountOther(p, RECT{33, 1, 150, 21}, kHighlight), 10);
}

TEST(XPMenu, EachStateShowsItsOwnIcon)
{
    auto itemWith = [](int normal, int highlight) {
        XPMenuItem item;
        item.m_nNormalIcon = normal;
        item.m_nHighlightIcon = highlight;
        item.m_strText = "Exit";
        return item;
    };
    XPMenuItem both = itemWith(IDI_MENU_EXIT, IDI_MENU_ABOUT);
    XPMenuItem exitOnly = itemWith(IDI_MENU_EXIT, IDI_MENU_EXIT);
    XPMenuItem aboutOnly = itemWith(IDI_MENU_ABOUT, IDI_MENU_ABOUT);
    EXPECT_EQ(DrawMenuItem(&both, 22, true).bits, DrawMenuItem(&aboutOnly, 22, true).bits);
    EXPECT_EQ(DrawMenuItem(&both, 22, false).bits, DrawMenuItem(&exitOnly, 22, false).bits);
    // The two icons do differ.
    EXPECT_NE(DrawMenuItem(&exitOnly, 22, true).bits, DrawMenuItem(&aboutOnly, 22, true).bits);
}

TEST(XPMenu, AnItemWithOneIconIdMissingShowsNoIcon)
{
    XPMenuItem item;
    item.m_nNormalIcon = IDI_MENU_EXIT;
    CPixels p = DrawMenuItem(&item, 22, false);
    EXPECT_EQ(CountOther(p, RECT{0, 0, 25, 22}, kIconColumn), 0);
}

TEST(XPMenu, SeparatorIsOneLineFrom28To3FromTheRightAcrossTheMiddle)
{
    XPMenuItem item;
    item.m_bSeparator = 1;
    for (bool selected : {false, true}) {
        CPixels p = DrawMenuItem(&item, 10, selected);
        EXPECT_EQ(CountOther(p, RECT{28, 5, 197, 6}, kSeparator), 0);
        EXPECT_EQ(p.At(27, 5), kFace);
        EXPECT_EQ(p.At(197, 5), kFace);
        EXPECT_EQ(CountOther(p, RECT{0, 0, 25, 10}, kIconColumn), 0);
        EXPECT_EQ(CountOther(p, RECT{25, 0, 200, 5}, kFace), 0);
        EXPECT_EQ(CountOther(p, RECT{25, 6, 200, 10}, kFace), 0);
    }
}

TEST(XPMenu, AnItemWithoutRecordDrawsNothing)
{
    CPixels p = DrawMenuItem(nullptr, 22, true);
    EXPECT_EQ(CountOther(p, RECT{0, 0, 200, 22}, kUntouched), 0);
}

TEST(XPMenu, DrawingLeavesTheDeviceContextAsItWas)
{
    XPMenuItem item;
    item.m_strText = "Exit";
    Draw(200, 22, kUntouched, [&](HDC dc) {
        ::SetBkMode(dc, OPAQUE);
        HGDIOBJ pen = ::GetCurrentObject(dc, OBJ_PEN);
        HGDIOBJ brush = ::GetCurrentObject(dc, OBJ_BRUSH);
        CXPMenu menu;
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, 200, 22};
        draw.itemState = ODS_SELECTED;
        draw.itemData = reinterpret_cast<ULONG_PTR>(&item);
        menu.DrawItem(&draw);
        EXPECT_EQ(::GetBkMode(dc), OPAQUE);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
    });
}

// ---- The tray menu, opened ----

struct SeenMenu {
    std::vector<UINT> ids;
    std::vector<std::string> texts;
    std::vector<int> icons;
    RECT rect{};
    CPixels pixels;
};

TEST(TrayMenu, ShowsItsThreeItemsAndSendsTheChoiceToTheOwner)
{
    CHostFrame owner;
    ASSERT_TRUE(owner.Create());
    owner.m_extra = [](UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        if (!CXPMenu::RouteOwnerDraw(message, wParam, lParam))
            return false;
        *result = TRUE;
        return true;
    };
    ::SetCursorPos(300, 200);
    SeenMenu seen;
    CWindowWatcher watcher([](HWND hwnd) { return ClassOf(hwnd) == "#32768"; },
                           [&](HWND popup) {
                               HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
                               for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                                   MENUITEMINFOA info{};
                                   info.cbSize = sizeof info;
                                   info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
                                   ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
                                   seen.ids.push_back(info.wID);
                                   const auto* item = reinterpret_cast<const XPMenuItem*>(info.dwItemData);
                                   EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
                                   seen.texts.push_back(item ? item->m_strText : "");
                                   seen.icons.push_back(item ? item->m_nNormalIcon * 1000 + item->m_nHighlightIcon : 0);
                               }
                               // Highlight the first item, look, then choose the last.
                               ::PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
                               ::Sleep(300);
                               ::GetWindowRect(popup, &seen.rect);
                               seen.pixels = Capture(nullptr, seen.rect);
                               ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0);
                               ::Sleep(100);
                               ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
                           });
    TrackTrayMenu(owner.m_hWnd);
    test::PumpMessages(100);
    ASSERT_TRUE(watcher.Acted());

    EXPECT_EQ(seen.ids, (std::vector<UINT>{ID_SAVING_SETTING, ID_TRAY_ABOUT, ID_TRAY_EXIT}));
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"Saving Setting", "About Inkvane", "Exit"}));
    EXPECT_EQ(seen.icons, (std::vector<int>{IDI_MENU_SETTINGS * 1001, IDI_MENU_ABOUT * 1001,
                                            IDI_MENU_EXIT * 1001}));
    EXPECT_EQ(owner.m_commands, std::vector<UINT>{ID_TRAY_EXIT});

    // Three items of 22 rows; the menu opens at the cursor. The first is highlighted, the
    // others show the icon column and the face.
    EXPECT_EQ(seen.rect.left, 300);
    EXPECT_EQ(seen.rect.top, 200);
    const CPixels& p = seen.pixels;
    auto countIn = [&](int x0, int y0, int x1, int y1, COLORREF c) {
        int n = 0;
        for (int y = y0; y < y1 && y < p.height; ++y)
            for (int x = x0; x < x1 && x < p.width; ++x)
                n += p.At(x, y) == c;
        return n;
    };
    EXPECT_GT(countIn(0, 0, p.width, 22 + 4, kHighlight), 1000);
    EXPECT_GT(countIn(0, 22, 40, 66 + 4, kIconColumn), 300);
    EXPECT_GT(countIn(0, 22, p.width, 66 + 4, kFace), 4000);
}

TEST(TrayMenu, OwnerDrawMessagesOfOtherMenusAreNotTaken)
{
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    EXPECT_FALSE(CXPMenu::RouteOwnerDraw(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    EXPECT_FALSE(CXPMenu::RouteOwnerDraw(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
}

} // namespace
