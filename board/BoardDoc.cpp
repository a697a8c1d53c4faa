#include "board/BoardDoc.h"

#include "app/resource.h"
#include "board/BoardContext.h"
#include "framework/Module.h"

#include <cstdio>
#include <ctime>
#include <new>

CBoardDoc::~CBoardDoc()
{
    DeleteAllPages();
}

// ---- Queries ----

int CBoardDoc::IndexOf(const CPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].get() == page)
            return static_cast<int>(i);
    return -1;
}

int CBoardDoc::IndexOfCurrentPage() const
{
    return IndexOf(m_pCurrentPage);
}

CPage* CBoardDoc::GetFirstPage() const
{
    return m_pages.empty() ? nullptr : m_pages.front().get();
}

int CBoardDoc::GetPageNumber(const CPage* page) const
{
    if (!page)
        return -1;
    int index = IndexOf(page);
    return index < 0 ? -1 : index + 1;
}

CPage* CBoardDoc::GetNextPage(const CPage* page) const
{
    int index = page ? IndexOf(page) : -1;
    return (index < 0 || index + 1 >= CountPages()) ? nullptr : m_pages[index + 1].get();
}

CPage* CBoardDoc::GetPageAt(int index) const
{
    return (index < 0 || index >= CountPages()) ? nullptr : m_pages[index].get();
}

int64_t CBoardDoc::GetCurrentPageTime() const
{
    return m_pCurrentPage ? m_pCurrentPage->m_tCreated : static_cast<int64_t>(std::time(nullptr));
}

// ---- Page changes ----

void CBoardDoc::Refresh()
{
    if (m_pWatcher && m_pCurrentPage)
        m_pWatcher->OnDisplayedPageChanged();
}

void CBoardDoc::LeavePage()
{
    m_pLastDisplayedPage = m_pCurrentPage;
    if (m_pCurrentPage)
        m_pCurrentPage->ReleaseImages();
}

void CBoardDoc::MakeCurrent(int index)
{
    LeavePage();
    m_pCurrentPage = m_pages[index].get();
}

void CBoardDoc::GoToFirstPage(bool update)
{
    Refresh();
    if (!m_pages.empty())
        MakeCurrent(0);
    if (update)
        UpdateViews();
}

void CBoardDoc::GoToLastPage(bool update)
{
    Refresh();
    if (!m_pages.empty())
        MakeCurrent(CountPages() - 1);
    if (update)
        UpdateViews();
}

void CBoardDoc::GoToPageNumber(int n)
{
    if (n < 1 || n > CountPages())
        return;
    Refresh();
    if (m_pages[n - 1].get() == m_pCurrentPage)
        return;
    MakeCurrent(n - 1);
    UpdateViews();
}

void CBoardDoc::GoToPageIndex(int i, bool update)
{
    if (i < 0 || i >= CountPages())
        return;
    Refresh();
    MakeCurrent(i);
    if (update)
        UpdateViews();
}

void CBoardDoc::GoToNextPage(bool update)
{
    Refresh();
    int index = IndexOfCurrentPage();
    if (index >= 0 && index + 1 < CountPages())
        MakeCurrent(index + 1);
    if (update)
        UpdateViews();
}

void CBoardDoc::AppendPage(bool update)
{
    CPage* page = new (std::nothrow) CPage;
    if (!page)
        return;
    m_pages.emplace_back(page);
    GoToLastPage(update);
    Refresh();
}

void CBoardDoc::NewPage(bool update)
{
    if (!m_pCurrentPage) {
        AppendPage(true);
        return;
    }
    Refresh();
    CPage* page = new (std::nothrow) CPage;
    if (!page)
        return;
    if (m_bInsertAfterCurrent) {
        m_bInsertAfterCurrent = 0;
        int index = IndexOfCurrentPage();
        m_pages.emplace(m_pages.begin() + index + 1, page);
        MakeCurrent(index + 1);
        if (update)
            UpdateViews();
    } else {
        m_pages.emplace_back(page);
        GoToLastPage(update);
    }
}

void CBoardDoc::AddBoardPage()
{
    m_bInsertAfterCurrent = 1;
    NewPage(true);
    // A page that could not be made leaves the flag for nobody.
    m_bInsertAfterCurrent = 0;
    if (m_pCurrentPage)
        m_pCurrentPage->SetBackground(CPageBackground::KIND_COLOUR, BoardColour(), nullptr);
}

void CBoardDoc::DeleteCurrentPage()
{
    m_pLastDisplayedPage = nullptr;
    char line[32];
    std::snprintf(line, sizeof line, "PageCnt=%d", CountPages());
    ::OutputDebugStringA(line);
    BoardSettings().SetBoardChanged(1);
    if (CountPages() == 1) {
        m_pages.front()->ClearAll();
        m_pCurrentPage = m_pages.front().get();
        UpdateViews();
    } else if (CountPages() > 1) {
        int index = IndexOfCurrentPage();
        if (index < 0)
            index = CountPages() - 1;
        m_pages.erase(m_pages.begin() + index);
        m_pCurrentPage = nullptr;
        bool wasLast = index == CountPages();
        m_pCurrentPage = m_pages[wasLast ? index - 1 : index].get();
    }
    Refresh();
}

void CBoardDoc::ClearCurrentPage()
{
    m_pLastDisplayedPage = nullptr;
    if (m_pCurrentPage)
        m_pCurrentPage->ClearShapes();
    UpdateViews();
}

void CBoardDoc::CopyFromLastDisplayedPage()
{
    // The page shown again after going to itself is its own last displayed page; copying it
    // into itself would only double its drawings.
    if (m_pLastDisplayedPage && m_pLastDisplayedPage != m_pCurrentPage && m_pCurrentPage)
        m_pCurrentPage->CopyFrom(m_pLastDisplayedPage);
}

void CBoardDoc::DeleteAllPages()
{
    for (auto& page : m_pages)
        page->ClearAll();
    m_pages.clear();
    m_pCurrentPage = nullptr;
    m_pLastDisplayedPage = nullptr;
}

// ---- The framework's document steps ----

void CBoardDoc::DeleteContents()
{
    DeleteAllPages();
    UpdateViews();
}

bool CBoardDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    SetTitle("");
    AddBoardPage();
    return true;
}

// The board never reads a file: opening one starts an empty board.
bool CBoardDoc::OnOpenDocument(const char*)
{
    SetTitle("");
    AddBoardPage();
    return true;
}

// ---- Saving ----

void CBoardDoc::SetTimeStampTitle()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char title[16];
    std::snprintf(title, sizeof title, "%02d%02d%02d%02d%02d%02d", now.wYear % 100, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    SetTitle(title);
}

int CBoardDoc::AskToSaveChanges()
{
    std::string name;
    const std::string& path = GetPathName();
    if (!path.empty()) {
        size_t slash = path.find_last_of("\\/");
        name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    } else {
        name = GetTitle();
    }
    if (name.empty())
        name = FwLoadString(IDS_UNTITLED);
    return FwMessageBox(FwLoadString(IDS_SAVE_CHANGES_QUESTION) + name + "?", MB_YESNOCANCEL);
}
