// The holder's accessors, driven over a record on the stack whose tool fields all hold distinct
// values, so every result names the field it was read from.
#include "app/settings/ToolSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr COLORREF kDeskPen = RGB(1, 0, 0);
constexpr COLORREF kDeskHighlighter = RGB(2, 0, 0);
constexpr COLORREF kKey16 = RGB(3, 0, 0);
constexpr COLORREF kKey = RGB(4, 0, 0);
constexpr COLORREF kBoardPen = RGB(5, 0, 0);
constexpr COLORREF kBoardHighlighter = RGB(6, 0, 0);
constexpr COLORREF kBoardEraser = RGB(7, 0, 0);

ToolSettings MakeRecord(int nSurface, int nWorkMode, int nDeskTool, int nBoardTool, int nBits = 32)
{
    ToolSettings rec{};
    rec.refCount = 1;
    rec.bitsPerPixel = nBits;
    rec.surface = nSurface;
    rec.workMode = nWorkMode;
    rec.deskTool = nDeskTool;
    rec.boardTool = nBoardTool;
    rec.deskPenShape = 11;
    rec.deskHighlighterShape = 12;
    rec.deskEraserShape = 13;
    rec.boardPenShape = 21;
    rec.boardHighlighterShape = 22;
    rec.boardEraserShape = 23;
    rec.deskPenWidth = 31;
    rec.deskHighlighterWidth = 32;
    rec.deskEraserWidth = 33;
    rec.boardPenWidth = 41;
    rec.boardHighlighterWidth = 42;
    rec.boardEraserWidth = 43;
    rec.deskPenColour = kDeskPen;
    rec.deskHighlighterColour = kDeskHighlighter;
    rec.deskKeyColour16 = kKey16;
    rec.deskKeyColour = kKey;
    rec.boardPenColour = kBoardPen;
    rec.boardHighlighterColour = kBoardHighlighter;
    rec.boardEraserColour = kBoardEraser;
    return rec;
}

// Offsets of the 4-byte words that differ, so a stray write names the field it hit.
std::string DifferingOffsets(const ToolSettings& actual, const ToolSettings& expected)
{
    const auto* pActual = reinterpret_cast<const unsigned char*>(&actual);
    const auto* pExpected = reinterpret_cast<const unsigned char*>(&expected);
    std::string offsets;
    for (size_t i = 0; i < sizeof(ToolSettings); i += 4) {
        if (std::memcmp(pActual + i, pExpected + i, 4) != 0)
            offsets += std::to_string(i) + " ";
    }
    return offsets;
}

// Points a holder at a record it does not own, and lets go before the record goes away.
class CBorrowedRef {
public:
    explicit CBorrowedRef(ToolSettings& rec) noexcept { m_holder.m_pRecord = &rec; }
    ~CBorrowedRef() { m_holder.m_pRecord = nullptr; }
    CBorrowedRef(const CBorrowedRef&) = delete;
    CBorrowedRef& operator=(const CBorrowedRef&) = delete;

    ToolSettingsRef& operator*() noexcept { return m_holder; }
    ToolSettingsRef* operator->() noexcept { return &m_holder; }

private:
    ToolSettingsRef m_holder;
};

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.pszName;
}

// ---- Selection by surface, working mode and tool --------------------------------------------

struct SelectionCase {
    const char* pszName;
    int nSurface;
    int nWorkMode;
    int nDeskTool;
    int nBoardTool;
    int nTool;
    int nShape;
    int nWidth;
    COLORREF crColour;
};

class ToolSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(ToolSelection, GettersReadTheFieldsOfTheCurrentSurfaceAndTool)
{
    const SelectionCase& c = GetParam();
    ToolSettings rec = MakeRecord(c.nSurface, c.nWorkMode, c.nDeskTool, c.nBoardTool);
    const ToolSettings before = rec;
    CBorrowedRef holder(rec);

