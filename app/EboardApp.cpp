#include "app/EboardApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/resource.h"
#include "board/BoardContext.h"
#include "board/BoardDoc.h"
#include "framework/DocTemplate.h"
#include "framework/Module.h"
#include "view/BoardView.h"

CEboardApp::~CEboardApp()
{
    SetBoardSettings(nullptr);
    m_settings.Release();
}

CEboardApp* GetEboardApp()
{
    return static_cast<CEboardApp*>(FwGetApp());
}

BOOL CEboardApp::InitInstance()
{
    // One copy only: a second start ends silently and leaves the running one alone.
    m_instanceMutex.Reset(::CreateMutexA(nullptr, TRUE, GetTitle().c_str()));
    if (!m_instanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;

    if (!m_settings.FillToolDefaults())
        return FALSE;
    SetBoardSettings(&m_settings);
    if (!CheckLibraryFiles())
        return FALSE;

    LoadStdProfileSettings(4);

    // The program is never started with a document.
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (commandLine.m_nShellCommand == CCommandLineInfo::FileOpen)
        return FALSE;

    AddDocTemplate(CSingleDocTemplate::Make<CBoardDoc, CMainFrame, CBoardView>(IDR_MAINFRAME));
    // The frame is hidden right below; never flash it on screen.
    m_nCmdShow = SW_HIDE;
    if (!ProcessShellCommand(commandLine) || !m_pMainWnd)
        return FALSE;

    m_pMainWnd->ModifyStyle(WS_THICKFRAME, 0);
    m_pMainWnd->SetWindowText(GetTitle());
    m_pMainWnd->ShowWindow(SW_HIDE);

    // A missing library or export is no failure: the program then runs with its frame hidden.
    if (m_overink.Load())
        m_overink.StartDraw(&BoardCallback, &m_settings);
    return TRUE;
}

int CEboardApp::ExitInstance()
{
    m_overink.Unload();
    return CWinApp::ExitInstance();
}

bool CEboardApp::CheckLibraryFiles()
{
    const ToolSettings* record = m_settings.Record();
    if (!record)
        return false;
    int count = record->libraryCount;
    if (count < 0 || count > TOOL_LIBRARY_SLOTS)
        count = TOOL_LIBRARY_SLOTS;
    for (int i = 0; i < count; ++i) {
        std::string path = std::string(record->programFolder.Text()) +
                           record->libraryNames[i].Text();
        WIN32_FIND_DATAA found{};
        CFindHandle search(::FindFirstFileA(path.c_str(), &found));
        if (!search) {
            FwMessageBox(IDS_FILES_MISSING, MB_OK | MB_ICONERROR);
            return false;
        }
    }
    return true;
}

void CEboardApp::OnSavingSetting()
{
    ToolSettings* record = m_settings.Record();
    record->trayMenuEnabled = 0;
    m_overink.DefaultDir();
    record->trayMenuEnabled = 1;
}

void CEboardApp::OnAppAbout()
{
    RunAboutCommand([this](int enable) { m_overink.EnableWnd(enable); },
                    [this](int enabled) {
                        if (ToolSettings* record = m_settings.Record())
                            record->trayMenuEnabled = enabled;
                    },
                    CWnd::HandleOf(m_pMainWnd));
}

bool CEboardApp::HandleCommand(UINT id, CCmdUI* ui)
{
    static const CommandEntry<CEboardApp> commands[] = {
        {ID_SAVING_SETTING, &CEboardApp::OnSavingSetting, nullptr},
        {ID_APP_ABOUT, &CEboardApp::OnAppAbout, nullptr},
        {ID_TRAY_ABOUT, &CEboardApp::OnAppAbout, nullptr},
    };
    return DispatchCommand(this, commands, id, ui);
}

void __cdecl BoardCallback(int code, int wParam, int lParam)
{
    HWND frame = CWnd::HandleOf(g_pMainFrame);
    if (!frame)
        return;
    if (code == WM_CLOSE)
        ::PostMessageA(frame, WM_CLOSE, static_cast<WPARAM>(wParam), lParam);
    else if (code == WM_SHOW_WHITEBOARD)
        ::SendMessageA(frame, WM_SHOW_WHITEBOARD, static_cast<WPARAM>(wParam), lParam);
}
