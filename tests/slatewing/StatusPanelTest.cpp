// The page-number panel: where it sits, that it is layered with its key colour and lets clicks
// through, which page numbers it takes, and the label it paints and draws for printing.
#include "app/StatusBarDlg.h"
#include "app/resource.h"
#include "framework/GdiplusSession.h"
#include "tests/slatewing/BarsTestSupport.h"
#include "view/BoardView.h"

using namespace bars_test;

namespace {

class StatusPanel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    void TearDown() override
    {
        panel.DestroyWindow();
        test::PumpMessages();
    }

    RECT PanelWindowRect() const
    {
        RECT r{};
        ::GetWindowRect(panel.m_hWnd, &r);
        return r;
    }

    // What the panel has painted on itself.
    CPixels Shown()
    {
        RECT client{};
        ::GetClientRect(panel.m_hWnd, &client);
        return Capture(panel.m_hWnd, client);
    }

    // The label as it should look on the panel.
    CPixels ExpectedLabel(int n, int count)
    {
        return Draw(70, 20, kStatusPanelKeyColour, [&](HDC dc) {
            DrawPageLabelIn(dc, RECT{0, 0, 70, 20}, n, count);
        });
    }

    CGdiplusSession gdiplus;
    CSettings settings;
    CHostFrame host;
    CStatusBarDlg panel;
    const RECT screen{0, 0, 1024, 768};
};

// ---- Placement and style ----

TEST_F(StatusPanel, DefaultsMakeA70By20PanelNearTheTopRight)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    RECT r = PanelWindowRect();
    EXPECT_EQ(r.left, 1024 - 110);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right, 1024 - 40);
    EXPECT_EQ(r.bottom, 60);
    RECT stored = panel.GetPanelRect();
    EXPECT_TRUE(::EqualRect(&stored, &r));
    EXPECT_FALSE(::IsWindowVisible(panel.m_hWnd));
    EXPECT_EQ(::GetWindow(panel.m_hWnd, GW_OWNER), host.m_hWnd);
}

TEST_F(StatusPanel, PlaceFollowsTheBoardAndTheRecord)
{
    settings.Record().statusRightMargin = 10;
    settings.Record().statusTopMargin = 5;
    settings.Record().statusWidth = 100;
    settings.Record().statusHeight = 30;
    ASSERT_TRUE(panel.Create(&host, RECT{100, 50, 900, 650}, *settings));
    RECT r = PanelWindowRect();
    EXPECT_EQ(r.left, 900 - 100 - 10);
    EXPECT_EQ(r.top, 55);
    EXPECT_EQ(r.right, 890);
    EXPECT_EQ(r.bottom, 85);
}

TEST_F(StatusPanel, IsLayeredWithItsKeyColourAndTransparentToTheMouse)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    LONG_PTR exStyle = ::GetWindowLongPtrA(panel.m_hWnd, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & 0x00080022, 0x00080022);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(panel.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(40, 40, 40));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    LONG_PTR style = ::GetWindowLongPtrA(panel.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_POPUP, 0);
}

// A window under the panel that counts the clicks it gets.
class CBoardStandIn : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            ++m_nClicks;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int m_nClicks = 0;
};

TEST_F(StatusPanel, ClicksOnThePanelReachTheWindowBeneath)
{
    CBoardStandIn board;
    ASSERT_TRUE(board.CreateEx(WS_EX_TOPMOST, nullptr, "board", WS_POPUP | WS_VISIBLE,
                               RECT{800, 0, 1024, 200}, nullptr, nullptr));
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    ASSERT_TRUE(panel.SetPages(3, 12));
    ::SetWindowPos(panel.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    panel.Refresh();
    test::PumpMessages(300);
    // On the label's ink and on the key colour alike.
    for (POINT at : {POINT{949, 50}, POINT{916, 42}}) {
        EXPECT_EQ(::WindowFromPoint(at), board.m_hWnd) << at.x << "," << at.y;
        int before = board.m_nClicks;
        ::SetCursorPos(at.x, at.y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, input, sizeof(INPUT));
        EXPECT_TRUE(test::PumpUntil([&] { return board.m_nClicks > before; }, 2000)) << at.x << "," << at.y;
    }
    board.DestroyWindow();
}

// ---- Page numbers ----

TEST_F(StatusPanel, SetPagesRefusesPageZeroAndPagesBeyondTheCount)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    ASSERT_EQ(panel.SetPages(3, 12), 1);
    struct Case {
        int n, count, result, page, pages;
    };
    for (const Case& c : {Case{0, 5, 0, 3, 12}, Case{6, 5, 0, 3, 12}, Case{0, 0, 0, 3, 12},
                          Case{5, 5, 1, 5, 5}, Case{1, 1, 1, 1, 1}, Case{7, 9, 1, 7, 9}}) {
        EXPECT_EQ(panel.SetPages(c.n, c.count), c.result) << c.n << "/" << c.count;
        EXPECT_EQ(panel.GetPage(), c.page) << c.n << "/" << c.count;
        EXPECT_EQ(panel.GetPageCount(), c.pages) << c.n << "/" << c.count;
    }
}