    EXPECT_EQ(holder->Record(), &rec);
    EXPECT_EQ(holder->GetSurface(), c.nSurface);
    EXPECT_EQ(holder->GetWorkMode(), c.nWorkMode);
    EXPECT_EQ(holder->GetCurrentTool(), c.nTool);
    EXPECT_EQ(holder->GetCurrentShape(), c.nShape);
    EXPECT_EQ(holder->GetToolWidth(), c.nWidth);
    EXPECT_EQ(holder->GetToolColour(), c.crColour);
    EXPECT_EQ("", DifferingOffsets(rec, before)) << "a getter wrote to the record";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToolSelection,
    ::testing::Values(
        // Mouse mode: the tool and width still come from the desktop, the shape does not.
        SelectionCase{"DeskMousePenHasWidthButNoShape", 1, 1, 3, 1, 3, 0, 31, kDeskPen},
        SelectionCase{"DeskMouseHighlighter", 1, 1, 2, 3, 2, 0, 32, kDeskHighlighter},
        SelectionCase{"DeskMouseEraser", 1, 1, 1, 3, 1, 0, 33, kKey},
        SelectionCase{"DeskDrawPen", 1, 2, 3, 1, 3, 11, 31, kDeskPen},
        SelectionCase{"DeskDrawHighlighter", 1, 2, 2, 1, 2, 12, 32, kDeskHighlighter},
        SelectionCase{"DeskDrawEraser", 1, 2, 1, 3, 1, 13, 33, kKey},
        SelectionCase{"DeskDrawNoTool", 1, 2, 0, 3, 0, 0, 1, 0},
        SelectionCase{"DeskDrawUnknownTool", 1, 2, 4, 3, 4, 0, 1, 0},
        SelectionCase{"DeskModeZero", 1, 0, 3, 3, 0, 0, 1, 0},
        SelectionCase{"DeskModeThree", 1, 3, 3, 3, 0, 0, 1, 0},
        SelectionCase{"BoardPen", 2, 1, 1, 3, 3, 21, 41, kBoardPen},
        SelectionCase{"BoardHighlighterInDrawMode", 2, 2, 1, 2, 2, 22, 42, kBoardHighlighter},
        SelectionCase{"BoardEraserIgnoresWorkMode", 2, 0, 3, 1, 1, 23, 43, kBoardEraser},
        SelectionCase{"BoardNoTool", 2, 1, 3, 0, 0, 0, 1, 0},
        SelectionCase{"BoardUnknownTool", 2, 1, 3, 5, 5, 0, 1, 0},
        SelectionCase{"SurfaceZero", 0, 2, 3, 3, 0, 0, 1, 0},
        SelectionCase{"SurfaceThree", 3, 1, 3, 3, 0, 0, 1, 0}),
    CaseName<SelectionCase>);

// ---- Setters that follow the same selection --------------------------------------------------

struct SetterCase {
    const char* pszName;
    int nSurface;
    int nWorkMode;
    int nDeskTool;
    int nBoardTool;
    int ToolSettings::*pChanged;   // null: the record must stay as it was
};

constexpr int kWritten = 77;

void ExpectOnlyChanged(ToolSettings& rec, const SetterCase& c, void (ToolSettingsRef::*pSet)(int))
{
    ToolSettings expected = rec;
    if (c.pChanged)
        expected.*c.pChanged = kWritten;
    CBorrowedRef holder(rec);
    ((*holder).*pSet)(kWritten);
    EXPECT_EQ("", DifferingOffsets(rec, expected)) << "offsets written wrongly";
}

