// The single-document template: which document, frame and view classes make up the program,
// and the resource id of the frame's title, icon and accelerators.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    // The parts of the template's string resource, separated by '\n'.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt,
                          regFileTypeId, regFileTypeName };

    CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> newDocument,
                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView);
    ~CSingleDocTemplate();

    template <class Doc, class Frame, class View>
    static std::unique_ptr<CSingleDocTemplate> Make(UINT resourceId)
    {
        return std::make_unique<CSingleDocTemplate>(
            resourceId, [] { return new Doc; }, [] { return new Frame; },
            [] { return new View; });
    }

    UINT GetResourceId() const { return m_nResourceId; }
    std::string GetDocString(DocStringIndex index) const;

    // Creates the document and, the first time, the frame with its view; then a new document
    // (path null) or the opened file. Returns the document, or null on failure.
    CDocument* OpenDocumentFile(const char* path, bool makeVisible);
    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    // Called when the frame window is gone.
    void ForgetFrame() { m_pFrame = nullptr; }

private:
    UINT m_nResourceId;
    std::function<CDocument*()> m_newDocument;
    std::function<CFrameWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    std::unique_ptr<CDocument> m_pDocument;
    CFrameWnd* m_pFrame = nullptr;   // deletes itself with its window
};
