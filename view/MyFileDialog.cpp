#include "view/MyFileDialog.h"

#include "framework/Module.h"
#include "view/background/BuiltInBackgrounds.h"

#include <commdlg.h>

#include <cstring>

namespace {

constexpr int FILE_NAME_BOX = 1148;

bool FileExists(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CentreOnScreen(HWND dialog)
{
    RECT rc{};
    ::GetWindowRect(dialog, &rc);
    int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - (rc.right - rc.left) / 2;
    int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - (rc.bottom - rc.top) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

} // namespace

CMyFileDialog::CMyFileDialog(bool open, const std::string& defaultExtension,
                             const std::string& fileName, DWORD flags, const std::string& filter,
                             CWnd* owner)
    : m_bOpen(open), m_strDefaultExtension(defaultExtension), m_strFilter(filter), m_dwFlags(flags),
      m_hOwner(CWnd::HandleOf(owner))
{
    for (char& c : m_strFilter)
        if (c == '|')
            c = '\0';
    lstrcpynA(m_szFile, fileName.c_str(), MAX_PATH);
}

INT_PTR CMyFileDialog::DoModal()
{
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hOwner;
    ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    ofn.lpstrFile = m_szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = m_strDefaultExtension.empty() ? nullptr : m_strDefaultExtension.c_str();
    ofn.Flags = m_dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    ofn.lpfnHook = &HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL ok = m_bOpen ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!ok)
        return IDCANCEL;
    m_strPath = m_szFile;
    return IDOK;
}

int CMyFileDialog::OnFileNameOK(HWND dialog, const std::string& path, const std::string& name)
{
    if (m_bOpen) {
        bool picture = EndsWithNoCase(path, "jpg") || EndsWithNoCase(path, "bmp");
        return (picture && path.size() > 4 && FileExists(path)) ? 0 : 1;
    }
    if (!name.empty() && path.find(name) != std::string::npos && path.size() <= MAX_SAVE_PATH)
        return 0;
    FwMessageBox("The path is too long. Try a shorter name.", MB_OK, dialog);
    ::SetFocus(::GetDlgItem(dialog, FILE_NAME_BOX));
    return 1;
}

// The hook's window is a child of the visible dialog; the dialog itself is its parent.
UINT_PTR CALLBACK CMyFileDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        ::SetWindowLongPtrA(child, GWLP_USERDATA, ofn->lCustData);
        CentreOnScreen(::GetParent(child));
        return 0;
    }
    if (message != WM_NOTIFY)
        return 0;
    auto* notify = reinterpret_cast<OFNOTIFYA*>(lParam);
    if (notify->hdr.code != CDN_FILEOK)
        return 0;
    auto* self = reinterpret_cast<CMyFileDialog*>(::GetWindowLongPtrA(child, GWLP_USERDATA));
    HWND dialog = ::GetParent(child);
    char path[MAX_PATH] = {}, name[MAX_PATH] = {};
    ::SendMessageA(dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
    ::SendMessageA(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
    int keepOpen = self ? self->OnFileNameOK(dialog, path, name) : 0;
    ::SetWindowLongPtrA(child, DWLP_MSGRESULT, keepOpen ? 1 : 0);
    return keepOpen ? 1 : 0;
}
