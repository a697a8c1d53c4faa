// The pen settings sheet driven as a presenter would: which record fields a choice changes, for
// which surface and tool, and the sheet's life across the three calls.
#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "framework/Module.h"
#include "framework/Wnd.h"
#include "tests/support/WineTest.h"

#include <colordlg.h>
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
constexpr int kChooseColour = 1201;

// The visible window of this thread that the given window owns (the sheet, or its colour dialog).
HWND OwnedBy(HWND hwndOwner)
{
    for (HWND hwnd : test::ThreadWindows())
        if (::GetWindow(hwnd, GW_OWNER) == hwndOwner && ::IsWindowVisible(hwnd))
            return hwnd;
    return nullptr;
}

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
        if (library)
            closeSheet();
        owner.DestroyWindow();
        library.Reset();
        holder.Release();
    }

    HWND Sheet() const { return OwnedBy(sheetOwner->m_hWnd); }
    void Open(int kind, CWnd* from = nullptr)
    {
        sheetOwner = from ? from : &owner;
        record->penSheetKind = kind;
        EXPECT_EQ(showColor(sheetOwner, &holder), 1);
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
    CWnd* sheetOwner = &owner;
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

// How the common colour dialog is answered: the colour typed into it, then OK or Cancel.
struct ColourAnswer {
    COLORREF typed;
    int button;
};
ColourAnswer g_answer;
HWND g_hwndDialogOwner = nullptr;
bool g_bAnswered = false;

void CALLBACK AnswerColourDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = OwnedBy(g_hwndDialogOwner);
    if (!dialog)
        return;
    ::KillTimer(nullptr, timer);
    ::SetDlgItemInt(dialog, COLOR_RED, GetRValue(g_answer.typed), FALSE);
    ::SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(g_answer.typed), FALSE);
    ::SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(g_answer.typed), FALSE);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(g_answer.button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, g_answer.button)));
    g_bAnswered = true;
}

TEST_F(PenSheet, AccurateSetTakesAnyColourFromTheColourDialog)
{
    record->surface = SURFACE_BOARD;
    record->boardTool = STYLE_HIGHLIGHTER;
    Open(1);
    ASSERT_TRUE(Shown(kChooseColour));
    const struct {
        ColourAnswer answer;
        COLORREF expected;
    } cases[] = {
        {{RGB(12, 34, 56), IDOK}, RGB(12, 34, 56)},
        {{RGB(200, 100, 0), IDCANCEL}, RGB(12, 34, 56)},
    };
    for (const auto& c : cases) {
        g_answer = c.answer;
        g_hwndDialogOwner = Sheet();
        g_bAnswered = false;
        // The dialog is modal: it is answered from its own message loop.
        ::SetTimer(nullptr, 0, 50, &AnswerColourDialog);
        Click(kChooseColour);
        EXPECT_TRUE(g_bAnswered);
        EXPECT_EQ(record->boardHighlighterColour, c.expected) << "button " << c.answer.button;
    }
    EXPECT_EQ(record->boardPenColour, RGB(0, 0, 0));
    EXPECT_EQ(record->deskHighlighterColour, RGB(0, 128, 255));
}

TEST_F(PenSheet, ShowingFromAnotherWindowMovesTheSheetThere)
{
    Open(2);
    HWND sheet = Sheet();
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, nullptr));
    Open(2, &other);
    EXPECT_EQ(Sheet(), sheet);
    EXPECT_EQ(OwnedBy(owner.m_hWnd), nullptr);
    closeSheet();
}

TEST_F(PenSheet, UnloadingWithTheSheetOpenTakesTheSheetAway)
{
    Open(2);
    HWND sheet = Sheet();
    ASSERT_NE(sheet, nullptr);
    library.Reset();
    EXPECT_FALSE(::IsWindow(sheet));
    test::PumpMessages(50);

    // Loaded again, the library starts afresh.
    library.Reset(::LoadLibraryA((test::ProgramFolder() + "color.dll").c_str()));
    ASSERT_TRUE(library);
    showColor = FwGetProc<ShowColorFn>(library.Get(), "ShowColor");
    closeSheet = FwGetProc<VoidFn>(library.Get(), "CloseSheet");
    Open(2);
    EXPECT_NE(Sheet(), nullptr);
}

TEST_F(PenSheet, NoRecordOpensNothing)
{
    ToolSettingsRef empty;
    EXPECT_EQ(showColor(&owner, &empty), 0);
    EXPECT_EQ(showColor(&owner, nullptr), 0);
    EXPECT_EQ(Sheet(), nullptr);
}

} // namespace
