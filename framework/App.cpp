#include "framework/App.h"

#include "framework/DocTemplate.h"
#include "framework/Frame.h"
#include "framework/Module.h"
#include "framework/ThreadState.h"

#include <shellapi.h>

namespace {

CWinApp* g_pApp = nullptr;

std::string Narrow(const wchar_t* text)
{
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), bytes, nullptr, nullptr);
    result.resize(static_cast<size_t>(bytes - 1));
    return result;
}

// Messages that do not count as activity for idle processing: they arrive constantly or are
// themselves results of idle work.
bool IsIdleMessage(const MSG& msg)
{
    static POINT lastMouse{-1, -1};
    switch (msg.message) {
    case WM_PAINT:
    case WM_TIMER:
    case 0x0118:   // WM_SYSTIMER: caret blinking
        return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y)
            return false;
        lastMouse = msg.pt;
        return true;
    default:
        return true;
    }
}

} // namespace

void CCommandLineInfo::ParseParam(const std::string& param, bool isFlag)
{
    if (isFlag || param.empty())
        return;
    if (m_strFileName.empty()) {
        m_strFileName = param;
        m_nShellCommand = FileOpen;
    }
}

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

const std::string& CWinApp::GetTitle() const
{
    if (m_strTitle.empty()) {
        m_strTitle = FwLoadString(IDS_APP_TITLE);
        if (m_strTitle.empty()) {
            std::string path = FwModulePath();
            m_strTitle = path.substr(path.find_last_of('\\') + 1);
        }
    }
    return m_strTitle;
}

CWinApp* FwGetApp()
{
    return g_pApp;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFiles)
        m_pRecentFiles->WriteList();
    return 0;
}

bool CWinApp::OnIdle(LONG count)
{
    if (count == 0)
        if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
            if (frame->m_hWnd)
                frame->OnIdleUpdateCmdUI();
    return false;
}

int CWinApp::Run()
{
    MSG msg{};
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        do {
            BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1)
                return ExitInstance();
            // Pre-translation already happened in the retrieval hook (see ThreadState.h).
            if (msg.message != WM_NULL) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (IsIdleMessage(msg)) {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args)
        return;
    for (int i = 1; i < count; ++i) {
        std::string param = Narrow(args[i]);
        bool isFlag = !param.empty() && (param[0] == '/' || param[0] == '-');
        info.ParseParam(isFlag ? param.substr(1) : param, isFlag);
    }
    ::LocalFree(args);
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        return OnFileNew();
    case CCommandLineInfo::FileOpen:
        return m_pDocTemplate &&
               m_pDocTemplate->OpenDocumentFile(info.m_strFileName.c_str(), true) != nullptr;
    case CCommandLineInfo::FileNothing:
        return true;
    }
    return false;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_pDocTemplate = std::move(docTemplate);
}

bool CWinApp::OnFileNew()
{
    return m_pDocTemplate && m_pDocTemplate->OpenDocumentFile(nullptr, true) != nullptr;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    m_pRecentFiles = std::make_unique<CRecentFileList>(FwDefaultProfilePath(GetTitle()),
                                                       maxRecentFiles);
    m_pRecentFiles->ReadList();
}

void CWinApp::AddToRecentFileList(const std::string& path)
{
    if (m_pRecentFiles)
        m_pRecentFiles->Add(path);
}

bool CWinApp::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return HandleCommand(id, ui);
}

int FwRunApplication(int showCommand)
{
    CWinApp* app = FwGetApp();
    if (!app)
        return -1;
    app->m_nCmdShow = showCommand;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        app->ExitInstance();
        return -1;
    }
    return app->Run();
}

BOOL FwLibraryMain(DWORD reason)
{
    CWinApp* app = FwGetApp();
    if (!app)
        return TRUE;
    if (reason == DLL_PROCESS_ATTACH)
        return app->InitInstance();
    if (reason == DLL_PROCESS_DETACH)
        app->ExitInstance();
    return TRUE;
}