class SetCurrentToolTable : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetCurrentToolTable, WritesTheToolOfTheSurfaceWhateverTheWorkMode)
{
    const SetterCase& c = GetParam();
    ToolSettings rec = MakeRecord(c.nSurface, c.nWorkMode, c.nDeskTool, c.nBoardTool);
    ExpectOnlyChanged(rec, c, &ToolSettingsRef::SetCurrentTool);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetCurrentToolTable,
    ::testing::Values(SetterCase{"DeskMouse", 1, 1, 3, 3, &ToolSettings::deskTool},
                      SetterCase{"DeskDraw", 1, 2, 3, 3, &ToolSettings::deskTool},
                      SetterCase{"DeskOtherMode", 1, 0, 3, 3, &ToolSettings::deskTool},
                      SetterCase{"Board", 2, 1, 3, 3, &ToolSettings::boardTool},
                      SetterCase{"BoardOtherMode", 2, 9, 3, 3, &ToolSettings::boardTool},
                      SetterCase{"SurfaceZeroChangesNothing", 0, 2, 3, 3, nullptr},
                      SetterCase{"SurfaceThreeChangesNothing", 3, 1, 3, 3, nullptr}),
    CaseName<SetterCase>);

class SetCurrentShapeTable : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetCurrentShapeTable, WritesWhereTheGetterReadsAndNowhereElse)
{
    const SetterCase& c = GetParam();
    ToolSettings rec = MakeRecord(c.nSurface, c.nWorkMode, c.nDeskTool, c.nBoardTool);
    ExpectOnlyChanged(rec, c, &ToolSettingsRef::SetCurrentShape);
    CBorrowedRef holder(rec);
    EXPECT_EQ(holder->GetCurrentShape(), c.pChanged ? kWritten : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetCurrentShapeTable,
    ::testing::Values(SetterCase{"DeskDrawPen", 1, 2, 3, 1, &ToolSettings::deskPenShape},
                      SetterCase{"DeskDrawHighlighter", 1, 2, 2, 1, &ToolSettings::deskHighlighterShape},
                      SetterCase{"DeskDrawEraser", 1, 2, 1, 3, &ToolSettings::deskEraserShape},
                      SetterCase{"DeskMouseChangesNothing", 1, 1, 3, 3, nullptr},
                      SetterCase{"DeskOtherModeChangesNothing", 1, 0, 3, 3, nullptr},
                      SetterCase{"DeskDrawNoToolChangesNothing", 1, 2, 0, 3, nullptr},
                      SetterCase{"DeskDrawUnknownToolChangesNothing", 1, 2, 4, 3, nullptr},
                      SetterCase{"BoardPen", 2, 1, 1, 3, &ToolSettings::boardPenShape},
                      SetterCase{"BoardHighlighter", 2, 2, 1, 2, &ToolSettings::boardHighlighterShape},
                      SetterCase{"BoardEraserOtherMode", 2, 0, 3, 1, &ToolSettings::boardEraserShape},
                      SetterCase{"BoardNoToolChangesNothing", 2, 1, 3, 0, nullptr},
                      SetterCase{"SurfaceZeroChangesNothing", 0, 2, 3, 3, nullptr},
                      SetterCase{"SurfaceThreeChangesNothing", 3, 2, 3, 3, nullptr}),
    CaseName<SetterCase>);

// ---- Plain field accessors -------------------------------------------------------------------

struct PlainFieldCase {
    const char* pszName;
    void (ToolSettingsRef::*pSet)(int);
    int (ToolSettingsRef::*pGet)() const;
    int ToolSettings::*pField;
};

TEST(PlainFieldAccessors, WriteAndReadOnlyTheirField)
{
    const PlainFieldCase cases[] = {
        {"surface", &ToolSettingsRef::SetSurface, &ToolSettingsRef::GetSurface, &ToolSettings::surface},
        {"workMode", &ToolSettingsRef::SetWorkMode, &ToolSettingsRef::GetWorkMode, &ToolSettings::workMode},
        {"boardChanged", &ToolSettingsRef::SetBoardChanged, &ToolSettingsRef::IsBoardChanged,
         &ToolSettings::boardChanged},
    };
    for (const PlainFieldCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        ToolSettings rec = MakeRecord(1, 1, 3, 3);
        ToolSettings expected = rec;
        expected.*c.pField = kWritten;
        CBorrowedRef holder(rec);
        ((*holder).*c.pSet)(kWritten);
        EXPECT_EQ(((*holder).*c.pGet)(), kWritten);
        EXPECT_EQ("", DifferingOffsets(rec, expected));
        ((*holder).*c.pSet)(0);
        EXPECT_EQ(((*holder).*c.pGet)(), 0);
    }
}

// ---- Colours and the overlay's key colour ----------------------------------------------------

struct ColourCase {
    const char* pszName;
    int nBits;
    int nSurface;
    int nWorkMode;
    int nTool;
    COLORREF ToolSettings::*pInkField;
    COLORREF crInk;
    COLORREF crKey16;
    COLORREF crKey;
    COLORREF crExpected;
};

class ToolColourTable : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ToolColourTable, ColourOfTheCurrentToolKeptOffTheDesktopKey)
{
    const ColourCase& c = GetParam();
    ToolSettings rec = MakeRecord(c.nSurface, c.nWorkMode, c.nTool, c.nTool, c.nBits);
    rec.*c.pInkField = c.crInk;
    rec.deskKeyColour16 = c.crKey16;
    rec.deskKeyColour = c.crKey;
    CBorrowedRef holder(rec);
    EXPECT_EQ(holder->GetToolColour(), c.crExpected)
        << std::hex << "got 0x" << holder->GetToolColour() << ", want 0x" << c.crExpected;
}

