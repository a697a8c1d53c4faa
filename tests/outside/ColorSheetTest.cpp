// The pen settings sheet driven as a presenter would: which record fields a choice changes, for
// which surface and tool, and the sheet's life across the three calls.
#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "framework/Module.h"
#include "framework/Wnd.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

typedef int(__cdecl* ShowColorFn)(CWnd*, ToolSettingsRef*);
typedef void(__cdecl* VoidFn)();

constexpr int kFirstSwatch = 1001;
constexpr int kFirstWidth = 1101;
constexpr int kWidthEdit = 1202;
constexpr int kWidthSet = 1203;

class PenSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        library.Reset(::LoadLibraryA((test::ProgramFolder() + "color.dll").c_str()));
        ASSERT_TRUE(library);
        showColor = FwGetProc<ShowColorFn>(library.Get(), "ShowColor");
        closeSheet = FwGetProc<VoidFn>(library.Get(), "CloseSheet");
        updataPenSet = FwGetProc<VoidFn>(library.Get(), "UpdataPenSet");
        ASSERT_TRUE(showColor && closeSheet && updataPenSet);
        ASSERT_TRUE(holder.FillToolDefaults());
        record = holder.Record();
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, nullptr));
    }
    void TearDown() override
    {
        closeSheet();
        owner.DestroyWindow();
        library.Reset();
        holder.Release();
    }

    HWND Sheet() const
    {
        for (HWND hwnd : test::ThreadWindows())
            if (::GetWindow(hwnd, GW_OWNER) == owner.m_hWnd && ::IsWindowVisible(hwnd))
                return hwnd;
        return nullptr;
    }
    void Open(int kind)
    {
        record->penSheetKind = kind;
        EXPECT_EQ(showColor(&owner, &holder), 1);
        test::PumpMessages(20);
    }
    void Click(int id) { ::SendMessageA(::GetDlgItem(Sheet(), id), BM_CLICK, 0, 0); }
    COLORREF SwatchColour(int n) const
    {
        char text[16] = {};
        ::GetDlgItemTextA(Sheet(), kFirstSwatch + n, text, sizeof text);
        unsigned r = 0, g = 0, b = 0;
        std::sscanf(text, "#%02X%02X%02X", &r, &g, &b);
        return RGB(r, g, b);
    }
    std::string Title() const
    {
        char text[128] = {};
        ::GetWindowTextA(Sheet(), text, sizeof text);
        return text;
    }
    bool Shown(int id) const { return ::IsWindowVisible(::GetDlgItem(Sheet(), id)) != FALSE; }

    CModule library;
    ShowColorFn showColor = nullptr;
    VoidFn closeSheet = nullptr;
    VoidFn updataPenSet = nullptr;
    ToolSettingsRef holder;
    ToolSettings* record = nullptr;
    CWnd owner;
};

TEST_F(PenSheet, FastSetWritesTheDesktopPenOnly)
{
    Open(2);
    ASSERT_NE(Sheet(), nullptr);
    EXPECT_EQ(Title(), "Pen - fast pen set");
    COLORREF red = SwatchColour(1);
    Click(kFirstSwatch + 1);
    Click(kFirstWidth + 3);   // 8
    EXPECT_EQ(record->deskPenColour, red);
    EXPECT_EQ(record->deskPenWidth, 8);
    EXPECT_EQ(record->deskHighlighterColour, RGB(0, 128, 255));
    EXPECT_EQ(record->boardPenColour, RGB(0, 0, 0));
    EXPECT_EQ(record->boardPenWidth, 1);
}

TEST_F(PenSheet, WhiteboardSurfaceWritesTheBoardFields)
{
    record->surface = SURFACE_BOARD;
    record->boardTool = STYLE_HIGHLIGHTER;
    Open(2);
    EXPECT_EQ(Title(), "Highlighter - fast pen set");
    COLORREF colour = SwatchColour(4);
    Click(kFirstSwatch + 4);
    Click(kFirstWidth + 4);   // 16
    EXPECT_EQ(record->boardHighlighterColour, colour);
    EXPECT_EQ(record->boardHighlighterWidth, 16);
    EXPECT_EQ(record->deskHighlighterColour, RGB(0, 128, 255));
}

TEST_F(PenSheet, EraserHasWidthsButNoColour)
{
    record->deskTool = STYLE_ERASER;
    Open(2);
    EXPECT_EQ(Title(), "Eraser - fast pen set");
    EXPECT_FALSE(Shown(kFirstSwatch));
    Click(kFirstWidth + 2);   // 40
    EXPECT_EQ(record->deskEraserWidth, 40);
}

TEST_F(PenSheet, AccurateSetTakesAnyWidthInRangeOnly)
{
    Open(1);
    EXPECT_EQ(Title(), "Pen - accurate pen set");
    EXPECT_FALSE(Shown(kFirstSwatch));
    EXPECT_TRUE(Shown(kWidthEdit));
    const std::pair<const char*, int> cases[] = {{"12", 12}, {"0", 12}, {"101", 12}, {"100", 100},
                                                 {"", 100}, {"1", 1}};
    for (const auto& [text, expected] : cases) {
        ::SetDlgItemTextA(Sheet(), kWidthEdit, text);
        Click(kWidthSet);
        EXPECT_EQ(record->deskPenWidth, expected) << "typed '" << text << "'";
    }
}

TEST_F(PenSheet, ToolChangesFollowAndTheSheetIsOneWindow)
{
    Open(2);
    HWND first = Sheet();
    record->deskTool = STYLE_HIGHLIGHTER;
    updataPenSet();
    EXPECT_EQ(Title(), "Highlighter - fast pen set");
    Open(1);
    EXPECT_EQ(Sheet(), first);
    EXPECT_EQ(Title(), "Highlighter - accurate pen set");

    closeSheet();
    EXPECT_EQ(Sheet(), nullptr);
    EXPECT_FALSE(::IsWindow(first));
    closeSheet();
    updataPenSet();   // closed: nothing to update, nothing breaks
}

TEST_F(PenSheet, NoRecordOpensNothing)
{
    ToolSettingsRef empty;
    EXPECT_EQ(showColor(&owner, &empty), 0);
    EXPECT_EQ(showColor(&owner, nullptr), 0);
    EXPECT_EQ(Sheet(), nullptr);
}

} // namespace
