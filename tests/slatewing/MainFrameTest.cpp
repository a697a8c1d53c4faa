// The main frame: the command-state rules, the tool and shape commands, showing and hiding the
// board, returning to the desktop, the close sequence and the tray icon's record.
#include "tests/slatewing/Whiteboard.h"

#include "app/MainFrameBars.h"
#include "app/ToolBarEx.h"

#include <string>
#include <vector>

using namespace whiteboard_test;

namespace {

class MainFrame : public Whiteboard {};

// ---- Command states ----

struct StateCase {
    const char* name;
    int tool;
    int shape;
    UINT id;
    int checked;
};

class CommandState : public MainFrame, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CommandState, FollowsTheCurrentToolAndShape)
{
    const StateCase& c = GetParam();
    Record().surface = SURFACE_BOARD;
    app.Settings().SetCurrentTool(c.tool);
    app.Settings().SetCurrentShape(c.shape);
    CCmdUI ui = StateOf(c.id);
    EXPECT_TRUE(ui.IsHandled());
    EXPECT_EQ(ui.GetCheck(), c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, CommandState,
    ::testing::Values(StateCase{"HighlightWithThePen", STYLE_PEN, 1, ID_HIGHLIGHT, 0},
                      StateCase{"HighlightWithTheHighlighter", STYLE_HIGHLIGHTER, 1, ID_HIGHLIGHT, 1},
                      StateCase{"PenToggleAlwaysChecked", STYLE_ERASER, 1, ID_TOGGLE_PEN, 1},
                      StateCase{"PenToggleCheckedWithThePenToo", STYLE_PEN, 1, ID_TOGGLE_PEN, 1},
                      StateCase{"FreeformA", STYLE_PEN, 1, ID_SHAPE_FREEFORM, 1},
                      StateCase{"FreeformB", STYLE_ERASER, 1, ID_SHAPE_FREEFORM_B, 1},
                      StateCase{"LineNotChosen", STYLE_PEN, 1, ID_SHAPE_LINE, 0},
                      StateCase{"LineA", STYLE_PEN, 2, ID_SHAPE_LINE, 1},
                      StateCase{"LineB", STYLE_ERASER, 2, ID_SHAPE_LINE_B, 1},
                      StateCase{"CircleA", STYLE_HIGHLIGHTER, 3, ID_SHAPE_CIRCLE, 1},
                      StateCase{"CircleB", STYLE_ERASER, 3, ID_SHAPE_CIRCLE_B, 1},
                      StateCase{"RectangleA", STYLE_PEN, 4, ID_SHAPE_RECTANGLE, 1},
                      StateCase{"RectangleB", STYLE_ERASER, 4, ID_SHAPE_RECTANGLE_B, 1},
                      StateCase{"FreeformNotChosen", STYLE_PEN, 4, ID_SHAPE_FREEFORM, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrame, UndoAndRedoAreEnabledByTheView)
{
    Record().surface = SURFACE_BOARD;
    EXPECT_FALSE(StateOf(ID_UNDO).IsEnabled());
    EXPECT_FALSE(StateOf(ID_REDO).IsEnabled());
    Stroke({{100, 100}, {200, 120}});
    EXPECT_TRUE(StateOf(ID_UNDO).IsEnabled());
    EXPECT_FALSE(StateOf(ID_REDO).IsEnabled());
    Command(ID_UNDO);
    EXPECT_FALSE(StateOf(ID_UNDO).IsEnabled());
    EXPECT_TRUE(StateOf(ID_REDO).IsEnabled());
    Command(ID_REDO);
    EXPECT_TRUE(StateOf(ID_UNDO).IsEnabled());
}

TEST_F(MainFrame, CommandsThatAreAlwaysEnabled)
{
    for (UINT id : {ID_COPY_LAST_PAGE, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT, ID_TRAY_EXIT}) {
        CCmdUI ui = StateOf(id);
        EXPECT_TRUE(ui.IsHandled()) << id;
        EXPECT_TRUE(ui.IsEnabled()) << id;
    }
}

TEST_F(MainFrame, MoreToolsTogglesAndShowsItsCheck)
{
    Record().moreToolbarVisible = 0;
    EXPECT_EQ(StateOf(ID_MORE_TOOLS).GetCheck(), 0);
    Command(ID_MORE_TOOLS);
    EXPECT_EQ(Record().moreToolbarVisible, 1);
    EXPECT_EQ(StateOf(ID_MORE_TOOLS).GetCheck(), 1);
    Command(ID_MORE_TOOLS);
    EXPECT_EQ(Record().moreToolbarVisible, 0);
}

TEST_F(MainFrame, ViewListTogglesThePageList)
{
    EXPECT_EQ(StateOf(ID_VIEW_LIST).GetCheck(), 0);
    Command(ID_VIEW_LIST);
    EXPECT_EQ(StateOf(ID_VIEW_LIST).GetCheck(), 1);
    Command(ID_VIEW_LIST);
    EXPECT_EQ(StateOf(ID_VIEW_LIST).GetCheck(), 0);
}

// ---- Tool and shape commands ----

TEST_F(MainFrame, HighlightPressedTwiceReturnsToThePen)
{
    Record().surface = SURFACE_BOARD;
    app.Settings().SetCurrentTool(STYLE_ERASER);
    Command(ID_HIGHLIGHT);
    EXPECT_EQ(app.Settings().GetCurrentTool(), STYLE_HIGHLIGHTER);
    Command(ID_HIGHLIGHT);
    EXPECT_EQ(app.Settings().GetCurrentTool(), STYLE_PEN);
}

TEST_F(MainFrame, TheToggleButtonsChooseEraserAndPen)
{
    Record().surface = SURFACE_BOARD;
    Command(ID_TOGGLE_ERASER);
    EXPECT_EQ(app.Settings().GetCurrentTool(), STYLE_ERASER);
    Command(ID_TOGGLE_PEN);
    EXPECT_EQ(app.Settings().GetCurrentTool(), STYLE_PEN);
}

TEST_F(MainFrame, ShapeCommandsOfBothSetsChooseTheCurrentToolsShape)
{
    Record().surface = SURFACE_BOARD;
    const std::pair<UINT, int> table[] = {
        {ID_SHAPE_LINE, 2},   {ID_SHAPE_CIRCLE_B, 3},   {ID_SHAPE_RECTANGLE, 4},
        {ID_SHAPE_FREEFORM_B, 1}, {ID_SHAPE_CIRCLE, 3}, {ID_SHAPE_LINE_B, 2},
        {ID_SHAPE_RECTANGLE_B, 4}, {ID_SHAPE_FREEFORM, 1},
    };
    for (auto [id, shape] : table) {
        Command(id);
        EXPECT_EQ(app.Settings().GetCurrentShape(), shape) << id;
    }
}

TEST_F(MainFrame, PenSetButtonsChooseTheSheetKind)
{
    Command(ID_FAST_PEN_SET);
    EXPECT_EQ(Record().penSheetKind, 2);
    Command(ID_ACCURATE_PEN_SET);
    EXPECT_EQ(Record().penSheetKind, 1);
}

TEST_F(MainFrame, NewPageGoesAfterTheCurrentOne)
{
    Command(ID_NEW_PAGE);
    Command(ID_NEW_PAGE);
    ASSERT_EQ(doc->CountPages(), 3);
    doc->GoToPageNumber(1);
    Command(ID_NEW_PAGE);
    EXPECT_EQ(doc->CountPages(), 4);
    EXPECT_EQ(doc->IndexOfCurrentPage(), 1);
}

// ---- The two surfaces ----

TEST_F(MainFrame, ShowBoardCoversTheScreenTheFirstTimeOnly)
{
    EXPECT_EQ(frame->IsBoardShownOnce(), 0);
    ::SendMessageA(frameWnd, WM_SHOW_WHITEBOARD, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(frameWnd));
    EXPECT_EQ(app.Settings().GetSurface(), SURFACE_BOARD);
    EXPECT_EQ(Record().trayMenuEnabled, 0);
    EXPECT_TRUE(view->m_pDesktopSnapshot);
    RECT rc{};
    ::GetWindowRect(frameWnd, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NE(::GetWindowLongPtrA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    frame->HideBoard();
    EXPECT_FALSE(::IsWindowVisible(frameWnd));
    ::SetWindowPos(frameWnd, nullptr, 10, 20, 300, 200, SWP_NOZORDER);
    frame->ShowBoard();
    ::GetWindowRect(frameWnd, &rc);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 20);
}

TEST_F(MainFrame, TheBoardComesWithItsToolbarAndPageNumber)
{
    view->AddPage();
    view->AddPage();
    frame->ShowBoard();
    test::PumpMessages(100);
    HWND panel = frame->Bars().StatusPanelWindow();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(::IsWindowVisible(panel));
    EXPECT_EQ(frame->Bars().StatusPage(), 3);
    // The label's digits are drawn on the key colour.
    CWindowDC dc(panel);
    int dark = 0, key = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 70; ++x) {
            COLORREF c = ::GetPixel(dc.Get(), x, y);
            dark += GetRValue(c) < 20;
            key += c == RGB(40, 40, 40);
        }
    EXPECT_GT(dark, 10);
    EXPECT_GT(key, 500);
    EXPECT_TRUE(frame->Bars().MainBar().IsVisible());
    frame->HideBoard();
    EXPECT_FALSE(::IsWindowVisible(panel));
    EXPECT_FALSE(frame->Bars().MainBar().IsVisible());
}

TEST_F(MainFrame, ReturnToTheDesktopHidesTheBoardAndWaits)
{
    frame->ShowBoard();
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    Command(ID_INTERACTIVE_MODE);
    ::QueryPerformanceCounter(&t1);
    EXPECT_FALSE(::IsWindowVisible(frameWnd));
    EXPECT_EQ(app.Settings().GetSurface(), SURFACE_DESKTOP);
    EXPECT_EQ(Record().trayMenuEnabled, 1);
    EXPECT_GE(1000.0 * (t1.QuadPart - t0.QuadPart) / f.QuadPart, 195.0);
}

// ---- Closing ----

struct CloseCase {
    const char* name;
    int boardChanged;
    int answer;          // what the save question answers
    bool onBoard;
    bool closes;
    int asked;
};

class CloseSequence : public MainFrame, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseSequence, FollowsTheAnswer)
{
    const CloseCase& c = GetParam();
    if (c.onBoard)
        frame->ShowBoard();
    else
        Record().surface = SURFACE_DESKTOP;
    Record().trayMenuEnabled = 1;
    app.Settings().SetBoardChanged(c.boardChanged);
    int asked = 0;
    bool boardHiddenWhileAsked = false;
    frame->m_askToSave = [&] {
        ++asked;
        boardHiddenWhileAsked = !::IsWindowVisible(frameWnd);
        EXPECT_EQ(Record().trayMenuEnabled, 0);
        // A second close request while the question is open is ignored.
        ::SendMessageA(frameWnd, WM_CLOSE, 0, 0);
        return c.answer;
    };
    ::SendMessageA(frameWnd, WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(!::IsWindow(frameWnd), c.closes);
    if (c.asked) {
        EXPECT_TRUE(boardHiddenWhileAsked);
    }
    if (!c.closes) {
        EXPECT_EQ(frame->IsClosing(), 0);
        EXPECT_EQ(Record().trayMenuEnabled, 1);
        EXPECT_EQ(::IsWindowVisible(frameWnd) != 0, c.onBoard);   // back where it was
        EXPECT_EQ(app.Settings().IsBoardChanged(), 1);
    } else {
        EXPECT_EQ(app.Settings().IsBoardChanged(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frame, CloseSequence,
    ::testing::Values(CloseCase{"UnchangedClosesWithoutAsking", 0, IDCANCEL, true, true, 0},
                      CloseCase{"CancelKeepsTheBoard", 1, IDCANCEL, true, false, 1},
                      CloseCase{"CancelOnTheDesktop", 1, IDCANCEL, false, false, 1},
                      CloseCase{"NoCloses", 1, IDNO, true, true, 1},
                      CloseCase{"YesSavesAndCloses", 1, IDYES, false, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrame, TheSaveQuestionNamesTheBoardByTheClock)
{
    test::MessageBoxWatcher boxes;
    doc->SetTimeStampTitle();
    std::string title = doc->GetTitle();
    ASSERT_EQ(title.size(), 12u);
    EXPECT_EQ(title.find_first_not_of("0123456789"), std::string::npos);
    doc->AskToSaveChanges();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Do you want to save the changes to " + title + "?");
    EXPECT_EQ(boxes.Seen()[0].caption, "Inkvane");
}

// ---- The tray icon ----

TEST(TrayIcon, RecordNamesTheFrameTheMessageAndTheTip)
{
    CNotify icon;
    icon.SetUp(reinterpret_cast<HWND>(0x1234));
    const NOTIFYICONDATAA& data = icon.Data();
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE));
    EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, 2570u);
    EXPECT_STREQ(data.szTip, "Inkvane");
}

int g_menusOpened = 0;

// Counts the menus opened for the frame and closes each at once, so no menu loop waits.
LRESULT CALLBACK CountMenus(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && call->hwnd == CWnd::HandleOf(g_pMainFrame)) {
        ++g_menusOpened;
        ::PostMessageA(call->hwnd, WM_CANCELMODE, 0, 0);
        ::EndMenu();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainFrame, TrayMenuOpensOnButtonPressesOnlyWhileItIsOn)
{
    g_menusOpened = 0;
    CHookHandle hook(::SetWindowsHookExA(WH_CALLWNDPROC, &CountMenus, nullptr, ::GetCurrentThreadId()));
    Record().trayMenuEnabled = 0;
    ::SendMessageA(frameWnd, WM_TRAY_NOTIFY, CNotify::ICON_ID, WM_RBUTTONDOWN);
    Record().trayMenuEnabled = 1;
    for (LPARAM mouse : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONDOWN})
        ::SendMessageA(frameWnd, WM_TRAY_NOTIFY, CNotify::ICON_ID, mouse);
    EXPECT_EQ(g_menusOpened, 0);
    ::SendMessageA(frameWnd, WM_TRAY_NOTIFY, CNotify::ICON_ID, WM_RBUTTONDOWN);
    ::SendMessageA(frameWnd, WM_TRAY_NOTIFY, CNotify::ICON_ID, WM_LBUTTONDOWN);
    EXPECT_EQ(g_menusOpened, 2);
}

TEST_F(MainFrame, ACaptionHitIsABorderHit)
{
    ::ShowWindow(frameWnd, SW_SHOW);
    RECT rc{};
    ::GetWindowRect(frameWnd, &rc);
    LRESULT hit = ::SendMessageA(frameWnd, WM_NCHITTEST, 0, MAKELPARAM(rc.left + 2, rc.top + 2));
    EXPECT_NE(hit, HTCAPTION);
}

} // namespace
