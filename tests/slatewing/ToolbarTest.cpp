// The whiteboard's floating toolbars as the frame builds them: their rows and columns with
// either button set, the set swap, tooltips, the command states the frame pushes at idle, the
// floating window without close box, and what the buttons show.
#include "app/Toolbars.h"
#include "app/resource.h"
#include "framework/Module.h"
#include "tests/slatewing/BarsTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

using namespace bars_test;

namespace {

const UINT kMainIds[25] = {ID_VIEW_LIST, ID_INTERACTIVE_MODE, ID_FAST_PEN_SET, ID_ACCURATE_PEN_SET,
                           ID_HIGHLIGHT, ID_TOGGLE_ERASER, ID_TOGGLE_PEN, ID_SHAPE_FREEFORM,
                           ID_SHAPE_FREEFORM_B, ID_SHAPE_LINE, ID_SHAPE_LINE_B, ID_SHAPE_CIRCLE,
                           ID_SHAPE_CIRCLE_B, ID_SHAPE_RECTANGLE, ID_SHAPE_RECTANGLE_B,
                           ID_CLEAR_PAGE, ID_DELETE_PAGE, ID_BACKGROUND_PICTURE,
                           ID_BACKGROUND_CYCLE, ID_NEW_PAGE, ID_COPY_LAST_PAGE, ID_UNDO, ID_REDO,
                           ID_SAVE_BOARD, ID_MORE_TOOLS};
const UINT kMoreIds[4] = {ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT, ID_SCREEN_SHADE, ID_SPOTLIGHT};

// A toolbar that also records the buttons it is told to hide or show, in order.
class CRecordingToolBar : public CToolBarEx {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == TB_HIDEBUTTON)
            m_hideCalls.emplace_back(static_cast<UINT>(wParam), LOWORD(lParam) != 0);
        return CToolBarEx::WindowProc(message, wParam, lParam);
    }
    std::vector<std::pair<UINT, bool>> m_hideCalls;
};

class Toolbars : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    void TearDown() override { test::PumpMessages(); }

    bool BuildMore() { return CreateMoreToolbar(moreBar, moreImages, &host, *settings); }

    // Visible buttons grouped in rows by their top edge, each row left to right.
    std::vector<std::vector<std::pair<UINT, RECT>>> Rows(CToolBar& bar)
    {
        std::map<LONG, std::vector<std::pair<UINT, RECT>>> byTop;
        for (int i = 0; i < bar.GetCount(); ++i) {
            if (bar.GetButtonState(i) & TBSTATE_HIDDEN)
                continue;
            RECT r = bar.GetItemRect(i);
            byTop[r.top].emplace_back(bar.GetItemID(i), r);
        }
        std::vector<std::vector<std::pair<UINT, RECT>>> rows;
        for (auto& entry : byTop) {
            std::sort(entry.second.begin(), entry.second.end(),
                      [](const auto& a, const auto& b) { return a.second.left < b.second.left; });
            rows.push_back(entry.second);
        }
        return rows;
    }

    CSettings settings;
    CHostFrame host;
    CRecordingToolBar mainBar;
    CToolBarEx moreBar;
    CToolbarImages mainImages;
    CToolbarImages moreImages;
};

// ---- Building ----

struct LayoutCase {
    const char* name;
    int tool;
    UINT rows[10][2];
};

class MainLayout : public Toolbars, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(MainLayout, TenRowsOfTwoWithEitherButtonSet)
{
    const LayoutCase& c = GetParam();
    settings.Record().surface = SURFACE_BOARD;
    settings.Record().boardTool = c.tool;
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    EXPECT_EQ(mainBar.GetButtonCount(), 25);

