// The callback the desktop library uses to reach the whiteboard, and the hidden main frame it
// reaches.
#include "app/EboardApp.h"
#include "app/MainFrame.h"
#include "app/resource.h"
#include "board/BoardDoc.h"
#include "framework/DocTemplate.h"
#include "framework/Handles.h"
#include "tests/support/WineTest.h"
#include "view/BoardView.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SeenMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

HWND g_watched = nullptr;
std::vector<SeenMessage> g_sent;

// Records messages sent (not posted) to the watched window, at the moment they are sent.
LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == g_watched && call->message == WM_SHOW_WHITEBOARD)
        g_sent.push_back({call->message, call->wParam, call->lParam});
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(BoardCallback, DoesNothingBeforeTheFrameExists)
{
    ASSERT_EQ(g_pMainFrame, nullptr);
    BoardCallback(DRAWCB_CLOSE, 0, 0);
    BoardCallback(DRAWCB_WHITEBOARD, 0, 0);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

class WithMainFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.Settings().FillToolDefaults());
        app.AddDocTemplate(
            CSingleDocTemplate::Make<CBoardDoc, CMainFrame, CBoardView>(IDR_MAINFRAME));
        app.m_nCmdShow = SW_HIDE;
        ASSERT_TRUE(app.OnFileNew());
        ASSERT_NE(g_pMainFrame, nullptr);
        frame = g_pMainFrame->m_hWnd;
        g_watched = frame;
        g_sent.clear();
        hook.Reset(::SetWindowsHookExA(WH_CALLWNDPROC, &RecordSent, nullptr,
                                       ::GetCurrentThreadId()));
    }

    void TearDown() override
    {
        hook.Reset();
        if (::IsWindow(frame))
            ::DestroyWindow(frame);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    CEboardApp app;
    HWND frame = nullptr;
    CHookHandle hook;
};

TEST_F(WithMainFrame, FrameStartsHiddenOffScreenTopmostWithoutCaption)
{
    EXPECT_FALSE(::IsWindowVisible(frame));
    RECT rect{};
    ::GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.left, -200);
    EXPECT_EQ(rect.top, -200);
    EXPECT_EQ(rect.right - rect.left, 10);
    EXPECT_EQ(rect.bottom - rect.top, 10);
    LONG_PTR style = ::GetWindowLongPtrA(frame, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(::GetWindowLongPtrA(frame, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::GetMenu(frame), nullptr);
    EXPECT_EQ(app.Settings().Record()->ownProcessId, static_cast<int>(::GetCurrentProcessId()));
}

TEST_F(WithMainFrame, WhiteboardRequestIsSentBeforeTheCallbackReturns)
{
    BoardCallback(DRAWCB_WHITEBOARD, 7, 9);
    ASSERT_EQ(g_sent.size(), 1u);
    EXPECT_EQ(g_sent[0].wParam, 7u);
    EXPECT_EQ(g_sent[0].lParam, 9);
}

TEST_F(WithMainFrame, CloseRequestIsPostedAndClosesTheFrameLater)
{
    BoardCallback(DRAWCB_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(frame));   // posted, not handled inside the callback
    EXPECT_TRUE(test::PumpUntil([&] { return !::IsWindow(frame); }));
    EXPECT_EQ(g_pMainFrame, nullptr);
}

TEST_F(WithMainFrame, OtherCodesReachNothing)
{
    BoardCallback(17, 0, 0);
    BoardCallback(0, 0, 0);
    test::PumpMessages(20);
    EXPECT_TRUE(g_sent.empty());
    EXPECT_TRUE(::IsWindow(frame));
}

} // namespace