constexpr COLORREF ToolSettings::*kDeskPenInk = &ToolSettings::deskPenColour;
constexpr COLORREF ToolSettings::*kDeskHighlighterInk = &ToolSettings::deskHighlighterColour;

INSTANTIATE_TEST_SUITE_P(
    TwentyFourBit, ToolColourTable,
    ::testing::Values(
        ColourCase{"WhitePenLosesOneBlue", 24, 1, 2, 3, kDeskPenInk, kWhite, kWhite, kWhite, 0xFEFFFF},
        ColourCase{"HighlighterBlue100GainsOne", 24, 1, 2, 2, kDeskHighlighterInk, RGB(10, 10, 100), kWhite,
                   RGB(10, 10, 100), RGB(10, 10, 101)},
        ColourCase{"Blue128GainsOne", 32, 1, 2, 3, kDeskPenInk, RGB(1, 2, 128), kWhite, RGB(1, 2, 128),
                   RGB(1, 2, 129)},
        ColourCase{"Blue129LosesOne", 32, 1, 2, 3, kDeskPenInk, RGB(1, 2, 129), kWhite, RGB(1, 2, 129),
                   RGB(1, 2, 128)},
        ColourCase{"MouseModeBlackPenOnBlackKey", 24, 1, 1, 3, kDeskPenInk, kBlack, kWhite, kBlack, RGB(0, 0, 1)},
        ColourCase{"NearKeyUnchanged", 24, 1, 2, 3, kDeskPenInk, RGB(255, 255, 254), kWhite, kWhite,
                   RGB(255, 255, 254)},
        ColourCase{"SixteenBitKeyIgnored", 24, 1, 2, 3, kDeskPenInk, RGB(64, 64, 64), RGB(64, 64, 64), kWhite,
                   RGB(64, 64, 64)},
        ColourCase{"EraserIsTheKeyUnadjusted", 24, 1, 2, 1, kDeskPenInk, kWhite, kBlack, kWhite, kWhite},
        ColourCase{"BoardPenOnKeyUnadjusted", 24, 2, 1, 3, &ToolSettings::boardPenColour, kWhite, kWhite, kWhite,
                   kWhite},
        ColourCase{"BoardEraserIsItsOwnColour", 24, 2, 2, 1, &ToolSettings::boardEraserColour, RGB(9, 8, 7),
                   kWhite, RGB(9, 8, 7), RGB(9, 8, 7)},
        ColourCase{"DeskOtherModeGivesZero", 24, 1, 0, 3, kDeskPenInk, RGB(9, 9, 9), kWhite, kWhite, 0},
        ColourCase{"NoToolGivesZero", 24, 1, 2, 0, kDeskPenInk, RGB(9, 9, 9), kWhite, kWhite, 0}),
    CaseName<ColourCase>);