    auto rows = Rows(mainBar);
    ASSERT_EQ(rows.size(), 10u);
    RECT first = rows[0][0].second;
    int w = first.right - first.left;
    int h = first.bottom - first.top;
    EXPECT_EQ(w, 32);   // the 25-pixel picture and the button's frame
    EXPECT_EQ(h, 32);
    for (size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 2u) << "row " << r;
        for (size_t col = 0; col < 2; ++col) {
            EXPECT_EQ(rows[r][col].first, c.rows[r][col]) << "row " << r << " column " << col;
            const RECT& rc = rows[r][col].second;
            // A grid with no gaps: column 0 and 1 side by side, rows one under the other.
            EXPECT_EQ(rc.left, first.left + static_cast<LONG>(col) * w) << "row " << r;
            EXPECT_EQ(rc.top, first.top + static_cast<LONG>(r) * h) << "row " << r;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Toolbars, MainLayout,
    ::testing::Values(
        LayoutCase{"Pen", STYLE_PEN,
                   {{ID_VIEW_LIST, ID_INTERACTIVE_MODE}, {ID_FAST_PEN_SET, ID_ACCURATE_PEN_SET},
                    {ID_HIGHLIGHT, ID_TOGGLE_ERASER}, {ID_SHAPE_FREEFORM, ID_SHAPE_LINE},
                    {ID_SHAPE_CIRCLE, ID_SHAPE_RECTANGLE}, {ID_CLEAR_PAGE, ID_DELETE_PAGE},
                    {ID_BACKGROUND_PICTURE, ID_BACKGROUND_CYCLE}, {ID_NEW_PAGE, ID_COPY_LAST_PAGE},
                    {ID_UNDO, ID_REDO}, {ID_SAVE_BOARD, ID_MORE_TOOLS}}},
        LayoutCase{"Highlighter", STYLE_HIGHLIGHTER,
                   {{ID_VIEW_LIST, ID_INTERACTIVE_MODE}, {ID_FAST_PEN_SET, ID_ACCURATE_PEN_SET},
                    {ID_HIGHLIGHT, ID_TOGGLE_ERASER}, {ID_SHAPE_FREEFORM, ID_SHAPE_LINE},
                    {ID_SHAPE_CIRCLE, ID_SHAPE_RECTANGLE}, {ID_CLEAR_PAGE, ID_DELETE_PAGE},
                    {ID_BACKGROUND_PICTURE, ID_BACKGROUND_CYCLE}, {ID_NEW_PAGE, ID_COPY_LAST_PAGE},
                    {ID_UNDO, ID_REDO}, {ID_SAVE_BOARD, ID_MORE_TOOLS}}},
        LayoutCase{"Eraser", STYLE_ERASER,
                   {{ID_VIEW_LIST, ID_INTERACTIVE_MODE}, {ID_FAST_PEN_SET, ID_ACCURATE_PEN_SET},
                    {ID_HIGHLIGHT, ID_TOGGLE_PEN}, {ID_SHAPE_FREEFORM_B, ID_SHAPE_LINE_B},
                    {ID_SHAPE_CIRCLE_B, ID_SHAPE_RECTANGLE_B}, {ID_CLEAR_PAGE, ID_DELETE_PAGE},
                    {ID_BACKGROUND_PICTURE, ID_BACKGROUND_CYCLE}, {ID_NEW_PAGE, ID_COPY_LAST_PAGE},
                    {ID_UNDO, ID_REDO}, {ID_SAVE_BOARD, ID_MORE_TOOLS}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Toolbars, MainToolbarButtonsAreTheResourceInOrderWithTheWrapsOfItsPairs)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    ASSERT_EQ(mainBar.GetCount(), 25);
    std::vector<int> wrapped;
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(mainBar.GetItemID(i), kMainIds[i]) << i;
        if (mainBar.GetButtonState(i) & TBSTATE_WRAP)
            wrapped.push_back(i);
    }
    EXPECT_EQ(wrapped, (std::vector<int>{1, 3, 5, 6, 9, 10, 13, 14, 16, 18, 20, 22, 24}));
    EXPECT_EQ(mainBar.GetColumns(), 2);
}

TEST_F(Toolbars, MainToolbarFloatsHiddenAtItsPlaceAndCountsAsVisible)
{
    settings.Record().boardToolbarX = 700;
    settings.Record().boardToolbarY = 250;
    settings.Record().boardToolbarVisible = 0;
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    EXPECT_EQ(settings.Record().boardToolbarVisible, 1);
    ASSERT_TRUE(mainBar.IsFloating());
    HWND floating = mainBar.GetMiniFrame()->m_hWnd;
    EXPECT_FALSE(::IsWindowVisible(floating));
    EXPECT_FALSE(mainBar.IsVisible());
    RECT rect{};
    ::GetWindowRect(floating, &rect);
    EXPECT_EQ(rect.left, 700);
    EXPECT_EQ(rect.top, 250);
    // The floating window holds the buttons exactly.
    RECT client{};
    ::GetClientRect(floating, &client);
    SIZE size = mainBar.CalcSize();
    EXPECT_EQ(client.right, size.cx);
    EXPECT_EQ(client.bottom, size.cy);
    EXPECT_GE(size.cx, 64);
    EXPECT_GE(size.cy, 320);
    // The control paints its own face; the frame's style bits never reach it.
    LONG_PTR style = ::GetWindowLongPtrA(mainBar.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & TBSTYLE_TRANSPARENT, 0);
    EXPECT_EQ(style & TBSTYLE_FLAT, TBSTYLE_FLAT);
    EXPECT_EQ(mainBar.GetBarStyle() & (CBRS_ALIGN_ANY | CBRS_FLOATING), CBRS_ALIGN_TOP | CBRS_FLOATING);
}

TEST_F(Toolbars, SecondaryToolbarIsOneColumnOfFourAndStartsUnwanted)
{
    settings.Record().moreToolbarX = 900;
    settings.Record().moreToolbarY = 300;
    settings.Record().moreToolbarVisible = 1;
    ASSERT_TRUE(BuildMore());
    EXPECT_EQ(settings.Record().moreToolbarVisible, 0);
    ASSERT_EQ(moreBar.GetButtonCount(), 4);
    auto rows = Rows(moreBar);
    ASSERT_EQ(rows.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(rows[static_cast<size_t>(i)].size(), 1u);
        EXPECT_EQ(rows[static_cast<size_t>(i)][0].first, kMoreIds[i]);
    }
    ASSERT_TRUE(moreBar.IsFloating());
    RECT rect{};
    ::GetWindowRect(moreBar.GetMiniFrame()->m_hWnd, &rect);
    EXPECT_EQ(rect.left, 900);
    EXPECT_EQ(rect.top, 300);
    EXPECT_FALSE(::IsWindowVisible(moreBar.GetMiniFrame()->m_hWnd));
}

TEST_F(Toolbars, AMissingResourceFailsTheBuild)
{
    CToolBarEx bar;
    ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT, WS_CHILD, AFX_IDW_TOOLBAR));
    EXPECT_FALSE(bar.LoadToolBar(999));
    EXPECT_TRUE(bar.LoadToolBar(IDR_MORE_TOOLBAR));
    EXPECT_EQ(bar.GetCount(), 4);
}

