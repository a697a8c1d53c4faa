// The program's file dialog: the common Open or Save As dialog, centred on the screen, which
// checks the chosen name before it lets the dialog close.
#pragma once

#include "framework/Wnd.h"

#include <windows.h>

#include <string>

class CMyFileDialog {
public:
    // filter: "Text|patterns|...||" pairs, as the common dialog shows them.
    CMyFileDialog(bool open, const std::string& defaultExtension, const std::string& fileName,
                  DWORD flags, const std::string& filter, CWnd* owner);
    virtual ~CMyFileDialog() = default;

    // IDOK or IDCANCEL.
    INT_PTR DoModal();
    const std::string& GetPathName() const { return m_strPath; }

    // 0 accepts the name; anything else keeps the dialog open.
    virtual int OnFileNameOK(HWND dialog, const std::string& path, const std::string& name);

    // The longest path a saved name may have.
    static constexpr size_t MAX_SAVE_PATH = 243;

private:
    static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bOpen;
    std::string m_strDefaultExtension;
    std::string m_strFilter;   // NUL-separated for the common dialog
    DWORD m_dwFlags;
    HWND m_hOwner;
    std::string m_strPath;
    char m_szFile[MAX_PATH] = {};
};
