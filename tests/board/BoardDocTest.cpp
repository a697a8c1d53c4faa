// The board document's page operations: which page is shown, which was shown before, when the
// views are updated and when the page list is told.
#include "tests/board/BoardCanvas.h"

#include "board/BoardDoc.h"
#include "framework/View.h"

#include <string>
#include <vector>

using namespace board_test;

namespace {

// Counts the document's updates; never creates a window.
class CountingView : public CView {
public:
    void OnUpdate(CView*) override { ++m_nUpdates; }
    int m_nUpdates = 0;

protected:
    void OnDraw(HDC) override {}
};

class CountingWatcher : public CBoardDocWatcher {
public:
    void OnDisplayedPageChanged() override { ++m_nCalls; }
    int m_nCalls = 0;
};

class BoardDocTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        ASSERT_TRUE(m_settings.FillToolDefaults());
        m_settings.Record()->boardEraserColour = kYellow;
        SetBoardSettings(&m_settings);
        m_doc.SetView(&m_view);
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_doc.SetWatcher(&m_watcher);
    }
    void TearDown() override
    {
        SetBoardSettings(nullptr);
        m_settings.Release();
        BoardTest::TearDown();
    }

    // Pages are told apart by a mark: the number of shapes drawn on them.
    void Mark(CPage* page, int shapes)
    {
        for (int i = 0; i < shapes; ++i)
            Gesture(*page, SHAPE_STROKE, STYLE_PEN, 2, kBlack, {{10, 10 + i}, {20, 10 + i}});
    }
    // A board of n pages marked 1..n, page 1 shown.
    void MakeBoard(int n)
    {
        Mark(m_doc.GetCurrentPage(), 1);
        for (int i = 2; i <= n; ++i) {
            m_doc.AppendPage(false);
            Mark(m_doc.GetCurrentPage(), i);
        }
        m_doc.GoToFirstPage(false);
    }
    static int MarkOf(const CPage* page) { return page ? page->CountVisibleShapes() : -1; }
    std::string Marks() const
    {
        std::string marks;
        for (CPage* p = m_doc.GetFirstPage(); p; p = m_doc.GetNextPage(p))
            marks += std::to_string(MarkOf(p));
        return marks;
    }

    ToolSettingsRef m_settings;
    CountingView m_view;
    CountingWatcher m_watcher;
    CBoardDoc m_doc;
};

TEST_F(BoardDocTest, ANewBoardHasOneEmptyPageInTheBoardColour)
{
    EXPECT_EQ(m_doc.CountPages(), 1);
    ASSERT_NE(m_doc.GetCurrentPage(), nullptr);
    EXPECT_EQ(m_doc.GetCurrentPage()->m_background.m_nKind, CPageBackground::KIND_COLOUR);
    EXPECT_EQ(m_doc.GetCurrentPage()->m_background.m_crColor, kYellow);
    EXPECT_EQ(m_doc.GetTitle(), "");
    EXPECT_EQ(m_doc.m_bInsertAfterCurrent, 0);
}

TEST_F(BoardDocTest, OpeningAFileStartsAnEmptyBoardWithoutReadingIt)
{
    CBoardDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument("Z:\\no\\such\\board.jpg"));
    EXPECT_EQ(doc.CountPages(), 1);
}

TEST_F(BoardDocTest, Queries)
{
    MakeBoard(3);
    CPage* first = m_doc.GetFirstPage();
    CPage* second = m_doc.GetNextPage(first);
    CPage* third = m_doc.GetNextPage(second);
    EXPECT_EQ(m_doc.GetPageNumber(first), 1);
    EXPECT_EQ(m_doc.GetPageNumber(third), 3);
    EXPECT_EQ(m_doc.GetPageNumber(nullptr), -1);
    EXPECT_EQ(m_doc.GetNextPage(third), nullptr);
    EXPECT_EQ(m_doc.GetNextPage(nullptr), nullptr);
    EXPECT_EQ(m_doc.IndexOfCurrentPage(), 0);
    EXPECT_EQ(m_doc.GetCurrentPageTime(), first->m_tCreated);
}

// ---- Page operations as a table ----

struct DocCase {
    const char* name;
    int pages;                 // board made first: pages marked 1..n, page 1 shown
    const char* ops;           // see Run
    const char* marks;         // the pages' marks in board order afterwards
    int current;               // mark of the page shown
    int lastDisplayed;         // mark of the page shown before it, -1 for none
};

