// Defaults written by FillToolDefaults and the holder's release. The record's offsets are checked
// at compile time in the header; these tests check what the running program puts there.
#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Records the addresses handed to operator delete while armed, so a test can prove that Release
// gives back the record and every text it owns. Allocation stays the library's default (malloc),
// which is what the default operator delete frees with.
struct DeleteLog {
    static constexpr int kCapacity = 128;
    bool bArmed = false;
    int nCount = 0;
    const void* freed[kCapacity] = {};

    void Note(const void* p) noexcept
    {
        if (bArmed && p && nCount < kCapacity)
            freed[nCount++] = p;
    }
    bool Saw(const void* p) const noexcept
    {
        for (int i = 0; i < nCount; ++i) {
            if (freed[i] == p)
                return true;
        }
        return false;
    }
};

DeleteLog g_deleteLog;

} // namespace

void operator delete(void* p) noexcept
{
    g_deleteLog.Note(p);
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    g_deleteLog.Note(p);
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    g_deleteLog.Note(p);
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    g_deleteLog.Note(p);
    std::free(p);
}

namespace {

class FilledSettings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_holder.FillToolDefaults()); }
    void TearDown() override
    {
        if (m_holder.m_pRecord)
            m_holder.m_pRecord->refCount = 1;
        m_holder.Release();
    }

    const ToolSettings& Rec() const { return *m_holder.m_pRecord; }

    ToolSettingsRef m_holder;
};

std::string RunningProgramPath()
{
    char szPath[MAX_PATH * 2] = {};
    ::GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    return szPath;
}

struct IntDefault {
    const char* pszName;
    int ToolSettings::*pField;
    int nExpected;
};

const IntDefault kFixedIntDefaults[] = {
    {"refCount", &ToolSettings::refCount, 1},
    {"trayMenuEnabled", &ToolSettings::trayMenuEnabled, 1},
    {"surface", &ToolSettings::surface, SURFACE_DESKTOP},
    {"workMode", &ToolSettings::workMode, WORK_MOUSE},
    {"deskTool", &ToolSettings::deskTool, STYLE_PEN},
    {"boardTool", &ToolSettings::boardTool, STYLE_PEN},
    {"deskPenShape", &ToolSettings::deskPenShape, SHAPE_STROKE},
    {"deskHighlighterShape", &ToolSettings::deskHighlighterShape, SHAPE_STROKE},
    {"deskEraserShape", &ToolSettings::deskEraserShape, SHAPE_STROKE},
    {"boardPenShape", &ToolSettings::boardPenShape, SHAPE_STROKE},
    {"boardHighlighterShape", &ToolSettings::boardHighlighterShape, SHAPE_STROKE},
    {"boardEraserShape", &ToolSettings::boardEraserShape, SHAPE_STROKE},
    {"boardToolbarVisible", &ToolSettings::boardToolbarVisible, 0},
    {"moreToolbarVisible", &ToolSettings::moreToolbarVisible, 0},
    {"reserved1", &ToolSettings::reserved1, 0},
    {"reserved2", &ToolSettings::reserved2, 0},
    {"penSheetKind", &ToolSettings::penSheetKind, 1},
    {"boardChanged", &ToolSettings::boardChanged, 0},
    {"statusRightMargin", &ToolSettings::statusRightMargin, 40},
    {"statusTopMargin", &ToolSettings::statusTopMargin, 40},
    {"statusWidth", &ToolSettings::statusWidth, 70},
    {"statusHeight", &ToolSettings::statusHeight, 20},
    {"ownProcessId", &ToolSettings::ownProcessId, 0},
    {"libraryCount", &ToolSettings::libraryCount, 5},
    {"pageKeyPauseBefore", &ToolSettings::pageKeyPauseBefore, 200},
    {"pageKeyPauseAfter", &ToolSettings::pageKeyPauseAfter, 200},
    {"deskPenWidth", &ToolSettings::deskPenWidth, 1},
    {"deskHighlighterWidth", &ToolSettings::deskHighlighterWidth, 5},
    {"deskEraserWidth", &ToolSettings::deskEraserWidth, 20},
    {"boardPenWidth", &ToolSettings::boardPenWidth, 1},
    {"boardHighlighterWidth", &ToolSettings::boardHighlighterWidth, 5},
    {"boardEraserWidth", &ToolSettings::boardEraserWidth, 20},
    {"tailValuesFirst", &ToolSettings::tailValuesFirst, 20},
    {"highlighterAlpha", &ToolSettings::highlighterAlpha, 220},
    {"keyboardOwnerLevel", &ToolSettings::keyboardOwnerLevel, 0},
};