TEST_F(StatusPanel, RefreshPaintsTheLabelOnTheKeyColourAndKeepsItWhenNumbersAreRefused)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    panel.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(panel.SetPages(3, 12));
    // Until the frame gives it numbers the panel is all key colour; setting them does not repaint.
    test::PumpMessages(100);
    EXPECT_EQ(Shown().bits, Draw(70, 20, kStatusPanelKeyColour, [](HDC) {}).bits);

    panel.Refresh();
    CPixels label = Shown();
    EXPECT_EQ(label.bits, ExpectedLabel(3, 12).bits);
    int ink = 0;
    for (DWORD p : label.bits)
        ink += (p & 0xFFFFFF) != 0x282828;
    EXPECT_GT(ink, 20);

    // Refused numbers leave the label as it was.
    EXPECT_EQ(panel.SetPages(6, 5), 0);
    panel.Refresh();
    EXPECT_EQ(Shown().bits, ExpectedLabel(3, 12).bits);

    ASSERT_TRUE(panel.SetPages(7, 9));
    panel.Refresh();
    EXPECT_EQ(Shown().bits, ExpectedLabel(7, 9).bits);
    EXPECT_NE(Shown().bits, ExpectedLabel(3, 12).bits);

    // A repaint by the system shows the same back buffer.
    ::InvalidateRect(panel.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(panel.m_hWnd);
    EXPECT_EQ(Shown().bits, ExpectedLabel(7, 9).bits);
}

TEST_F(StatusPanel, LabelTextIsThePageLabel)
{
    EXPECT_EQ(FormatPageLabel(3, 12), "03/12");
    EXPECT_EQ(FormatPageLabel(7, 9), "7/9");
}

// ---- The label on the board ----

TEST_F(StatusPanel, LabelRectIsAtTheBoardsTopRight)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    panel.SetLabelRect(screen);
    RECT r = panel.GetLabelRect();
    EXPECT_EQ(r.left, 914);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right, 984);
    EXPECT_EQ(r.bottom, 60);
    panel.SetLabelRect(RECT{100, 50, 900, 650});
    r = panel.GetLabelRect();
    EXPECT_EQ(r.left, 790);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right, 860);
    EXPECT_EQ(r.bottom, 110);
}

TEST_F(StatusPanel, DrawLabelOnDrawsTheLabelAtItsRectAndNothingElse)
{
    ASSERT_TRUE(panel.Create(&host, screen, *settings));
    panel.SetLabelRect(RECT{0, 0, 400, 300});
    ASSERT_TRUE(panel.SetPages(3, 12));
    CPixels drawn = Draw(400, 300, RGB(255, 255, 255), [&](HDC dc) { panel.DrawLabelOn(dc); });
    CPixels expected = Draw(400, 300, RGB(255, 255, 255), [](HDC dc) {
        DrawPageLabelIn(dc, RECT{290, 40, 360, 60}, 3, 12);
    });
    EXPECT_EQ(drawn.bits, expected.bits);
    int outside = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if ((x < 290 || x >= 360 || y < 40 || y >= 60) && drawn.At(x, y) != RGB(255, 255, 255))
                ++outside;
    EXPECT_EQ(outside, 0);
}

} // namespace
