// The About box: its texts and layout, and the About command around it, which keeps the
// desktop library and the tray menu away while the box is open.
#include "app/AboutDlg.h"
#include "app/resource.h"
#include "tests/slatewing/BarsTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

using namespace bars_test;

namespace {

std::string TextOf(HWND hwnd)
{
    char text[256] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool IsAboutBox(HWND hwnd)
{
    return ClassOf(hwnd) == "#32770" && TextOf(hwnd) == "Inkvane";
}

TEST(AboutBox, ShowsNameVersionNoticeAndOK)
{
    CHostFrame owner;
    ASSERT_TRUE(owner.Create(false));
    CAboutDlg about("A notice for the test");
    ASSERT_TRUE(about.Create(&owner));
    HWND box = about.m_hWnd;
    EXPECT_EQ(TextOf(box), "Inkvane");
    EXPECT_EQ(TextOf(::GetDlgItem(box, IDC_ABOUT_NOTICE)), "A notice for the test");
    EXPECT_EQ(TextOf(::GetDlgItem(box, IDOK)), "OK");
    // Exactly three controls: the version line, the notice and OK.
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    EXPECT_EQ(texts, (std::vector<std::string>{"Inkvane Ver.1.05", "A notice for the test", "OK"}));

    // 218 x 73 dialog units of Arial 10.
    RECT units{0, 0, 218, 73};
    ::MapDialogRect(box, &units);
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(box, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    ASSERT_TRUE(::GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_STREQ(logFont.lfFaceName, "Arial");
    LONG_PTR style = ::GetWindowLongPtrA(box, GWL_STYLE);
    EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION), DS_MODALFRAME | WS_CAPTION);
    about.DestroyWindow();
}

TEST(AboutBox, TheProgramsNoticeIsNotEmpty)
{
    CAboutDlg about;
    EXPECT_FALSE(about.GetNotice().empty());
    EXPECT_EQ(about.GetNotice(), kAboutNotice);
}

TEST(AboutCommand, DisablesTheLibraryAndTheTrayMenuWhileTheBoxIsOpen)
{
    // A quit request left by an earlier test's main frame would end the modal loop at once.
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    CHostFrame owner;
    ASSERT_TRUE(owner.Create(false));
    std::vector<std::string> calls;
    std::atomic<int> trayMenu{1};
    std::string notice;
    bool centred = false;
    CWindowWatcher watcher(IsAboutBox, [&](HWND box) {
        calls.push_back(trayMenu == 0 ? "box open, tray menu off" : "box open, tray menu on");
        notice = TextOf(::GetDlgItem(box, IDC_ABOUT_NOTICE));
        RECT r{};
        ::GetWindowRect(box, &r);
        int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        centred = std::abs(cx - ::GetSystemMetrics(SM_CXSCREEN) / 2) <= 2 &&
                  std::abs(cy - ::GetSystemMetrics(SM_CYSCREEN) / 2) <= 2;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    RunAboutCommand([&](int enable) { calls.push_back("EnableWnd(" + std::to_string(enable) + ")"); },
                    [&](int enabled) {
                        trayMenu = enabled;
                        calls.push_back("trayMenuEnabled=" + std::to_string(enabled));
                    },
                    owner.m_hWnd);
    ASSERT_TRUE(watcher.Acted());
    EXPECT_EQ(calls, (std::vector<std::string>{"EnableWnd(0)", "trayMenuEnabled=0", "box open, tray menu off",
                                               "trayMenuEnabled=1", "EnableWnd(1)"}));
    EXPECT_EQ(notice, kAboutNotice);
    EXPECT_TRUE(centred);
}

TEST(AboutCommand, WithoutTheLibraryOnlyTheTrayMenuIsSwitched)
{
    std::vector<int> tray;
    int shown = 0;
    RunAboutCommand(nullptr, [&](int enabled) { tray.push_back(enabled); }, nullptr,
                    [&](HWND) { ++shown; });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(tray, (std::vector<int>{0, 1}));
}

} // namespace
