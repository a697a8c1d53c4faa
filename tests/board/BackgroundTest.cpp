// Page backgrounds: colour and stretched pictures with their cache, sharing between pages, and
// the cycle through the built-in backgrounds.
#include "tests/board/BoardCanvas.h"

#include "board/BoardDoc.h"
#include "tests/support/WineTest.h"
#include "view/background/BuiltInBackgrounds.h"
#include "view/background/PageBackground.h"

#include <string>
#include <vector>

using namespace board_test;

namespace {

class BackgroundTest : public BoardTest {
protected:
    // Renders the background over the whole board into a fresh picture.
    CDibRef Render(CPageBackground& background)
    {
        CDibRef target = CreatePictureSection(nullptr, kWidth, kHeight);
        CMemoryDC dc(::CreateCompatibleDC(nullptr));
        CSelectObject selected(dc.Get(), target->GetBitmap());
        background.DrawBackground(dc.Get(), 0, 0, kWidth, kHeight);
        return target;
    }
};

TEST_F(BackgroundTest, StartsAsAWhiteColourBackground)
{
    CPageBackground background;
    EXPECT_EQ(background.m_nKind, CPageBackground::KIND_COLOUR);
    EXPECT_EQ(background.m_crColor, kWhite);
    EXPECT_FALSE(background.m_pPicture);
    EXPECT_FALSE(background.m_pCache);
    EXPECT_TRUE(::IsRectEmpty(&background.m_rectPicture));
    EXPECT_EQ(PixelOf(*Render(background), 100, 100), kWhite);
}

TEST_F(BackgroundTest, SetReturnsThePreviousKindAndTakesThePicture)
{
    CPageBackground background;
    CFG_DIB* picture = MakePicture(30, 20, Checker).Detach();
    EXPECT_EQ(background.Set(CPageBackground::KIND_PICTURE, kYellow, picture), 1);
    EXPECT_EQ(background.m_pPicture.Get(), picture);
    EXPECT_EQ(picture->m_nRefCount, 1);
    EXPECT_EQ(background.m_rectPicture.right, 30);
    EXPECT_EQ(background.m_rectPicture.bottom, 20);
    EXPECT_EQ(background.m_crColor, kYellow);
    EXPECT_EQ(background.Set(CPageBackground::KIND_COLOUR, kBlue, nullptr), 2);
    EXPECT_FALSE(background.m_pPicture);
    EXPECT_TRUE(::IsRectEmpty(&background.m_rectPicture));
    EXPECT_EQ(PixelOf(*Render(background), 10, 10), kBlue);
}

// Not cropped, aspect not kept: each quarter of a small picture covers a quarter of the board.
TEST_F(BackgroundTest, APictureIsStretchedOverTheWholeBoard)
{
    auto quarters = [](int x, int y) {
        return x < 20 ? (y < 10 ? kRed : kBlue) : (y < 10 ? kYellow : kBlack);
    };
    CPageBackground background;
    background.Set(CPageBackground::KIND_PICTURE, kWhite, MakePicture(40, 20, quarters).Detach());
    CDibRef board = Render(background);
    EXPECT_TRUE(IsNear(PixelOf(*board, 5, 5), kRed, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, kWidth - 5, 5), kYellow, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, 5, kHeight - 5), kBlue, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, kWidth - 5, kHeight - 5), kBlack, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, kWidth / 2 - 8, kHeight / 2 - 8), kRed, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, kWidth / 2 + 8, kHeight / 2 + 8), kBlack, 4));
}

TEST_F(BackgroundTest, APaletteBmpIsConvertedThroughItsPaletteBeforeStretching)
{
    CDibRef picture(new CFG_DIB(16, 16, 8));
    ASSERT_TRUE(picture->CreateSection(nullptr));
    // Index 0 red, index 1 blue, left half and right half; the table belongs to the picture.
    picture->m_pColorTable[0] = RGBQUAD{0, 0, 255, 0};
    picture->m_pColorTable[1] = RGBQUAD{255, 0, 0, 0};
    CMemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        CSelectObject selected(dc.Get(), picture->GetBitmap());
        ::SetDIBColorTable(dc.Get(), 0, 2, picture->m_pColorTable);
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            picture->m_pBits[y * 16 + x] = x < 8 ? 0 : 1;
    CPageBackground background;
    background.Set(CPageBackground::KIND_PICTURE, kWhite, picture.Detach());
    CDibRef board = Render(background);
    EXPECT_TRUE(IsNear(PixelOf(*board, 10, 80), kRed, 4));
    EXPECT_TRUE(IsNear(PixelOf(*board, kWidth - 10, 80), kBlue, 4));
}

