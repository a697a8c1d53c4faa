// The palette as the presenter sees it: which picture each button shows (normal, alternate or
// greyed, pressed in or not) after the presenter's clicks, and what the clicks do.
#include "overink/OverinkApi.h"
#include "tests/overink/OverinkHost.h"
#include "tests/support/WineTest.h"

#include "framework/Handles.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const int kButtonIds[20] = {5007, 5009, 5011, 5012, 5014, 5016, 5018, 5020, 5022, 5023,
                            5025, 5027, 5029, 5031, 5033, 5034, 5035, 5037, 5039, 5041};

enum Strip { Normal, Alternate, Disabled };

// What a button should show.
struct Look {
    Strip strip = Normal;
    bool down = false;
};

std::string ArtworkPath(const char* name)
{
    return std::string(INKVANE_ARTWORK_DIR) + name;
}

// Pixels of a button as drawn into a bitmap of its size.
std::vector<DWORD> Pixels(const std::function<void(HDC)>& draw, int w, int h)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CMemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        CSelectObject selected(dc.Get(), bitmap.Get());
        draw(dc.Get());
        ::GdiFlush();
    }
    const DWORD* p = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(p, p + w * h);
}

// The picture the button's painting should produce, drawn the same way from the strip file.
std::vector<DWORD> Expected(int index, Look look, int w, int h)
{
    static const char* files[] = {"palette_normal.bmp", "palette_alternate.bmp",
                                  "palette_disabled.bmp"};
    CBitmap strip(static_cast<HBITMAP>(::LoadImageA(nullptr, ArtworkPath(files[look.strip]).c_str(),
                                                     IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    EXPECT_TRUE(strip) << files[look.strip];
    int d = look.down && look.strip != Disabled ? 2 : 0;
    return Pixels(
        [&](HDC dc) {
            RECT rc{0, 0, w, h};
            CBrush face(::CreateSolidBrush(RGB(232, 232, 232)));
            ::FillRect(dc, &rc, face.Get());
            CMemoryDC source(::CreateCompatibleDC(dc));
            CSelectObject selected(source.Get(), strip.Get());
            ::SetStretchBltMode(dc, COLORONCOLOR);
            ::StretchBlt(dc, d, d, w, h, source.Get(), (index - 1) * 25, 0, 25, 25, SRCCOPY);
            if (d) {
                CPen shadow(::CreatePen(PS_INSIDEFRAME, 1, RGB(180, 180, 180)));
                CPen light(::CreatePen(PS_INSIDEFRAME, 1, RGB(240, 240, 240)));
                CSelectObject s(dc, shadow.Get());
                ::MoveToEx(dc, 0, h, nullptr);
                ::LineTo(dc, 0, 0);
                ::LineTo(dc, w, 0);
                CSelectObject l(dc, light.Get());
                ::LineTo(dc, w, h - 2);
                ::LineTo(dc, 0, h - 2);
            }
        },
        w, h);
}

class Palette : public OverinkHost {
protected:
    HWND ButtonWindow(int n) const { return ::GetDlgItem(OverinkHost::Palette(), kButtonIds[n - 1]); }
    void Click(int n) { ::SendMessageA(ButtonWindow(n), BM_CLICK, 0, 0); }

    // True when button n paints exactly the expected picture.
    ::testing::AssertionResult Shows(int n, Look look)
    {
        HWND button = ButtonWindow(n);
        RECT rc{};
        ::GetClientRect(button, &rc);
        std::vector<DWORD> actual = Pixels(
            [&](HDC dc) {
                ::SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            },
            rc.right, rc.bottom);
        if (actual == Expected(n, look, rc.right, rc.bottom))
            return ::testing::AssertionSuccess();
        for (Strip strip : {Normal, Alternate, Disabled})
            for (bool down : {false, true})
                if (actual == Expected(n, Look{strip, down}, rc.right, rc.bottom))
                    return ::testing::AssertionFailure()
                           << "button " << n << " shows strip " << strip << (down ? " down" : "");
        return ::testing::AssertionFailure() << "button " << n << " shows something else";
    }

    void ExpectLooks(const std::map<int, Look>& special)
    {
        for (int n = 1; n <= 20; ++n) {
            auto it = special.find(n);
            EXPECT_TRUE(Shows(n, it == special.end() ? Look{} : it->second));
        }
    }
};

const Look kDown{Normal, true};
const Look kGrey{Disabled, false};
const Look kAltDown{Alternate, true};
const Look kAlt{Alternate, false};

TEST_F(Palette, MouseModeOffersTheDesktopToolsAndGreysUndoAndClear)
{
    Start();
    ExpectLooks({{13, kGrey}, {14, kGrey}});
}

TEST_F(Palette, WorkModeSwitchEntersDrawingModeWithThePen)
{
    Start();
    Click(1);
    EXPECT_EQ(record->workMode, WORK_DRAW);
    EXPECT_TRUE(LayersShown());
    ExpectLooks({{1, kAltDown}, {9, kDown}, {13, kGrey},
                 {15, kGrey}, {17, kGrey}, {18, kGrey}, {19, kGrey}, {20, kGrey}});

    Click(1);
    EXPECT_EQ(record->workMode, WORK_MOUSE);
    EXPECT_TRUE(LayersHidden());
    ExpectLooks({{13, kGrey}, {14, kGrey}});
}

TEST_F(Palette, HighlightFromMouseModeThenAgainReturnsToThePen)
{
    Start();
    Click(5);
    EXPECT_EQ(record->workMode, WORK_DRAW);
    EXPECT_EQ(record->deskTool, STYLE_HIGHLIGHTER);
    EXPECT_TRUE(Shows(5, kDown));
    Click(5);
    EXPECT_EQ(record->deskTool, STYLE_PEN);
    EXPECT_TRUE(Shows(5, Look{}));
}

TEST_F(Palette, EraserShowsTheEraserVariantsOfTheShapes)
{
    Start();
    Click(5);   // highlighter
    Click(6);   // from the highlighter: the eraser
    EXPECT_EQ(record->deskTool, STYLE_ERASER);
    Click(11);  // circle form for the eraser
    EXPECT_EQ(record->deskEraserShape, SHAPE_CIRCLE);
    ExpectLooks({{1, kAltDown}, {6, kAltDown}, {9, kAlt}, {10, kAlt}, {11, kAltDown}, {12, kAlt},
                 {13, kGrey}, {15, kGrey}, {17, kGrey}, {18, kGrey}, {19, kGrey}, {20, kGrey}});
    Click(6);   // from the eraser: the pen
    EXPECT_EQ(record->deskTool, STYLE_PEN);
}

TEST_F(Palette, ShapeButtonsSelectTheShapeOfTheCurrentTool)
{
    Start();
    const std::pair<int, int> cases[] = {{10, SHAPE_LINE}, {11, SHAPE_CIRCLE},
                                         {12, SHAPE_RECTANGLE}, {9, SHAPE_STROKE}};
    for (const auto& [button, shape] : cases) {
        Click(button);
        EXPECT_EQ(record->workMode, WORK_DRAW);
        EXPECT_EQ(record->deskPenShape, shape);
        for (int n = 9; n <= 12; ++n)
            EXPECT_TRUE(Shows(n, n == button ? kDown : Look{}));
    }
}

TEST_F(Palette, GreyedButtonsIgnoreClicks)
{
    Start();
    Click(1);            // drawing mode: the shade and the minimise button are greyed
    Click(20);
    EXPECT_TRUE(Visible(OverinkHost::Palette()));
    Click(1);
    Click(13);           // mouse mode: undo is greyed
    EXPECT_EQ(record->workMode, WORK_MOUSE);
}

class PaletteWithToolOpen : public Palette, public ::testing::WithParamInterface<bool> {};

TEST_P(PaletteWithToolOpen, DrawingToolsAreGreyWhileASpotlightIsOpen)
{
    bool drawing = GetParam();
    Start();
    if (drawing)
        Click(1);
    CKernelHandle spotlight(::CreateMutexA(nullptr, TRUE, "Beamora for Inkvane"));
    ::SendMessageA(Overlay(), WM_TOOLS_CHANGED, 0, 0);
    std::map<int, Look> looks;
    for (int n : {1, 5, 6, 9, 10, 11, 12, 13, 14})
        looks[n] = kGrey;
    if (drawing)
        for (int n : {15, 17, 18, 19, 20})
            looks[n] = kGrey;
    ExpectLooks(looks);
}

INSTANTIATE_TEST_SUITE_P(Modes, PaletteWithToolOpen, ::testing::Values(false, true));

TEST_F(Palette, UndoBecomesAvailableAfterTheFirstGestureAndClearGreysItAgain)
{
    Start();
    Click(1);
    ASSERT_TRUE(Shows(13, kGrey));
    HWND overlay = Overlay();
    ::SendMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    ::SendMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 120));
    ::SendMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(150, 120));
    EXPECT_TRUE(Shows(13, Look{}));
    Click(14);
    EXPECT_TRUE(Shows(13, kGrey));
}

