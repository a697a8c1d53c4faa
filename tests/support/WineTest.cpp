#include "tests/support/WineTest.h"

#include <shellapi.h>

namespace test {

std::string ProgramFolder()
{
    return INKVANE_PROGRAM_DIR;
}

void PumpMessages(DWORD ms)
{
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (ms)
            ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        PumpMessages();
        ::Sleep(5);
    }
    return true;
}

std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH];
    ::GetTempFileNameA(base, "ink", 0, name);
    ::DeleteFileA(name);
    ::CreateDirectoryA(name, nullptr);
    m_path = std::string(name) + "\\";
}

TempFolder::~TempFolder()
{
    std::string from = m_path.substr(0, m_path.size() - 1);
    from.push_back('\0');   // the list of names ends with an empty one
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

void TempFolder::CreateFile(const std::string& name, const std::string& contents) const
{
    HANDLE file = ::CreateFileA((m_path + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(file);
}

MessageBoxWatcher::MessageBoxWatcher()
{
    ::InitializeCriticalSection(&m_lock);
    m_thread = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_bStop = true;
    m_thread.join();
    ::DeleteCriticalSection(&m_lock);
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen()
{
    ::EnterCriticalSection(&m_lock);
    std::vector<SeenMessageBox> seen = m_seen;
    ::LeaveCriticalSection(&m_lock);
    return seen;
}

void MessageBoxWatcher::Watch()
{
    struct Search {
        DWORD process;
        HWND found;
    };
    while (!m_bStop) {
        Search search{::GetCurrentProcessId(), nullptr};
        ::EnumWindows(
            [](HWND hwnd, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD process = 0;
                ::GetWindowThreadProcessId(hwnd, &process);
                char className[64] = {};
                ::GetClassNameA(hwnd, className, sizeof className);
                // A message box: a dialog with a static text control (id 0xFFFF).
                if (process == s->process && ::IsWindowVisible(hwnd) &&
                    lstrcmpA(className, "#32770") == 0 && ::GetDlgItem(hwnd, 0xFFFF)) {
                    s->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            SeenMessageBox box;
            char text[1024] = {};
            ::GetWindowTextA(search.found, text, sizeof text);
            box.caption = text;
            ::GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
            box.text = text;
            // The icon sits in a static control; its id differs between systems, so look for it.
            for (HWND child = ::GetWindow(search.found, GW_CHILD); child;
                 child = ::GetWindow(child, GW_HWNDNEXT)) {
                HICON icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
                if (icon)
                    box.icon = icon;
            }
            ::EnterCriticalSection(&m_lock);
            m_seen.push_back(box);
            ::LeaveCriticalSection(&m_lock);
            // The default button, as Enter would press it (Yes in a yes/no question).
            WPARAM button = IDOK;
            for (HWND child = ::GetWindow(search.found, GW_CHILD); child;
                 child = ::GetWindow(child, GW_HWNDNEXT))
                if ((::GetWindowLongA(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
                    button = static_cast<WPARAM>(::GetDlgCtrlID(child));
            ::PostMessageA(search.found, WM_COMMAND, button, 0);
            ::PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
            for (int i = 0; i < 200 && ::IsWindow(search.found); ++i)
                ::Sleep(10);
        }
        ::Sleep(20);
    }
}

} // namespace test
