// Windows bound to objects: binding before the first message, unbinding, reflection, strings
// and message boxes of the module.
#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/Module.h"
#include "tests/framework/resource.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingWnd : public CWnd {
public:
    std::vector<UINT> seen;
    int postNcDestroyCalls = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++postNcDestroyCalls; }

    bool Saw(UINT message) const
    {
        for (UINT m : seen)
            if (m == message)
                return true;
        return false;
    }
};

bool CreatePopup(CWnd& wnd)
{
    return wnd.CreateEx(0, nullptr, "popup", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, nullptr);
}

TEST(WindowBinding, ObjectSeesCreationMessages)
{
    RecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
}

TEST(WindowBinding, DestroyUnbindsThenCallsPostNcDestroy)
{
    RecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    HWND hwnd = wnd.m_hWnd;
    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(wnd.postNcDestroyCalls, 1);
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
}

TEST(WindowBinding, ObjectDestructionDestroysWindow)
{
    HWND hwnd;
    {
        RecordingWnd wnd;
        ASSERT_TRUE(CreatePopup(wnd));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WindowBinding, ForeignWindowsHaveNoObject)
{
    HWND plain = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
    EXPECT_EQ(CWnd::HandleOf(nullptr), nullptr);
    ::DestroyWindow(plain);
}

class DrawnButton : public CWnd {
public:
    int drawCalls = 0;
    int clicks = 0;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_DRAWITEM) {
            ++drawCalls;
            return true;
        }
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
            return true;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};

class FormWithDrawnButton : public CDialog {
public:
    FormWithDrawnButton() : CDialog(IDD_FORM) {}
    DrawnButton button;

protected:
    BOOL OnInitDialog() override
    {
        button.SubclassDlgItem(IDC_DRAWN, this);
        return TRUE;
    }
};

TEST(WindowBinding, ParentReflectsDrawingAndClicksToTheControlObject)
{
    FormWithDrawnButton form;
    ASSERT_TRUE(form.Create(static_cast<HWND>(nullptr)));
    form.ShowWindow(SW_SHOWNA);
    ::UpdateWindow(form.m_hWnd);
    test::PumpMessages(50);
    EXPECT_GT(form.button.drawCalls, 0);

    ::SendMessageA(form.button.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(form.button.clicks, 1);
}

TEST(ModuleResources, StringsComeFromThisModule)
{
    EXPECT_EQ(FwLoadString(IDS_GREETING), "Hello, board");
    EXPECT_EQ(FwLoadString(12345), "");
}

TEST(ModuleResources, MessageBoxIsCaptionedWithTheApplicationTitle)
{
    test::MessageBoxWatcher watcher;
    FwMessageBox(IDS_GREETING, MB_OK | MB_ICONERROR);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "FwTest");
    EXPECT_EQ(seen[0].text, "Hello, board");
}

struct CommandLineCase {
    std::vector<std::pair<std::string, bool>> params;   // parameter, is a flag
    CCommandLineInfo::ShellCommand command;
    std::string fileName;
};

class CommandLineParsing : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineParsing, FileNameMeansOpen)
{
    CCommandLineInfo info;
    for (const auto& [param, isFlag] : GetParam().params)
        info.ParseParam(param, isFlag);
    EXPECT_EQ(info.m_nShellCommand, GetParam().command);
    EXPECT_EQ(info.m_strFileName, GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParsing,
    ::testing::Values(CommandLineCase{{}, CCommandLineInfo::FileNew, ""},
                      CommandLineCase{{{"board.jpg", false}}, CCommandLineInfo::FileOpen,
                                      "board.jpg"},
                      CommandLineCase{{{"Embedding", true}}, CCommandLineInfo::FileNew, ""},
                      CommandLineCase{{{"a.bmp", false}, {"b.bmp", false}},
                                      CCommandLineInfo::FileOpen, "a.bmp"}));

} // namespace