struct ColourDefault {
    const char* pszName;
    COLORREF ToolSettings::*pField;
    COLORREF crExpected;
};

const ColourDefault kColourDefaults[] = {
    {"deskPenColour", &ToolSettings::deskPenColour, 0x000000},
    {"deskHighlighterColour", &ToolSettings::deskHighlighterColour, 0xFF8000},
    {"deskKeyColour16", &ToolSettings::deskKeyColour16, 0xFFFFFF},
    {"deskKeyColour", &ToolSettings::deskKeyColour, 0xFFFFFF},
    {"boardPenColour", &ToolSettings::boardPenColour, 0x000000},
    {"boardHighlighterColour", &ToolSettings::boardHighlighterColour, 0xFF8000},
    {"boardEraserColour", &ToolSettings::boardEraserColour, 0xFFFFFF},
};

TEST_F(FilledSettings, FixedNumbersAreTheCompiledDefaults)
{
    for (const IntDefault& d : kFixedIntDefaults)
        EXPECT_EQ(Rec().*d.pField, d.nExpected) << d.pszName;
    for (const ColourDefault& d : kColourDefaults)
        EXPECT_EQ(Rec().*d.pField, d.crExpected) << d.pszName;
    EXPECT_EQ(Rec().deskHighlighterColour, RGB(0, 128, 255));

    const int spare[] = {5, 100, 255};
    const int tail[] = {3, 1, 240, 30, 1};
    EXPECT_EQ(0, std::memcmp(Rec().spareValues, spare, sizeof(spare)));
    EXPECT_EQ(0, std::memcmp(Rec().tailValuesRest, tail, sizeof(tail)));
    EXPECT_EQ(Rec().pageKeyTarget, nullptr);
    EXPECT_EQ(Rec().keyboardProcess, nullptr);
}

TEST_F(FilledSettings, OsNameIsLeftEmpty)
{
    const char zeros[OS_NAME_BYTES] = {};
    EXPECT_EQ(0, std::memcmp(Rec().osName, zeros, sizeof(zeros)));
}

TEST_F(FilledSettings, ScreenFactsComeFromThePrimaryDisplay)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(cx, 160);
    EXPECT_EQ(Rec().screenWidth, cx);
    EXPECT_EQ(Rec().screenHeight, cy);

    CWindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(Rec().bitsPerPixel, ::GetDeviceCaps(screen.Get(), BITSPIXEL));
}

TEST_F(FilledSettings, PositionsHangOffTheScreenSize)
{
    const int cx = Rec().screenWidth;
    const int cy = Rec().screenHeight;
    EXPECT_EQ(Rec().boardToolbarX, cx - 160);
    EXPECT_EQ(Rec().boardToolbarY, cy - 400);
    EXPECT_EQ(Rec().moreToolbarX, cx - 80);
    EXPECT_EQ(Rec().moreToolbarY, cy - 400);
    EXPECT_EQ(Rec().deskPaletteX, cx - 160);
    EXPECT_EQ(Rec().deskPaletteY, cy - 400);
    for (const SettingsPoint& point : Rec().auxPoints) {
        EXPECT_EQ(point.x, cx / 2);
        EXPECT_EQ(point.y, cy / 2);
    }
}

