// The board document: the whiteboard's pages in display order, the page shown and the page
// shown before it. A board has no file of its own; what remains of it are page pictures.
#pragma once

#include "board/Page.h"
#include "framework/Document.h"

#include <cstdint>
#include <memory>
#include <vector>

// Told when the shown page changes, so that the background cycle restarts and the page list
// redraws. The board view registers itself.
class CBoardDocWatcher {
public:
    virtual void OnDisplayedPageChanged() = 0;

protected:
    ~CBoardDocWatcher() = default;
};

class CBoardDoc : public CDocument {
public:
    CBoardDoc() = default;
    ~CBoardDoc() override;

    void SetWatcher(CBoardDocWatcher* watcher) { m_pWatcher = watcher; }

    int CountPages() const { return static_cast<int>(m_pages.size()); }
    CPage* GetCurrentPage() const { return m_pCurrentPage; }
    CPage* GetLastDisplayedPage() const { return m_pLastDisplayedPage; }
    int IndexOfCurrentPage() const;
    CPage* GetFirstPage() const;
    int GetPageNumber(const CPage* page) const;
    CPage* GetNextPage(const CPage* page) const;
    CPage* GetPageAt(int index) const;
    int64_t GetCurrentPageTime() const;

    void GoToFirstPage(bool update);
    void GoToLastPage(bool update);
    void GoToPageNumber(int n);
    void GoToPageIndex(int i, bool update);
    void GoToNextPage(bool update);
    void AppendPage(bool update);
    void NewPage(bool update);
    // The presenter's new page: directly after the current one, in the board colour.
    void AddBoardPage();
    void DeleteCurrentPage();
    void ClearCurrentPage();
    void CopyFromLastDisplayedPage();
    void DeleteAllPages();

    // The title becomes the local time as YYMMDDhhmmss: the default name of a save.
    void SetTimeStampTitle();
    // "Do you want to save the changes to <name>?" with Yes, No and Cancel; the button pressed.
    int AskToSaveChanges();

    void DeleteContents() override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const char* path) override;

    int m_bInsertAfterCurrent = 0;

private:
    int IndexOf(const CPage* page) const;
    void Refresh();
    // The page stops being shown: it is remembered and drops its full-size images.
    void LeavePage();
    void MakeCurrent(int index);
    void UpdateViews() { UpdateAllViews(nullptr); }

    std::vector<std::unique_ptr<CPage>> m_pages;
    CPage* m_pCurrentPage = nullptr;
    CPage* m_pLastDisplayedPage = nullptr;
    CBoardDocWatcher* m_pWatcher = nullptr;
};
