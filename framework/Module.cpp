#include "framework/Module.h"

#include "framework/App.h"

#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE FwResourceModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

std::string FwLoadString(UINT id)
{
    // LoadStringW with a zero buffer size returns a pointer into the resource itself.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(FwResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

std::string FwModulePath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameA(FwResourceModule(), buffer.data(),
                                            static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

int FwMessageBox(const std::string& text, UINT type, HWND owner)
{
    CWinApp* app = FwGetApp();
    std::string caption = app ? app->GetTitle() : std::string();
    if (!owner)
        owner = ::GetActiveWindow();
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

int FwMessageBox(UINT stringId, UINT type, HWND owner)
{
    return FwMessageBox(FwLoadString(stringId), type, owner);
}