TEST_F(FilledSettings, LibraryNamesInCheckOrderThenEmptySlots)
{
    const char* const expected[] = {"COLOR.dll", "Overink.dll", "Beamora.dll", "Umbrata.dll", "Ptrgrip.dll"};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(Rec().libraryNames[i].Text(), expected[i]) << "entry " << i;
    for (int i = 5; i < TOOL_LIBRARY_SLOTS; ++i) {
        EXPECT_TRUE(Rec().libraryNames[i].IsEmpty()) << "entry " << i;
        EXPECT_STREQ(Rec().libraryNames[i].Text(), "") << "entry " << i;
    }
}

TEST_F(FilledSettings, ProgramFolderIsTheRunningProgramsFolderWithBackslash)
{
    const std::string path = RunningProgramPath();
    const std::string folder = Rec().programFolder.Text();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder, path.substr(0, path.find_last_of('\\') + 1));
    EXPECT_EQ(std::string::npos, path.find('\\', folder.size())) << "cut before the last backslash";
}

TEST_F(FilledSettings, FillingAgainGivesAFreshRecord)
{
    m_holder.m_pRecord->surface = SURFACE_BOARD;
    ASSERT_TRUE(m_holder.FillToolDefaults());
    EXPECT_EQ(Rec().surface, SURFACE_DESKTOP);
    EXPECT_EQ(Rec().refCount, 1);
}

TEST_F(FilledSettings, ReleaseWithOtherReferencesOnlyCounts)
{
    ToolSettings* pRecord = m_holder.m_pRecord;
    pRecord->refCount = 3;
    m_holder.Release();
    EXPECT_EQ(m_holder.m_pRecord, pRecord);
    EXPECT_EQ(pRecord->refCount, 2);
    EXPECT_STREQ(pRecord->libraryNames[0].Text(), "COLOR.dll");
    m_holder.Release();
    EXPECT_EQ(m_holder.m_pRecord, pRecord);
    EXPECT_EQ(pRecord->refCount, 1);
}

TEST_F(FilledSettings, LastReleaseFreesTextsAndRecordAndEmptiesTheHolder)
{
    ToolSettings* pRecord = m_holder.m_pRecord;
    pRecord->libraryNames[TOOL_LIBRARY_SLOTS - 1].Set("Extra.dll");
    std::vector<const void*> owned = {pRecord, pRecord->programFolder.m_pszText};
    for (const TextHandle& name : pRecord->libraryNames) {
        if (name.m_pszText)
            owned.push_back(name.m_pszText);
    }
    ASSERT_EQ(owned.size(), 8u);

    g_deleteLog = DeleteLog{};
    g_deleteLog.bArmed = true;
    m_holder.Release();
    g_deleteLog.bArmed = false;

    EXPECT_EQ(m_holder.m_pRecord, nullptr);
    for (size_t i = 0; i < owned.size(); ++i)
        EXPECT_TRUE(g_deleteLog.Saw(owned[i])) << "allocation " << i << " not freed";
}

TEST(ToolSettingsRelease, EmptyHolderStaysEmpty)
{
    ToolSettingsRef holder;
    holder.Release();
    EXPECT_EQ(holder.m_pRecord, nullptr);
}

TEST(TextHandle, SetCopiesAndEmptyTextFrees)
{
    TextHandle text{};
    EXPECT_STREQ(text.Text(), "");
    EXPECT_TRUE(text.IsEmpty());

    char szSource[] = "Overink.dll";
    ASSERT_TRUE(text.Set(szSource));
    szSource[0] = 'X';
    EXPECT_STREQ(text.Text(), "Overink.dll");
    EXPECT_NE(text.m_pszText, szSource);

    ASSERT_TRUE(text.Set(""));
    EXPECT_EQ(text.m_pszText, nullptr);
    ASSERT_TRUE(text.Set("a"));
    ASSERT_TRUE(text.Set(nullptr));
    EXPECT_EQ(text.m_pszText, nullptr);
    text.Free();
}

} // namespace
