#include "framework/Document.h"

#include "framework/App.h"
#include "framework/View.h"

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    return true;
}

bool CDocument::OnOpenDocument(const char*)
{
    return false;
}

void CDocument::SetPathName(const std::string& path, bool addToRecent)
{
    m_strPathName = path;
    size_t slash = path.find_last_of("\\/");
    SetTitle(path.substr(slash == std::string::npos ? 0 : slash + 1));
    if (addToRecent)
        if (CWinApp* app = FwGetApp())
            app->AddToRecentFileList(path);
}

void CDocument::UpdateAllViews(CView* sender)
{
    if (m_pView && m_pView != sender)
        m_pView->OnUpdate(sender);
}
