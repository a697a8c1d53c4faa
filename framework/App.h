// The application object: one per module. In a program it runs start-up, the message loop with
// idle-time command-state updates, and exit; in a library it only initialises and exits.
#pragma once

#include "framework/Command.h"
#include "framework/RecentFileList.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CWnd;
class CDocument;
class CSingleDocTemplate;

// What the command line asks for.
class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing };

    // Takes one parameter of the command line; flags start with '/' or '-'.
    void ParseParam(const std::string& param, bool isFlag);

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    // Application title: string 57344 of the module's string table.
    static constexpr UINT IDS_APP_TITLE = 57344;

    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // Message loop of a program; returns the exit code.
    virtual int Run();
    // Idle work when the queue is empty; return true to be called again before the next message.
    virtual bool OnIdle(LONG count);

    // The application title, read from the string table on first use.
    const std::string& GetTitle() const;

    void ParseCommandLine(CCommandLineInfo& info);
    // Carries out the shell command (a new document); false when it fails.
    bool ProcessShellCommand(const CCommandLineInfo& info);

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    // New document through the template; false when the document, frame or view fails.
    bool OnFileNew();

    // Reads the recent-file list with the given number of entries from the default profile.
    void LoadStdProfileSettings(UINT maxRecentFiles);
    void AddToRecentFileList(const std::string& path);
    CRecentFileList* GetRecentFileList() { return m_pRecentFiles.get(); }

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

private:
    mutable std::string m_strTitle;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
};

// This module's application object, or null.
CWinApp* FwGetApp();

// Program entry: initialisation, message loop, exit. A failed initialisation returns at once.
int FwRunApplication(int showCommand);
// Library entry, called from DllMain: initialises or exits the library's application object.
BOOL FwLibraryMain(DWORD reason);
