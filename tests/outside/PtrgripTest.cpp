// The pointer library's right-button simulation, driven with injected input like a pen's clicks.
#include "framework/Handles.h"
#include "framework/Module.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> g_buttons;

LRESULT CALLBACK Target(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        g_buttons.push_back(message);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

class RightButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        library.Reset(::LoadLibraryA((test::ProgramFolder() + "Ptrgrip.dll").c_str()));
        ASSERT_TRUE(library);
        startHookR = FwGetProc<void(__cdecl*)()>(library.Get(), "StartHookR");
        ASSERT_NE(startHookR, nullptr);

        WNDCLASSA wc{};
        wc.lpfnWndProc = &Target;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "RightButtonTarget";
        ::RegisterClassA(&wc);
        window = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "target", WS_POPUP | WS_VISIBLE,
                                   100, 100, 300, 300, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(window);
        test::PumpMessages(100);
        g_buttons.clear();
    }

    void TearDown() override
    {
        ::DestroyWindow(window);
        library.Reset();
    }

    // A left click in the middle of the window, as hardware input.
    void Click()
    {
        ::SetCursorPos(250, 250);
        test::PumpMessages(50);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof inputs[0]);
        test::PumpUntil([] { return g_buttons.size() >= 2; }, 2000);
        test::PumpMessages(100);
    }

    CModule library;
    void(__cdecl* startHookR)() = nullptr;
    HWND window = nullptr;
};

const std::vector<UINT> kRight = {WM_RBUTTONDOWN, WM_RBUTTONUP};
const std::vector<UINT> kLeft = {WM_LBUTTONDOWN, WM_LBUTTONUP};

TEST_F(RightButton, NextClickArrivesAsARightClickThenItDisarms)
{
    startHookR();
    Click();
    EXPECT_EQ(g_buttons, kRight);
    g_buttons.clear();
    Click();
    EXPECT_EQ(g_buttons, kLeft);
}

TEST_F(RightButton, ArmingTwiceConvertsOneClickOnly)
{
    startHookR();
    startHookR();
    Click();
    EXPECT_EQ(g_buttons, kRight);
    g_buttons.clear();
    Click();
    EXPECT_EQ(g_buttons, kLeft);
}

TEST_F(RightButton, UnarmedClicksStayLeftClicks)
{
    Click();
    EXPECT_EQ(g_buttons, kLeft);
}

} // namespace