// ---- The button-set rule ----

struct SetCase {
    const char* name;
    int tool;
    bool setAHidden;
};

class ButtonSet : public Toolbars, public ::testing::WithParamInterface<SetCase> {};

TEST_P(ButtonSet, HidesOneSetButtonByButtonSetAFirst)
{
    const SetCase& c = GetParam();
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    // Start from the opposite of what the rule will give.
    ApplyButtonSet(mainBar, c.setAHidden ? STYLE_PEN : STYLE_ERASER);
    mainBar.m_hideCalls.clear();

    ApplyButtonSet(mainBar, c.tool);
    std::vector<std::pair<UINT, bool>> expected;
    for (UINT id : kButtonSetA)
        expected.emplace_back(id, c.setAHidden);
    for (UINT id : kButtonSetB)
        expected.emplace_back(id, !c.setAHidden);
    EXPECT_EQ(mainBar.m_hideCalls, expected);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ((mainBar.GetButtonState(mainBar.CommandToIndex(kButtonSetA[i])) & TBSTATE_HIDDEN) != 0,
                  c.setAHidden);
        EXPECT_EQ((mainBar.GetButtonState(mainBar.CommandToIndex(kButtonSetB[i])) & TBSTATE_HIDDEN) != 0,
                  !c.setAHidden);
    }
}