TEST_F(BackgroundTest, TheCacheIsReusedUntilTheSizeChanges)
{
    CPageBackground background;
    background.Set(CPageBackground::KIND_PICTURE, kWhite, MakePicture(40, 20, Checker).Detach());
    Render(background);
    CFG_DIB* cache = background.m_pCache.Get();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->Width(), kWidth);
    EXPECT_EQ(cache->Header()->biBitCount, 24);
    Render(background);
    EXPECT_EQ(background.m_pCache.Get(), cache);

    CDibRef small = CreatePictureSection(nullptr, 50, 40);
    CMemoryDC dc(::CreateCompatibleDC(nullptr));
    CSelectObject selected(dc.Get(), small->GetBitmap());
    background.DrawBackground(dc.Get(), 0, 0, 50, 40);
    EXPECT_EQ(background.m_pCache->Width(), 50);

    background.ReleaseCache();
    EXPECT_FALSE(background.m_pCache);
    EXPECT_TRUE(background.m_pPicture);
}

TEST_F(BackgroundTest, CopiesShareOnePictureAndReleaseItOnce)
{
    CDibRef picture = MakePicture(40, 20, Checker);
    CPageBackground first;
    first.Set(CPageBackground::KIND_PICTURE, kYellow, CDibRef::Share(picture.Get()).Detach());
    Render(first);
    {
        CPageBackground second;
        second.CopyFrom(first);
        EXPECT_EQ(second.m_nKind, CPageBackground::KIND_PICTURE);
        EXPECT_EQ(second.m_pPicture.Get(), picture.Get());
        EXPECT_EQ(second.m_crColor, kYellow);
        EXPECT_EQ(second.m_rectPicture.right, 40);
        EXPECT_FALSE(second.m_pCache);   // the cache is not copied
        EXPECT_EQ(picture->m_nRefCount, 3);
        second.CopyFrom(second);
        EXPECT_EQ(picture->m_nRefCount, 3);
    }
    EXPECT_EQ(picture->m_nRefCount, 2);
    first.Reset();
    EXPECT_EQ(picture->m_nRefCount, 1);
    EXPECT_EQ(first.m_nKind, CPageBackground::KIND_COLOUR);
    EXPECT_EQ(first.m_crColor, kYellow);
    EXPECT_FALSE(first.m_pCache);
}

// ---- The built-in backgrounds ----

TEST(BuiltInBackgroundPath, IsTheMapFolderBesideTheProgram)
{
    EXPECT_EQ(BuiltInBackgroundPath("C:\\Inkvane\\", 3), "C:\\Inkvane\\map\\fr_3.JPG");
    EXPECT_EQ(BuiltInBackgroundPath("C:\\Inkvane\\", 10), "C:\\Inkvane\\map\\fr_10.JPG");
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
}

struct CycleCase {
    const char* name;
    int cycle;
    const char* available;   // eleven flags, numbers 0 to 10
    std::vector<int> shown;  // the numbers shown by successive presses (-1: none)
};

class Cycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(Cycle, ShowsTheNextAvailableNumber)
{
    const CycleCase& c = GetParam();
    int cycle = c.cycle;
    for (int expected : c.shown) {
        int shown = -1;
        std::vector<int> tried;
        cycle = CycleBackground(cycle, [&](int n) {
            tried.push_back(n);
            if (c.available[n] != '1')
                return 0;
            shown = n;
            return 1;
        });
        EXPECT_EQ(shown, expected);
        EXPECT_LE(tried.size(), 11u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Backgrounds, Cycle,
    ::testing::Values(
        CycleCase{"SnapshotFirstThenTheFiles", 0, "11111111111", {0, 1, 2}},
        CycleCase{"MissingFilesAreSkipped", 0, "11011111111", {0, 1, 3, 4}},
        CycleCase{"NoSnapshotStartsAtOne", 0, "01111111111", {1, 2}},
        CycleCase{"WrapsAroundAfterTen", 9, "11111111111", {9, 10, 0, 1}},
        CycleCase{"OnlyTheSnapshot", 0, "10000000000", {0, 0, 0}},
        CycleCase{"ACounterBeyondElevenIsReduced", 25, "11111111111", {3, 4}},
        CycleCase{"NothingAvailableChangesNothing", 0, "00000000000", {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cycle, WithNothingAvailableTheCounterStillMovesOn)
{
    EXPECT_EQ(CycleBackground(4, [](int) { return 0; }), 5);
    EXPECT_EQ(CycleBackground(0, [](int n) { return n == 0 ? 1 : 0; }), 1);
    EXPECT_EQ(CycleBackground(10, [](int n) { return n == 10 ? 1 : 0; }), 11);
}

// The whole rule with real files: a map folder with fr_2 missing and fr_4 not a picture.
TEST_F(BackgroundTest, CycleOverRealFilesSkipsTheMissingAndRestartsOnAPageChange)
{
    test::TempFolder program;
    ASSERT_TRUE(::CreateDirectoryA((program.Path() + "map").c_str(), nullptr));
    CDibRef source = MakePicture(64, 36, Checker);
    for (int n : {1, 3, 5})
        ASSERT_EQ(WriteJpegFile(BuiltInBackgroundPath(program.Path(), n).c_str(), source->m_pBits, 64,
                                36, 1, 90),
                  1);
    program.CreateFile("map\\fr_4.JPG", "not a picture");

    struct Watcher : CBoardDocWatcher {
        int* cycle;
        void OnDisplayedPageChanged() override { *cycle = 0; }
    };
    int cycle = 0;
    Watcher watcher;
    watcher.cycle = &cycle;
    CBoardDoc doc;
    doc.OnNewDocument();
    doc.AppendPage(false);
    doc.SetWatcher(&watcher);

    bool haveSnapshot = true;
    std::vector<int> shown;
    int messages = 0;
    auto press = [&] {
        cycle = CycleBackground(cycle, [&](int n) {
            if (n == 0) {
                if (!haveSnapshot)
                    return 0;
                shown.push_back(0);
                return 1;
            }
            CDibRef picture;
            test::MessageBoxWatcher boxes;
            PictureFileResult result = ReadPictureFile(BuiltInBackgroundPath(program.Path(), n), &picture);
            messages += static_cast<int>(boxes.Seen().size());
            if (result == PictureFileResult::NotOpened)
                return 0;
            if (result == PictureFileResult::Read) {
                doc.GetCurrentPage()->SetBackground(CPageBackground::KIND_PICTURE, kWhite, picture.Detach());
                shown.push_back(n);
            }
            return 1;   // shown, or attempted and reported
        });
    };
    press();
    press();
    press();
    press();
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 3}));   // the fourth press tried fr_4.JPG
    EXPECT_EQ(messages, 1);
    press();
    EXPECT_EQ(shown.back(), 5);
    EXPECT_EQ(doc.GetCurrentPage()->m_background.m_nKind, CPageBackground::KIND_PICTURE);

    doc.GoToFirstPage(true);
    EXPECT_EQ(cycle, 0);
    press();
    EXPECT_EQ(shown.back(), 0);
    haveSnapshot = false;
    doc.GoToLastPage(true);
    press();
    EXPECT_EQ(shown.back(), 1);
}

TEST_F(BackgroundTest, ReadingPictureFilesReportsWhatHappened)
{
    test::TempFolder folder;
    CDibRef source = MakePicture(9, 5, Checker);
    ASSERT_EQ(WriteJpegFile((folder.Path() + "a.jpg").c_str(), source->m_pBits, 9, 5, 1, 90), 1);
    folder.CreateFile("b.bmp", "BM broken");
    folder.CreateFile("c.png", "whatever");
    CDibRef picture;
    EXPECT_EQ(ReadPictureFile(folder.Path() + "missing.jpg", &picture), PictureFileResult::NotOpened);
    EXPECT_EQ(ReadPictureFile(folder.Path() + "a.jpg", &picture), PictureFileResult::Read);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 9);
    {
        test::MessageBoxWatcher boxes;
        EXPECT_EQ(ReadPictureFile(folder.Path() + "b.bmp", &picture), PictureFileResult::NotDecoded);
        EXPECT_FALSE(picture);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, "Read file error");
    }
    EXPECT_EQ(ReadPictureFile(folder.Path() + "c.png", &picture), PictureFileResult::NotDecoded);
}

} // namespace