TEST_F(Palette, APressWithoutALayerDrawsNothingAndLeavesThePageEmpty)
{
    Start();
    Click(1);
    ::DestroyWindow(PenLayer());   // no device context for the pen any more
    HWND overlay = Overlay();
    ::SendMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    ::SendMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 120));
    ::SendMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(150, 120));
    EXPECT_TRUE(Shows(13, kGrey));   // nothing to undo
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Palette, ButtonsCarryTheirTooltips)
{
    Start();
    HWND toolTip = nullptr;
    // The tooltip control is a top-level window owned by the palette.
    for (HWND hwnd : test::ThreadWindows()) {
        char cls[64] = {};
        ::GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpiA(cls, "tooltips_class32") == 0 && ::GetWindow(hwnd, GW_OWNER) == OverinkHost::Palette())
            toolTip = hwnd;
    }
    ASSERT_NE(toolTip, nullptr);
    const std::pair<int, const char*> cases[] = {
        {1, "Working mode switch"}, {6, "Toggle Pen && Eraser"}, {14, "Clear the desk annotation"},
        {19, "Right button simulation"}, {20, "Minimize the toolbar"}};
    for (const auto& [n, text] : cases) {
        char buffer[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = OverinkHost::Palette();
        tool.uId = reinterpret_cast<UINT_PTR>(ButtonWindow(n));
        tool.uFlags = TTF_IDISHWND;
        tool.lpszText = buffer;
        ::SendMessageA(toolTip, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(buffer, text);
    }
}

} // namespace

namespace {

TEST_F(Palette, StaysAboveTheOverlayInDrawingMode)
{
    Start();
    auto buttonUnderItsCentre = [this](int n) {
        RECT rect{};
        ::GetWindowRect(ButtonWindow(n), &rect);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        return ::WindowFromPoint(centre) == ButtonWindow(n);
    };
    EXPECT_TRUE(buttonUnderItsCentre(1));
    // Clicked for real, the palette is activated first.
    ::SetForegroundWindow(OverinkHost::Palette());
    Click(1);
    test::PumpMessages(50);
    EXPECT_TRUE(buttonUnderItsCentre(5));
    ::SetForegroundWindow(OverinkHost::Palette());
    test::PumpMessages(50);
    EXPECT_TRUE(buttonUnderItsCentre(1));
}

} // namespace
