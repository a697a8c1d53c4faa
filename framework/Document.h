// The document of the single-document template: owns the data, knows its one view.
#pragma once

#include "framework/Command.h"

#include <string>

class CView;

class CDocument : public CCmdTarget {
public:
    ~CDocument() override = default;

    // A new, empty document: deletes the contents. False fails the new-document command.
    virtual bool OnNewDocument();
    // Opens the file; the default refuses (documents that read files override it).
    virtual bool OnOpenDocument(const char* path);
    virtual void DeleteContents() {}

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const std::string& path, bool addToRecent = true);

    void SetView(CView* view) { m_pView = view; }
    CView* GetView() const { return m_pView; }
    // Tells the view that the document changed (the sender itself is skipped).
    void UpdateAllViews(CView* sender);

private:
    std::string m_strTitle;
    std::string m_strPathName;
    CView* m_pView = nullptr;
};
