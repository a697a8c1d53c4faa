// The whiteboard program's application object: single instance, the shared settings record,
// the start-up check of the tool libraries, the document template, and the hand-over of the
// screen to the desktop annotation library.
#pragma once

#include "app/OverinkBinding.h"
#include "app/settings/ToolSettings.h"
#include "framework/App.h"
#include "framework/Handles.h"

class CEboardApp : public CWinApp {
public:
    CEboardApp() = default;
    ~CEboardApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    ToolSettingsRef& Settings() { return m_settings; }
    COverinkBinding& Overink() { return m_overink; }

    // Looks for every file of the record's library list in the program folder; at the first
    // one missing, tells the presenter and returns false.
    bool CheckLibraryFiles();

protected:
    bool HandleCommand(UINT id, CCmdUI* ui) override;

private:
    void OnSavingSetting();
    void OnAppAbout();

    CKernelHandle m_instanceMutex;
    ToolSettingsRef m_settings;
    COverinkBinding m_overink;
};

// The program's application object.
CEboardApp* GetEboardApp();

// The function handed to the annotation library for its notifications.
void __cdecl BoardCallback(int code, int wParam, int lParam);