class PageOperations : public BoardDocTest, public ::testing::WithParamInterface<DocCase> {
protected:
    // f first, l last, n next, 1-9 go to that number, a append, p the presenter's new page,
    // d delete the shown page, c clear it, x copy from the last displayed page.
    void Run(const char* ops)
    {
        for (const char* op = ops; *op; ++op) {
            switch (*op) {
            case 'f': m_doc.GoToFirstPage(true); break;
            case 'l': m_doc.GoToLastPage(true); break;
            case 'n': m_doc.GoToNextPage(true); break;
            case 'a': m_doc.AppendPage(true); break;
            case 'p': m_doc.AddBoardPage(); break;
            case 'd': m_doc.DeleteCurrentPage(); break;
            case 'c': m_doc.ClearCurrentPage(); break;
            case 'x': m_doc.CopyFromLastDisplayedPage(); break;
            default: m_doc.GoToPageNumber(*op - '0'); break;
            }
        }
    }
};

TEST_P(PageOperations, LeaveTheBoardAsExpected)
{
    const DocCase& c = GetParam();
    MakeBoard(c.pages);
    Run(c.ops);
    EXPECT_EQ(Marks(), c.marks);
    EXPECT_EQ(MarkOf(m_doc.GetCurrentPage()), c.current);
    EXPECT_EQ(MarkOf(m_doc.GetLastDisplayedPage()), c.lastDisplayed);
    // Only the shown page keeps a full-size image.
    for (CPage* p = m_doc.GetFirstPage(); p; p = m_doc.GetNextPage(p)) {
        if (p != m_doc.GetCurrentPage()) {
            EXPECT_FALSE(p->m_pImage) << "page " << m_doc.GetPageNumber(p);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Board, PageOperations,
    ::testing::Values(
        DocCase{"NextPage", 3, "n", "123", 2, 1},
        DocCase{"NextOnTheLastPageStays", 3, "ln", "123", 3, 1},
        DocCase{"GoToNumber", 4, "3", "1234", 3, 1},
        DocCase{"GoToANumberOutOfRange", 3, "09", "123", 1, 3},
        DocCase{"AppendGoesToTheEnd", 3, "a", "1230", 0, 1},
        DocCase{"NewPageAfterTheShownOneInTheMiddle", 4, "2p", "12034", 0, 2},
        DocCase{"DeleteTheLastPageShowsTheNewLast", 3, "ld", "12", 2, -1},
        DocCase{"DeleteAnotherShowsTheFollowing", 3, "2d", "13", 3, -1},
        DocCase{"DeleteTheFirst", 3, "d", "23", 2, -1},
        DocCase{"ClearKeepsThePage", 3, "2c", "103", 0, -1},
        DocCase{"CopyFromTheLastDisplayedPage", 3, "3x", "124", 4, 1},
        DocCase{"CopyAfterADeleteDoesNothing", 3, "2dx", "13", 3, -1},
        DocCase{"CopyAfterAClearDoesNothing", 3, "2cx", "103", 0, -1},
        DocCase{"CopyWorksAgainAfterAPageChange", 3, "2c31x", "403", 4, 3},
        DocCase{"NoCopyOfAPageIntoItself", 3, "ffx", "123", 1, 1},
        DocCase{"NoCopyIntoItselfAfterGoingToTheLastPageAgain", 2, "llx", "12", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Deleting ----

TEST_F(BoardDocTest, DeletingTheOnlyPageLeavesOneEmptyColourPage)
{
    CPage* page = m_doc.GetCurrentPage();
    page->SetBackground(CPageBackground::KIND_PICTURE, kWhite,
                        MakePicture(8, 8, Checker).Detach());
    Mark(page, 2);
    m_settings.SetBoardChanged(0);
    int updates = m_view.m_nUpdates;
    m_doc.DeleteCurrentPage();
    EXPECT_EQ(m_doc.CountPages(), 1);
    EXPECT_EQ(m_doc.GetCurrentPage(), page);
    EXPECT_EQ(page->CountVisibleShapes(), 0);
    EXPECT_EQ(page->m_background.m_nKind, CPageBackground::KIND_COLOUR);
    EXPECT_EQ(m_settings.IsBoardChanged(), 1);
    EXPECT_EQ(m_view.m_nUpdates, updates + 1);
}

TEST_F(BoardDocTest, DeletingOneOfSeveralPagesTellsThePageListButLeavesTheRepaintToTheCaller)
{
    MakeBoard(3);
    m_settings.SetBoardChanged(0);
    int updates = m_view.m_nUpdates, calls = m_watcher.m_nCalls;
    m_doc.DeleteCurrentPage();
    EXPECT_EQ(m_view.m_nUpdates, updates);
    EXPECT_EQ(m_watcher.m_nCalls, calls + 1);
    EXPECT_EQ(m_settings.IsBoardChanged(), 1);
}

// ---- Updates and the page list ----

TEST_F(BoardDocTest, GoingToTheShownPageNumberTellsThePageListOnly)
{
    MakeBoard(3);
    m_doc.GoToPageNumber(2);
    int updates = m_view.m_nUpdates, calls = m_watcher.m_nCalls;
    m_doc.GoToPageNumber(2);
    EXPECT_EQ(m_view.m_nUpdates, updates);
    EXPECT_EQ(m_watcher.m_nCalls, calls + 1);
    EXPECT_EQ(MarkOf(m_doc.GetLastDisplayedPage()), 1);   // unchanged
    m_doc.GoToPageNumber(7);
    EXPECT_EQ(m_watcher.m_nCalls, calls + 1);
}

struct UpdateCase {
    const char* name;
    void (*op)(CBoardDoc&);
    int updates;
};

class ViewUpdates : public BoardDocTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(ViewUpdates, FollowTheUpdateArgument)
{
    MakeBoard(3);
    m_doc.GoToPageNumber(2);
    int updates = m_view.m_nUpdates;
    GetParam().op(m_doc);
    EXPECT_EQ(m_view.m_nUpdates - updates, GetParam().updates);
}

INSTANTIATE_TEST_SUITE_P(
    Board, ViewUpdates,
    ::testing::Values(
        UpdateCase{"FirstWith", [](CBoardDoc& d) { d.GoToFirstPage(true); }, 1},
        UpdateCase{"FirstWithout", [](CBoardDoc& d) { d.GoToFirstPage(false); }, 0},
        UpdateCase{"LastWith", [](CBoardDoc& d) { d.GoToLastPage(true); }, 1},
        UpdateCase{"IndexWithout", [](CBoardDoc& d) { d.GoToPageIndex(0, false); }, 0},
        UpdateCase{"NextWith", [](CBoardDoc& d) { d.GoToNextPage(true); }, 1},
        UpdateCase{"NumberAlways", [](CBoardDoc& d) { d.GoToPageNumber(3); }, 1},
        UpdateCase{"NewPage", [](CBoardDoc& d) { d.AddBoardPage(); }, 1},
        UpdateCase{"Clear", [](CBoardDoc& d) { d.ClearCurrentPage(); }, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoardDocTest, ThePageLeftBehindDropsItsFullSizeImages)
{
    MakeBoard(2);
    CPage* first = m_doc.GetCurrentPage();
    first->BlitToScreen(Screen(), 0, 0, kWidth, kHeight, false);
    first->m_background.DrawBackground(Screen(), 0, 0, kWidth, kHeight);
    ASSERT_TRUE(first->m_pImage);
    ASSERT_TRUE(first->m_background.m_pCache);
    m_doc.GoToNextPage(false);
    EXPECT_FALSE(first->m_pImage);
    EXPECT_FALSE(first->m_background.m_pCache);
    EXPECT_TRUE(first->m_pThumbnail);
}

TEST_F(BoardDocTest, NewDocumentReplacesEveryPage)
{
    MakeBoard(4);
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.CountPages(), 1);
    EXPECT_EQ(MarkOf(m_doc.GetCurrentPage()), 0);
    EXPECT_EQ(m_doc.GetLastDisplayedPage(), nullptr);
}

TEST_F(BoardDocTest, DeleteAllPagesEmptiesTheBoard)
{
    MakeBoard(3);
    m_doc.DeleteAllPages();
    EXPECT_EQ(m_doc.CountPages(), 0);
    EXPECT_EQ(m_doc.GetCurrentPage(), nullptr);
    EXPECT_EQ(m_doc.GetFirstPage(), nullptr);
    EXPECT_EQ(m_doc.IndexOfCurrentPage(), -1);
    // With no page the next new page is simply appended.
    m_doc.NewPage(true);
    EXPECT_EQ(m_doc.CountPages(), 1);
    EXPECT_NE(m_doc.GetCurrentPage(), nullptr);
}

} // namespace
