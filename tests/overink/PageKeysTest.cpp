// Which window receives Page Up and Page Down, and how the key reaches it.
#include "app/settings/ToolSettings.h"
#include "overink/PageKeys.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KeyTarget {
public:
    KeyTarget(int w, int h, bool visible = true, bool enabled = true)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &KeyTarget::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PageKeyTarget";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowExA(0, "PageKeyTarget", "target", WS_POPUP | (visible ? WS_VISIBLE : 0),
                                   0, 0, w, h, nullptr, nullptr, wc.hInstance, nullptr);
        ::EnableWindow(m_hwnd, enabled);
    }
    ~KeyTarget() { ::DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }

    static std::vector<std::pair<UINT, WPARAM>> s_keys;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_KEYDOWN || message == WM_KEYUP)
            s_keys.push_back({message, wParam});
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd;
};

std::vector<std::pair<UINT, WPARAM>> KeyTarget::s_keys;

class PageKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        record.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        record.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        record.ownProcessId = -1;   // windows of this test count as another program's
    }
    ToolSettings record{};
};

TEST_F(PageKeys, TargetIsAnEnabledVisibleLargeWindowOfAnotherProgram)
{
    int w = record.screenWidth, h = record.screenHeight;
    struct Case {
        const char* what;
        int width, height;
        bool visible, enabled, ownProcess, target;
    };
    const Case cases[] = {
        {"full screen", w, h, true, true, false, true},
        {"exactly a quarter", w / 2, h / 2, true, true, false, true},
        {"below a quarter", w / 2, h / 2 - 1, true, true, false, false},
        {"hidden", w, h, false, true, false, false},
        {"disabled", w, h, true, false, false, false},
        {"the whiteboard's own", w, h, true, true, true, false},
    };
    for (const Case& c : cases) {
        KeyTarget window(c.width, c.height, c.visible, c.enabled);
        record.ownProcessId = c.ownProcess ? static_cast<int>(::GetCurrentProcessId()) : -1;
        EXPECT_EQ(IsTargetWindow(window.Get(), record), c.target) << c.what;
    }
}

TEST_F(PageKeys, SearchSkipsTheTopmostWindowAndSmallOnes)
{
    KeyTarget presentation(record.screenWidth, record.screenHeight);
    KeyTarget small(50, 50);
    ::SetWindowPos(presentation.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(small.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FindTargetWindow(record);
    EXPECT_EQ(record.pageKeyTarget, presentation.Get());

    // The window at the very top is never chosen, however large.
    ::SetWindowPos(presentation.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FindTargetWindow(record);
    EXPECT_NE(record.pageKeyTarget, presentation.Get());
}

TEST_F(PageKeys, NoTargetSendsNothing)
{
    KeyTarget small(40, 40);
    ::SetWindowPos(small.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    record.pageKeyTarget = small.Get();
    KeyTarget::s_keys.clear();
    // Only this process's windows and Wine's desktop exist; none qualifies below the top.
    FindTargetWindow(record);
    if (record.pageKeyTarget == nullptr) {
        SendPageKey(record, VK_NEXT, nullptr);
        test::PumpMessages(50);
        EXPECT_TRUE(KeyTarget::s_keys.empty());
    }
}

TEST_F(PageKeys, KeyReachesThePresentationAndIsNotLeftHeldDown)
{
    KeyTarget presentation(record.screenWidth, record.screenHeight);
    KeyTarget palette(30, 100);
    ::SetWindowPos(palette.Get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    record.pageKeyPauseBefore = 50;
    record.pageKeyPauseAfter = 50;
    KeyTarget::s_keys.clear();

    SendPageKey(record, VK_NEXT, palette.Get());
    EXPECT_TRUE(test::PumpUntil([] { return KeyTarget::s_keys.size() >= 2; }, 2000));
    ASSERT_FALSE(KeyTarget::s_keys.empty());
    EXPECT_EQ(KeyTarget::s_keys[0], std::make_pair(UINT(WM_KEYDOWN), WPARAM(VK_NEXT)));
    EXPECT_EQ(record.pageKeyTarget, presentation.Get());
    EXPECT_EQ(::GetAsyncKeyState(VK_NEXT) & 0x8000, 0);
    EXPECT_EQ(::GetForegroundWindow(), palette.Get());
}

} // namespace