INSTANTIATE_TEST_SUITE_P(
    SixteenBit, ToolColourTable,
    ::testing::Values(
        ColourCase{"WhitePenBecomesF8FCF0", 16, 1, 2, 3, kDeskPenInk, kWhite, kWhite, kWhite,
                   RGB(0xF8, 0xFC, 0xF0)},
        ColourCase{"Equal565HighlighterReducedAndBlueStepDown", 16, 1, 2, 2, kDeskHighlighterInk,
                   RGB(0x12, 0x37, 0x45), RGB(0x17, 0x34, 0x42), kWhite, RGB(0x10, 0x34, 0x38)},
        ColourCase{"BlueLevelZeroWrapsToF8", 16, 1, 1, 3, kDeskPenInk, RGB(0, 0, 5), kBlack, kWhite,
                   RGB(0, 0, 0xF8)},
        ColourCase{"RedLevelDiffersUnchanged", 16, 1, 2, 3, kDeskPenInk, RGB(8, 0, 0), kBlack, RGB(8, 0, 0),
                   RGB(8, 0, 0)},
        ColourCase{"GreenLevelDiffersUnchanged", 16, 1, 2, 3, kDeskPenInk, RGB(0, 4, 0), kBlack, RGB(0, 4, 0),
                   RGB(0, 4, 0)},
        ColourCase{"BlueLevelDiffersUnchanged", 16, 1, 2, 3, kDeskPenInk, RGB(0, 0, 8), kBlack, RGB(0, 0, 8),
                   RGB(0, 0, 8)},
        ColourCase{"EraserIsTheSixteenBitKey", 16, 1, 2, 1, kDeskPenInk, kWhite, RGB(0xF8, 0xFC, 0xF8), kWhite,
                   RGB(0xF8, 0xFC, 0xF8)},
        ColourCase{"BoardHighlighterOnKeyUnadjusted", 16, 2, 2, 2, &ToolSettings::boardHighlighterColour, kWhite,
                   kWhite, kWhite, kWhite}),
    CaseName<ColourCase>);

TEST(KeyColour, SixteenBitDisplaysUseTheirOwnKey)
{
    const struct {
        int nBits;
        COLORREF crExpected;
    } cases[] = {{16, kKey16}, {15, kKey}, {24, kKey}, {32, kKey}, {0, kKey}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nBits);
        for (int nSurface : {1, 2, 0}) {
            ToolSettings rec = MakeRecord(nSurface, 0, 3, 3, c.nBits);
            CBorrowedRef holder(rec);
            EXPECT_EQ(holder->GetKeyColour(), c.crExpected) << "surface " << nSurface;
        }
    }
}

// ---- A holder without a record ---------------------------------------------------------------

TEST(EmptyHolder, GettersAnswerAsForNoSurfaceAndSettersDoNothing)
{
    ToolSettingsRef holder;
    EXPECT_EQ(holder.Record(), nullptr);
    EXPECT_EQ(holder.GetSurface(), 0);
    EXPECT_EQ(holder.GetWorkMode(), 0);
    EXPECT_EQ(holder.GetCurrentTool(), 0);
    EXPECT_EQ(holder.GetCurrentShape(), 0);
    EXPECT_EQ(holder.GetToolWidth(), 1);
    EXPECT_EQ(holder.GetToolColour(), 0u);
    EXPECT_EQ(holder.GetKeyColour(), 0u);
    EXPECT_EQ(holder.IsBoardChanged(), 0);

    holder.SetSurface(2);
    holder.SetWorkMode(2);
    holder.SetCurrentTool(3);
    holder.SetCurrentShape(2);
    holder.SetBoardChanged(1);
    EXPECT_EQ(holder.Record(), nullptr);
}

} // namespace
