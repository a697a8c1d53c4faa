#include "framework/Frame.h"

#include "framework/App.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/Module.h"
#include "framework/ThreadState.h"
#include "framework/View.h"

#include <algorithm>
#include <memory>

CFrameWnd::~CFrameWnd()
{
    delete m_pView;   // the view window is already gone with the frame
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CCreateContext* context)
{
    std::string title = FwLoadString(resourceId);
    title = title.substr(0, title.find('\n'));
    HICON icon = ::LoadIconA(FwResourceModule(), MAKEINTRESOURCEA(resourceId));
    m_hAccelTable = ::LoadAcceleratorsA(FwResourceModule(), MAKEINTRESOURCEA(resourceId));

    CREATESTRUCTA cs{};
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = title.c_str();
    cs.lpszClass = RegisterClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                 reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    cs.lpCreateParams = context;
    PreCreateWindow(cs);
    std::string name = cs.lpszName ? cs.lpszName : "";

    HWND hwnd;
    {
        CWndCreationScope scope(this);
        hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, name.c_str(), cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, FwResourceModule(),
                                 cs.lpCreateParams);
    }
    m_bCreated = hwnd != nullptr;
    return m_bCreated;
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pView ? m_pView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(bool makeVisible)
{
    if (m_pView)
        m_pView->OnInitialUpdate();
    if (!makeVisible)
        return;
    CWinApp* app = FwGetApp();
    int show = app && app->m_pMainWnd == this ? app->m_nCmdShow : SW_SHOW;
    if (show != SW_HIDE) {
        ShowWindow(show);
        ::UpdateWindow(m_hWnd);
    }
}

void CFrameWnd::RecalcLayout()
{
    if (!m_pView || !m_pView->m_hWnd)
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(m_pView->m_hWnd, 0, 0, client.right, client.bottom, TRUE);
}

void CFrameWnd::RemoveCommandBar(CCommandBar* bar)
{
    m_commandBars.erase(std::remove(m_commandBars.begin(), m_commandBars.end(), bar),
                        m_commandBars.end());
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    for (CCommandBar* bar : m_commandBars)
        bar->UpdateCommandStates(*this);
}

int CFrameWnd::OnCreate(CREATESTRUCTA* cs)
{
    if (Default(WM_CREATE, 0, reinterpret_cast<LPARAM>(cs)) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_newView) {
        std::unique_ptr<CView> view(context->m_newView());
        if (!view || !view->Create(this, context->m_pDocument))
            return -1;
        m_pView = view.release();
    }
    return 0;
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::PostNcDestroy()
{
    // A frame whose creation failed stays with LoadFrame's caller.
    if (!m_bCreated)
        return;
    // Like every top-level frame, the object goes with its window.
    CWinApp* app = FwGetApp();
    if (app) {
        if (CSingleDocTemplate* docTemplate = app->GetDocTemplate())
            if (docTemplate->GetFrame() == this)
                docTemplate->ForgetFrame();
        if (app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
    }
    delete this;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
        Default(message, wParam, lParam);
        RecalcLayout();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

bool CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (!m_hAccelTable || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
}

bool CFrameWnd::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (m_pView && m_pView->OnCmdMsg(id, ui))
        return true;
    if (HandleCommand(id, ui))
        return true;
    CWinApp* app = FwGetApp();
    return app && app->OnCmdMsg(id, ui);
}