INSTANTIATE_TEST_SUITE_P(Toolbars, ButtonSet,
                         ::testing::Values(SetCase{"Eraser", STYLE_ERASER, true},
                                           SetCase{"Highlighter", STYLE_HIGHLIGHTER, false},
                                           SetCase{"Pen", STYLE_PEN, false},
                                           SetCase{"NoTool", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Columns ----

TEST_F(Toolbars, SetColumnsWrapsEveryNthButton)
{
    ASSERT_TRUE(BuildMore());
    CToolBarEx bar;
    ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT, WS_CHILD, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bar.LoadToolBar(IDR_MAINFRAME));
    for (int n : {1, 2, 3, 5, 25, 30}) {
        bar.SetColumns(n);
        EXPECT_EQ(bar.GetColumns(), n);
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ((bar.GetButtonState(i) & TBSTATE_WRAP) != 0, (i + 1) % n == 0)
                << "columns " << n << " button " << i;
    }
    // Five columns of the 25 buttons lay out as five rows.
    bar.SetColumns(5);
    EXPECT_EQ(Rows(bar).size(), 5u);
    SIZE size = bar.CalcSize();
    EXPECT_EQ(size.cx, 5 * 32 + 2 * bar.GetItemRect(0).left);
}

TEST_F(Toolbars, SetColumnsKeepsOtherButtonStates)
{
    CToolBarEx bar;
    ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT, WS_CHILD, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bar.LoadToolBar(IDR_MORE_TOOLBAR));
    bar.SetButtonState(1, TBSTATE_CHECKED);
    bar.SetColumns(1);
    EXPECT_EQ(bar.GetButtonState(1), static_cast<UINT>(TBSTATE_CHECKED | TBSTATE_WRAP));
}

// ---- The floating window ----

TEST_F(Toolbars, FloatingWindowHasNoCloseBox)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    ASSERT_TRUE(BuildMore());
    for (CToolBarEx* bar : {static_cast<CToolBarEx*>(&mainBar), &moreBar}) {
        HWND floating = bar->GetMiniFrame()->m_hWnd;
        LONG_PTR style = ::GetWindowLongPtrA(floating, GWL_STYLE);
        EXPECT_EQ(style & WS_SYSMENU, 0);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);   // still dragged by its caption
        EXPECT_NE(::GetWindowLongPtrA(floating, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
        EXPECT_EQ(::GetWindow(floating, GW_OWNER), host.m_hWnd);
        EXPECT_EQ(::GetParent(bar->m_hWnd), floating);
        EXPECT_EQ(bar->IsFrameStripped(), 1);
        char title[64] = "?";
        ::GetWindowTextA(floating, title, sizeof title);
        EXPECT_STREQ(title, "");
    }
}

TEST_F(Toolbars, DockingClearsTheStrippedFlagAndFloatingAgainStripsAgain)
{
    ASSERT_TRUE(BuildMore());
    HWND floating = moreBar.GetMiniFrame()->m_hWnd;
    moreBar.DockControlBar(CBRS_ALIGN_RIGHT);
    EXPECT_FALSE(moreBar.IsFloating());
    EXPECT_EQ(::GetParent(moreBar.m_hWnd), host.m_hWnd);
    EXPECT_EQ(moreBar.IsFrameStripped(), 0);
    // The next floating window would have a close box if nobody took it away.
    ::SetWindowLongPtrA(floating, GWL_STYLE, ::GetWindowLongPtrA(floating, GWL_STYLE) | WS_SYSMENU);
    moreBar.FloatControlBar(POINT{100, 100}, CBRS_ALIGN_TOP);
    EXPECT_TRUE(moreBar.IsFloating());
    EXPECT_EQ(moreBar.IsFrameStripped(), 1);
    EXPECT_EQ(::GetWindowLongPtrA(floating, GWL_STYLE) & WS_SYSMENU, 0);
}

TEST_F(Toolbars, ClosingTheFloatingWindowOnlyHidesTheBar)
{
    ASSERT_TRUE(BuildMore());
    moreBar.ShowControlBar(true);
    HWND floating = moreBar.GetMiniFrame()->m_hWnd;
    ::SendMessageA(floating, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(floating));
    EXPECT_TRUE(::IsWindow(moreBar.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(floating));
    EXPECT_FALSE(moreBar.IsVisible());
}

TEST_F(Toolbars, ARealClickOnAFloatingButtonLeavesTheFrameActive)
{
    ASSERT_TRUE(BuildMore());
    ::SetWindowPos(host.m_hWnd, nullptr, 0, 0, 200, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetActiveWindow(host.m_hWnd);
    moreBar.ShowControlBar(true);
    test::PumpMessages(200);
    ASSERT_EQ(::GetActiveWindow(), host.m_hWnd);
    RECT button = moreBar.GetItemRect(moreBar.CommandToIndex(ID_SPOTLIGHT));
    POINT at{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ::ClientToScreen(moreBar.m_hWnd, &at);
    ::SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
    EXPECT_TRUE(test::PumpUntil([&] { return !host.m_commands.empty(); }, 3000));
    EXPECT_EQ(host.m_commands, std::vector<UINT>{ID_SPOTLIGHT});
    EXPECT_EQ(::GetActiveWindow(), host.m_hWnd);
    ::SetCursorPos(600, 600);
    moreBar.ShowControlBar(false);
}

TEST_F(Toolbars, ShowingFollowsTheRecordAtOnce)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    ASSERT_TRUE(BuildMore());
    HWND mainFloating = mainBar.GetMiniFrame()->m_hWnd;
    HWND moreFloating = moreBar.GetMiniFrame()->m_hWnd;
    struct Case {
        int boardVisible, moreVisible, show;
        bool mainShown, moreShown;
    };
    for (const Case& c : {Case{1, 0, 1, true, false}, Case{1, 1, 1, true, true},
                          Case{0, 1, 1, false, true}, Case{1, 1, 0, false, false}}) {
        settings.Record().boardToolbarVisible = c.boardVisible;
        settings.Record().moreToolbarVisible = c.moreVisible;
        ShowBoardToolbars(mainBar, moreBar, *settings, c.show);
        // No message loop in between: showing is not deferred.
        EXPECT_EQ(::IsWindowVisible(mainFloating) != FALSE, c.mainShown);
        EXPECT_EQ(::IsWindowVisible(moreFloating) != FALSE, c.moreShown);
        EXPECT_EQ(mainBar.IsVisible(), c.mainShown);
    }
}

// ---- Tooltips ----

std::string TipA(CToolBar& bar, UINT id)
{
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageA(bar.m_hWnd, TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = id;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(bar.m_hWnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : info.szText;
}

std::wstring TipW(CToolBar& bar, UINT id)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(::SendMessageA(bar.m_hWnd, TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = id;
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageA(bar.m_hWnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : info.szText;
}

TEST_F(Toolbars, EveryButtonHasTheTooltipOfItsCommand)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    ASSERT_TRUE(BuildMore());
    EXPECT_NE(::SendMessageA(mainBar.m_hWnd, TB_GETTOOLTIPS, 0, 0), 0);
    const std::map<UINT, std::string> tips = {
        {ID_VIEW_LIST, "View list"},
        {ID_INTERACTIVE_MODE, "Switch back to interactive mode\tCtrl+Q"},
        {ID_FAST_PEN_SET, "Fast pen set"},
        {ID_ACCURATE_PEN_SET, "Accurate pen set"},
        {ID_HIGHLIGHT, "Highlight"},
        {ID_TOGGLE_ERASER, "Toggle Pen &&& Eraser"},
        {ID_TOGGLE_PEN, "Toggle Pen &&& Eraser"},
        {ID_SHAPE_FREEFORM, "Draw free-form lines"},
        {ID_SHAPE_FREEFORM_B, "Draw free-form lines"},
        {ID_SHAPE_LINE, "Draw straight lines"},
        {ID_SHAPE_LINE_B, "Draw straight lines"},
        {ID_SHAPE_CIRCLE, "Draw circles"},
        {ID_SHAPE_CIRCLE_B, "Draw circles"},
        {ID_SHAPE_RECTANGLE, "Draw rectangles"},
        {ID_SHAPE_RECTANGLE_B, "Draw rectangles"},
        {ID_CLEAR_PAGE, "Clear up this page"},
        {ID_DELETE_PAGE, "Delete the current page"},
        {ID_BACKGROUND_PICTURE, "Select a background picture"},
        {ID_BACKGROUND_CYCLE, "Choose background color or pattern"},
        {ID_NEW_PAGE, "New page"},
        {ID_COPY_LAST_PAGE, "Copy drawings from the last displayed page"},
        {ID_UNDO, "Undo"},
        {ID_REDO, "Redo"},
        {ID_SAVE_BOARD, "Save this whiteboard document"},
        {ID_MORE_TOOLS, "more..."},
        {ID_FILE_PRINT_PREVIEW, "Print preview"},
        {ID_FILE_PRINT, "Print this page"},
        {ID_SCREEN_SHADE, "Show Screen shade"},
        {ID_SPOTLIGHT, "Screen spotlight"},
    };
    for (const auto& [id, tip] : tips) {
        CToolBar& bar = std::find(std::begin(kMoreIds), std::end(kMoreIds), id) != std::end(kMoreIds)
                            ? static_cast<CToolBar&>(moreBar)
                            : static_cast<CToolBar&>(mainBar);
        EXPECT_EQ(TipA(bar, id), tip) << id;
        EXPECT_EQ(TipW(bar, id), std::wstring(tip.begin(), tip.end())) << id;
        // The status prompt before "\n" is empty: the whole string is "\n" and the tip.
        EXPECT_EQ(FwLoadString(id), "\n" + tip) << id;
    }
    EXPECT_EQ(FwLoadString(ID_MINIMIZE_TOOLBAR), "\nMinimize the toolbar");
}

TEST_F(Toolbars, RestingThePointerOnAFloatingButtonShowsItsTipWhileTheFrameIsActive)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    ::SetWindowPos(host.m_hWnd, nullptr, 0, 0, 200, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetActiveWindow(host.m_hWnd);
    mainBar.ShowControlBar(true);
    test::PumpMessages(200);
    ASSERT_EQ(::GetActiveWindow(), host.m_hWnd);
    HWND tips = reinterpret_cast<HWND>(::SendMessageA(mainBar.m_hWnd, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    RECT button = mainBar.GetItemRect(mainBar.CommandToIndex(ID_BACKGROUND_PICTURE));
    POINT at{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ::ClientToScreen(mainBar.m_hWnd, &at);
    ::SetCursorPos(at.x - 3, at.y - 3);
    test::PumpMessages(100);
    ::SetCursorPos(at.x, at.y);
    EXPECT_TRUE(test::PumpUntil([&] { return ::IsWindowVisible(tips) != FALSE; }, 3000));
    char text[128] = {};
    ::SendMessageA(tips, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Select a background picture");
    // Still the frame's turn: the floating window did not take the activation.
    EXPECT_EQ(::GetActiveWindow(), host.m_hWnd);
    ::SetCursorPos(600, 600);
    mainBar.ShowControlBar(false);
}

TEST_F(Toolbars, ACommandWithoutStringHasAnEmptyTooltip)
{
    CToolBarEx bar;
    ASSERT_TRUE(bar.CreateEx(&host, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, WS_CHILD, AFX_IDW_TOOLBAR));
    const UINT ids[] = {ID_SYSTEM_SETTINGS, IDS_APP_TITLE};
    ASSERT_TRUE(bar.SetButtons(ids, 2));
    EXPECT_EQ(TipA(bar, ID_SYSTEM_SETTINGS), "");
    // A string without "\n" is a prompt only.
    EXPECT_EQ(TipA(bar, IDS_APP_TITLE), "");
}

// ---- Command states pushed at idle ----

// A command target with a table of wanted states.
class CFakeTarget : public CCmdTarget {
public:
    struct State {
        bool enabled = true;
        int check = 0;
        int show = -1;   // -1: the handler says nothing about showing
        std::function<void()> sideEffect;
    };
    bool OnCmdMsg(UINT id, CCmdUI* ui) override
    {
        auto it = m_states.find(id);
        if (it == m_states.end())
            return false;
        if (ui) {
            if (it->second.sideEffect)
                it->second.sideEffect();
            ui->Enable(it->second.enabled);
            ui->SetCheck(it->second.check);
            if (it->second.show >= 0)
                ui->Show(it->second.show != 0);
        }
        return true;
    }
    std::map<UINT, State> m_states;
};

UINT StateOf(CToolBar& bar, UINT id)
{
    return bar.GetButtonState(bar.CommandToIndex(id)) &
           (TBSTATE_ENABLED | TBSTATE_CHECKED | TBSTATE_HIDDEN);
}

TEST_F(Toolbars, CommandStatesReachTheButtons)
{
    ASSERT_TRUE(BuildMore());
    CFakeTarget target;
    target.m_states[ID_FILE_PRINT_PREVIEW] = {true, 1, -1, nullptr};
    target.m_states[ID_FILE_PRINT] = {false, 0, -1, nullptr};
    target.m_states[ID_SCREEN_SHADE] = {true, 0, 0, nullptr};
    // ID_SPOTLIGHT: nobody owns it.
    moreBar.UpdateCommandStates(target);
    EXPECT_EQ(StateOf(moreBar, ID_FILE_PRINT_PREVIEW), static_cast<UINT>(TBSTATE_ENABLED | TBSTATE_CHECKED));
    EXPECT_EQ(StateOf(moreBar, ID_FILE_PRINT), 0u);
    EXPECT_EQ(StateOf(moreBar, ID_SCREEN_SHADE), static_cast<UINT>(TBSTATE_ENABLED | TBSTATE_HIDDEN));
    EXPECT_EQ(StateOf(moreBar, ID_SPOTLIGHT), 0u);

    // The next push undoes what the handlers no longer ask for.
    target.m_states[ID_FILE_PRINT_PREVIEW] = {true, 0, -1, nullptr};
    target.m_states[ID_FILE_PRINT] = {true, 0, -1, nullptr};
    target.m_states[ID_SCREEN_SHADE] = {true, 0, 1, nullptr};
    target.m_states[ID_SPOTLIGHT] = {true, 0, -1, nullptr};
    moreBar.UpdateCommandStates(target);
    for (UINT id : kMoreIds)
        EXPECT_EQ(StateOf(moreBar, id), static_cast<UINT>(TBSTATE_ENABLED)) << id;
}

TEST_F(Toolbars, AButtonNobodyShowsOrHidesKeepsItsVisibility)
{
    settings.Record().surface = SURFACE_BOARD;
    settings.Record().boardTool = STYLE_ERASER;
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    CFakeTarget target;
    for (UINT id : kMainIds)
        target.m_states[id] = {};
    mainBar.UpdateCommandStates(target);
    for (UINT id : kButtonSetA)
        EXPECT_NE(StateOf(mainBar, id) & TBSTATE_HIDDEN, 0u) << id;
    for (UINT id : kButtonSetB)
        EXPECT_EQ(StateOf(mainBar, id) & TBSTATE_HIDDEN, 0u) << id;
}

TEST_F(Toolbars, AHandlerThatSwapsTheButtonSetsWinsOverTheStateItWasAskedFrom)
{
    // As the frame does: the state step of the toggles and of "Highlight" runs the rule.
    settings.Record().surface = SURFACE_BOARD;
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    CFakeTarget target;
    for (UINT id : kMainIds)
        target.m_states[id] = {};
    auto rule = [this] { ApplyButtonSet(mainBar, settings.operator*().GetCurrentTool()); };
    target.m_states[ID_TOGGLE_ERASER].sideEffect = rule;
    target.m_states[ID_TOGGLE_PEN] = {true, 1, -1, rule};
    target.m_states[ID_HIGHLIGHT].sideEffect = rule;

    settings.Record().boardTool = STYLE_ERASER;
    mainBar.UpdateCommandStates(target);
    EXPECT_EQ(StateOf(mainBar, ID_TOGGLE_ERASER), static_cast<UINT>(TBSTATE_ENABLED | TBSTATE_HIDDEN));
    EXPECT_EQ(StateOf(mainBar, ID_TOGGLE_PEN), static_cast<UINT>(TBSTATE_ENABLED | TBSTATE_CHECKED));
    EXPECT_EQ(Rows(mainBar)[2][1].first, ID_TOGGLE_PEN);

    settings.Record().boardTool = STYLE_PEN;
    mainBar.UpdateCommandStates(target);
    EXPECT_EQ(StateOf(mainBar, ID_TOGGLE_ERASER), static_cast<UINT>(TBSTATE_ENABLED));
    EXPECT_EQ(StateOf(mainBar, ID_TOGGLE_PEN) & TBSTATE_HIDDEN, static_cast<UINT>(TBSTATE_HIDDEN));
    auto rows = Rows(mainBar);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[2][1].first, ID_TOGGLE_ERASER);
}

// ---- Mouse ----

TEST_F(Toolbars, AClickOnAButtonIsACommandForTheFrame)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    RECT r = mainBar.GetItemRect(mainBar.CommandToIndex(ID_NEW_PAGE));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONUP, 0, at);
    test::PumpMessages();
    EXPECT_EQ(host.m_commands, std::vector<UINT>{ID_NEW_PAGE});

    // A disabled button does nothing.
    host.m_commands.clear();
    mainBar.SetButtonState(mainBar.CommandToIndex(ID_NEW_PAGE), 0);
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONUP, 0, at);
    test::PumpMessages();
    EXPECT_TRUE(host.m_commands.empty());
}

TEST_F(Toolbars, APressTellsTheListenerWhereOnTheScreenItWas)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    // Without a listener a press is only a press.
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    test::PumpMessages();
    host.m_commands.clear();

    std::vector<POINT> told;
    mainBar.SetLButtonDownListener([&](int x, int y) { told.push_back(POINT{x, y}); });
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    ::SendMessageA(mainBar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    RECT window{};
    ::GetWindowRect(mainBar.m_hWnd, &window);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].x, window.left + 5);
    EXPECT_EQ(told[0].y, window.top + 7);
    // The press still works the button under it.
    test::PumpMessages();
    EXPECT_EQ(host.m_commands, std::vector<UINT>{ID_VIEW_LIST});
}

// ---- Pictures ----

// How many pixels of a button's 25 x 25 picture show the strip's picture: mask-coloured
// pixels the button's face, the others the strip's colour laid over the face with the strip's
// opacity (32-bit strips carry one; 24-bit pictures are opaque). The picture's place in the
// button is searched for.
struct PictureMatch {
    int matched = 0;
    int total = 0;
};

PictureMatch MatchPicture(const CPixels& bar, const RECT& button, UINT stripId, int index,
                          COLORREF face)
{
    CBitmap strip(static_cast<HBITMAP>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(stripId),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    EXPECT_TRUE(strip && ::GetObjectA(strip.Get(), sizeof dib, &dib) == sizeof dib) << stripId;
    if (!strip)
        return {};
    const BYTE* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    int bytes = dib.dsBm.bmBitsPixel / 8;
    auto expected = [&](int x, int y) {
        const BYTE* p = bits + (dib.dsBm.bmHeight - 1 - y) * dib.dsBm.bmWidthBytes + (index * 25 + x) * bytes;
        COLORREF colour = RGB(p[2], p[1], p[0]);
        if (colour == RGB(230, 230, 230))
            return face;
        int alpha = bytes == 4 ? p[3] : 255;
        auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
        return RGB(mix(p[2], GetRValue(face)), mix(p[1], GetGValue(face)), mix(p[0], GetBValue(face)));
    };
    auto close = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 2;
    };
    PictureMatch best;
    for (int dy = 0; dy <= 7; ++dy) {
        for (int dx = 0; dx <= 7; ++dx) {
            PictureMatch m;
            for (int y = 0; y < 25; ++y) {
                for (int x = 0; x < 25; ++x) {
                    ++m.total;
                    int bx = button.left + dx + x, by = button.top + dy + y;
                    if (bx < bar.width && by < bar.height && close(bar.At(bx, by), expected(x, y)))
                        ++m.matched;
                }
            }
            if (m.matched > best.matched)
                best = m;
        }
    }
    return best;
}

TEST_F(Toolbars, ButtonsShowTheirPictureNormalOrGreyedWithTheMaskTransparent)
{
    ASSERT_TRUE(CreateMainToolbar(mainBar, mainImages, &host, *settings));
    mainBar.SetButtonState(mainBar.CommandToIndex(ID_UNDO), 0);   // disabled
    settings.Record().boardToolbarVisible = 1;
    mainBar.ShowControlBar(true);
    test::PumpMessages(300);
    RECT client{};
    ::GetClientRect(mainBar.m_hWnd, &client);
    CPixels shown = Capture(mainBar.m_hWnd, client);
    COLORREF face = shown.At(0, 0);
    EXPECT_NE(face, RGB(230, 230, 230));

    struct Case {
        UINT id;
        UINT strip;
        int picture;
    };
    for (const Case& c : {Case{ID_VIEW_LIST, IDB_MAIN_TOOLBAR, 0},
                          Case{ID_HIGHLIGHT, IDB_MAIN_TOOLBAR, 4},
                          Case{ID_SHAPE_CIRCLE, IDB_MAIN_TOOLBAR, 11},
                          Case{ID_MORE_TOOLS, IDB_MAIN_TOOLBAR, 24},
                          Case{ID_UNDO, IDB_MAIN_TOOLBAR_DISABLED, 21}}) {
        PictureMatch m = MatchPicture(shown, mainBar.GetItemRect(mainBar.CommandToIndex(c.id)), c.strip,
                                      c.picture, face);
        EXPECT_EQ(m.matched, m.total) << c.id;
    }
    // No pixel of the mask colour reaches the screen.
    int maskPixels = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            maskPixels += shown.At(x, y) == RGB(230, 230, 230);
    EXPECT_EQ(maskPixels, 0);
    mainBar.ShowControlBar(false);
}

} // namespace
