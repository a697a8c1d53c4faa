// The colour library as the desktop library calls it: found by name beside the host, called with
// the overlay and the settings holder after the sheet kind is set, closed when everything hides.
#include "tests/overink/OverinkHost.h"
#include "tests/overink/fakecolor/FakeColor.h"

#include "framework/Module.h"

#include <gtest/gtest.h>

namespace {

constexpr int kFastPenSetButton = 5018;
constexpr int kAccuratePenSetButton = 5020;

class ColourLibrary : public OverinkHost {
protected:
    FakeColorLog& Log()
    {
        auto get = FwGetProc<GetFakeColorLogFn>(::GetModuleHandleA("color.dll"), "GetFakeColorLog");
        EXPECT_NE(get, nullptr) << "the stand-in colour library was not the one loaded";
        static FakeColorLog none;
        return get ? *get() : none;
    }

    void Click(int id) { ::SendMessageA(::GetDlgItem(Palette(), id), BM_CLICK, 0, 0); }
};

TEST_F(ColourLibrary, PenSetButtonsOpenTheSheetForTheOverlayWithTheirKind)
{
    Start();
    Log() = FakeColorLog{};
    const std::pair<int, int> cases[] = {{kFastPenSetButton, 2}, {kAccuratePenSetButton, 1}};
    int calls = 0;
    for (const auto& [button, kind] : cases) {
        record->penSheetKind = 0;
        Click(button);
        EXPECT_EQ(Log().showCalls, ++calls);
        EXPECT_EQ(Log().sheetKind, kind);   // written before the call
        EXPECT_EQ(Log().window, Overlay());
        EXPECT_EQ(Log().holder, &holder);
    }
}

TEST_F(ColourLibrary, HidingClosesTheSheet)
{
    Start();
    int before = Log().closeCalls;
    ShowDraw(0);
    EXPECT_EQ(Log().closeCalls, before + 1);
}

TEST_F(ColourLibrary, LoadedWithTheOverlayAndFreedWithIt)
{
    ASSERT_EQ(::GetModuleHandleA("color.dll"), nullptr);
    Start();
    EXPECT_NE(::GetModuleHandleA("color.dll"), nullptr);
    End();
    EXPECT_EQ(::GetModuleHandleA("color.dll"), nullptr);
}

} // namespace
