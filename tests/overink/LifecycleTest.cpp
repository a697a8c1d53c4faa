// The desktop library's lifecycle driven as its host drives it: start, show and hide, sleep and
// wake, enable, close requests, the count of open tools, end.
#include "overink/OverinkApi.h"
#include "tests/overink/OverinkHost.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

namespace {

// Palette buttons by their control ids.
constexpr int kWhiteboardButton = 5009;
constexpr int kShadeButton = 5035;
constexpr int kSpotlightButton = 5037;
constexpr int kRightButton = 5039;
constexpr int kMinimizeButton = 5041;


using Lifecycle = OverinkHost;

TEST_F(Lifecycle, StartShowsOnlyThePaletteAndTheTaskbarEntryInMouseMode)
{
    record->surface = SURFACE_BOARD;
    record->workMode = WORK_DRAW;
    Start();
    EXPECT_EQ(record->surface, SURFACE_DESKTOP);
    EXPECT_EQ(record->workMode, WORK_MOUSE);

    ASSERT_NE(Overlay(), nullptr);
    EXPECT_TRUE(Visible(Palette()));
    EXPECT_TRUE(Visible(Owner()));
    EXPECT_TRUE(LayersHidden());

    RECT palette{};
    ::GetWindowRect(Palette(), &palette);
    EXPECT_EQ(palette.left, record->screenWidth - 160);
    EXPECT_EQ(palette.top, record->screenHeight - 400);
}

TEST_F(Lifecycle, WindowsHaveTheirTitlesStylesAndPlaces)
{
    Start();
    char title[64] = {};
    ::GetWindowTextA(Owner(), title, sizeof title);
    EXPECT_STREQ(title, "Inkvane");
    EXPECT_NE(::SendMessageA(Owner(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(::GetWindowLongPtrA(Owner(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(::GetWindow(Owner(), GW_OWNER), nullptr);

    for (HWND layer : {Overlay(), PenLayer(), HighlightLayer()}) {
        RECT rect{};
        ::GetWindowRect(layer, &rect);
        EXPECT_EQ(rect.left, 0);
        EXPECT_EQ(rect.top, 0);
        EXPECT_EQ(rect.right, record->screenWidth);
        EXPECT_EQ(rect.bottom, record->screenHeight);
        EXPECT_EQ(::GetWindowLongPtrA(layer, GWL_EXSTYLE) & 0x22, 0x22);
    }
    EXPECT_EQ(::GetWindowLongPtrA(Palette(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    int buttons = 0;
    for (HWND child = ::GetWindow(Palette(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ++buttons;
    EXPECT_EQ(buttons, 20);
}

TEST_F(Lifecycle, HidingTakesHalfASecondAndHidesEverything)
{
    record->workMode = WORK_DRAW;
    Start();
    record->workMode = WORK_DRAW;
    ShowDraw(1);
    ASSERT_TRUE(LayersShown());

    LARGE_INTEGER frequency, before, after;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&before);
    EXPECT_EQ(ShowDraw(0), 0);
    ::QueryPerformanceCounter(&after);
    double ms = 1000.0 * double(after.QuadPart - before.QuadPart) / double(frequency.QuadPart);
    EXPECT_GE(ms, 495.0);   // timer granularity aside, the wait is the point

    EXPECT_FALSE(Visible(Palette()));
    EXPECT_FALSE(Visible(Owner()));
    EXPECT_TRUE(LayersHidden());
    EXPECT_EQ(::GetWindowLongPtrA(Overlay(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    EXPECT_EQ(ShowDraw(1), 0);
    EXPECT_TRUE(Visible(Palette()));
    EXPECT_TRUE(Visible(Owner()));
    EXPECT_TRUE(LayersShown());
}

TEST_F(Lifecycle, DrawingModeShowsLayersWithTheirTransparency)
{
    Start();
    record->workMode = WORK_DRAW;
    ShowDraw(1);
    ASSERT_TRUE(LayersShown());

    struct Expected {
        HWND hwnd;
        DWORD flags;
        BYTE alpha;
    };
    for (const Expected& e : {Expected{Overlay(), LWA_ALPHA, 5},
                              Expected{PenLayer(), LWA_COLORKEY, 0},
                              Expected{HighlightLayer(), LWA_COLORKEY | LWA_ALPHA, 150}}) {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(::GetLayeredWindowAttributes(e.hwnd, &key, &alpha, &flags));
        EXPECT_EQ(flags, e.flags);
        if (flags & LWA_ALPHA) {
            EXPECT_EQ(alpha, e.alpha);
        }
        if (flags & LWA_COLORKEY) {
            EXPECT_EQ(key, RGB(255, 255, 255));
        }
    }
}

TEST_F(Lifecycle, WakeUpWaitsForTheNextPaint)
{
    Start();
    record->workMode = WORK_DRAW;
    ShowDraw(1);
    ASSERT_TRUE(LayersShown());

    EXPECT_EQ(DoForSleep(1), 1);
    EXPECT_TRUE(LayersHidden());
    EXPECT_TRUE(Visible(Palette()));   // sleeping keeps the palette
    test::PumpMessages(30);

    EXPECT_EQ(DoForSleep(0), 1);
    test::PumpMessages(30);
    EXPECT_TRUE(LayersHidden());

    PaintOwner();
    EXPECT_TRUE(LayersShown());
}

TEST_F(Lifecycle, WakeUpWithoutSleepChangesNothing)
{
    Start();
    DoForSleep(0);
    PaintOwner();
    EXPECT_TRUE(LayersHidden());

    record->workMode = WORK_DRAW;
    ShowDraw(1);
    DoForSleep(0);
    PaintOwner();
    EXPECT_TRUE(LayersShown());
}

TEST_F(Lifecycle, SleepWhileHiddenStaysHiddenUntilShown)
{
    Start();
    record->workMode = WORK_DRAW;
    ShowDraw(0);
    DoForSleep(1);
    DoForSleep(0);
    PaintOwner();
    EXPECT_TRUE(LayersHidden());
    EXPECT_FALSE(Visible(Palette()));

    // The wake-up is still pending: the hidden owner could not paint. Once shown again, its next
    // paint serves the wake-up and the layers come back.
    ShowDraw(1);
    PaintOwner();
    EXPECT_TRUE(LayersShown());
}

TEST_F(Lifecycle, CloseOnAnyWindowOnlyNotifiesTheHost)
{
    Start();
    std::vector<HWND> windows = {Owner(), Overlay(), PenLayer(), HighlightLayer(), Palette()};
    for (HWND hwnd : windows)
        ASSERT_NE(hwnd, nullptr);
    for (size_t i = 0; i < windows.size(); ++i) {
        ::SendMessageA(windows[i], WM_CLOSE, 0, 0);
        ASSERT_EQ(s_callbacks.size(), i + 1);
        EXPECT_EQ(s_callbacks.back(), DRAWCB_CLOSE);
    }
    for (HWND hwnd : windows)
        EXPECT_TRUE(::IsWindow(hwnd));
}

TEST_F(Lifecycle, EnableWndTurnsEveryWindowOffAndOn)
{
    Start();
    std::vector<HWND> windows = {Palette(), PenLayer(), HighlightLayer(), Overlay()};
    EXPECT_EQ(EnableWnd(0), 0);   // the overlay was enabled before
    for (HWND hwnd : windows)
        EXPECT_FALSE(::IsWindowEnabled(hwnd));
    EXPECT_NE(EnableWnd(1), 0);   // ... and disabled before this call
    for (HWND hwnd : windows)
        EXPECT_TRUE(::IsWindowEnabled(hwnd));
}

TEST_F(Lifecycle, OverlayMessagesShowOrDoNothing)
{
    Start();
    ShowDraw(0);
    EXPECT_EQ(::SendMessageA(Overlay(), WM_DRAW_RESERVED, 1, 2), 0);
    EXPECT_FALSE(Visible(Palette()));
    EXPECT_EQ(::SendMessageA(Overlay(), WM_DRAW_SHOW, 0, 0), 0);
    EXPECT_TRUE(Visible(Palette()));
    EXPECT_EQ(record->surface, SURFACE_DESKTOP);
}

class OpenTools : public OverinkHost, public ::testing::WithParamInterface<const char*> {};

TEST_P(OpenTools, ToolsChangedRecountsFromTheMutexes)
{
    Start();
    record->workMode = WORK_DRAW;
    CKernelHandle toolOpen(::CreateMutexA(nullptr, TRUE, GetParam()));
    ::SendMessageA(Overlay(), WM_TOOLS_CHANGED, 0, 0);

    // With a tool open, waking up must not bring the layers back.
    DoForSleep(1);
    DoForSleep(0);
    PaintOwner();
    EXPECT_TRUE(LayersHidden());

    toolOpen.Reset();
    ::SendMessageA(Overlay(), WM_TOOLS_CHANGED, 0, 0);
    ShowDraw(1);
    EXPECT_TRUE(LayersShown());
}

INSTANTIATE_TEST_SUITE_P(Mutexes, OpenTools,
                         ::testing::Values("Beamora for Inkvane", "Umbrata for Inkvane"));

TEST_F(Lifecycle, WhiteboardButtonHidesEverythingThenAsksTheHost)
{
    Start();
    ::SendMessageA(::GetDlgItem(Palette(), kWhiteboardButton), BM_CLICK, 0, 0);
    EXPECT_FALSE(Visible(Palette()));
    EXPECT_FALSE(Visible(Owner()));
    EXPECT_EQ(s_callbacks, std::vector<int>{DRAWCB_WHITEBOARD});
}

TEST_F(Lifecycle, MinimizeHidesWithoutTellingTheHost)
{
    Start();
    ::SendMessageA(::GetDlgItem(Palette(), kMinimizeButton), BM_CLICK, 0, 0);
    EXPECT_FALSE(Visible(Palette()));
    EXPECT_TRUE(s_callbacks.empty());
}

TEST_F(Lifecycle, CommandsOfLibrariesWithoutExportsDoNothing)
{
    Start();
    for (int id : {kShadeButton, kSpotlightButton, kRightButton})
        ::SendMessageA(::GetDlgItem(Palette(), id), BM_CLICK, 0, 0);
    EXPECT_TRUE(Visible(Palette()));
    EXPECT_TRUE(s_callbacks.empty());
}

TEST_F(Lifecycle, EndDrawDestroysTheWindowsAndForgetsTheCallback)
{
    Start();
    HWND overlay = Overlay();
    HWND owner = Owner();
    End();
    EXPECT_FALSE(::IsWindow(overlay));
    EXPECT_FALSE(::IsWindow(owner));
    EXPECT_EQ(Overlay(), nullptr);
    EXPECT_TRUE(test::ThreadWindows().empty());
}

} // namespace

namespace {

using Drawing = OverinkHost;

TEST_F(Drawing, ToolsHaveTheirCursorsOverTheOverlay)
{
    Start();
    record->workMode = WORK_DRAW;
    HMODULE library = overink.Get();
    const std::pair<int, int> cases[] = {{STYLE_ERASER, 5048}, {STYLE_HIGHLIGHTER, 5047},
                                         {STYLE_PEN, 5046}};
    for (const auto& [tool, resource] : cases) {
        record->deskTool = tool;
        EXPECT_EQ(::SendMessageA(Overlay(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Overlay()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  TRUE);
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(library, MAKEINTRESOURCEA(resource))) << tool;
    }
}

} // namespace
