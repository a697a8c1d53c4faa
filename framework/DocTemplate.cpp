#include "framework/DocTemplate.h"

#include "framework/App.h"
#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/Module.h"
#include "framework/View.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> newDocument,
                                       std::function<CFrameWnd*()> newFrame,
                                       std::function<CView*()> newView)
    : m_nResourceId(resourceId), m_newDocument(std::move(newDocument)),
      m_newFrame(std::move(newFrame)), m_newView(std::move(newView))
{
}

CSingleDocTemplate::~CSingleDocTemplate() = default;

std::string CSingleDocTemplate::GetDocString(DocStringIndex index) const
{
    std::string text = FwLoadString(m_nResourceId);
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, bool makeVisible)
{
    bool created = false;
    if (!m_pDocument) {
        m_pDocument.reset(m_newDocument());
        if (!m_pDocument)
            return nullptr;
        created = true;
    }

    bool newFrame = false;
    if (!m_pFrame) {
        CFrameWnd* frame = m_newFrame();
        CWinApp* app = FwGetApp();
        if (app && !app->m_pMainWnd)
            app->m_pMainWnd = frame;
        CCreateContext context;
        context.m_pDocument = m_pDocument.get();
        context.m_newView = m_newView;
        if (!frame->LoadFrame(m_nResourceId, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, &context)) {
            if (app && app->m_pMainWnd == frame)
                app->m_pMainWnd = nullptr;
            delete frame;
            if (created)
                m_pDocument.reset();
            return nullptr;
        }
        m_pFrame = frame;
        newFrame = true;
    }

    bool opened = path ? m_pDocument->OnOpenDocument(path) : m_pDocument->OnNewDocument();
    if (!opened) {
        if (newFrame) {
            m_pFrame->DestroyWindow();
            ForgetFrame();
        }
        return nullptr;
    }
    if (path)
        m_pDocument->SetPathName(path);
    m_pFrame->InitialUpdateFrame(makeVisible);
    return m_pDocument.get();
}
