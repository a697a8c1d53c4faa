// The module this copy of the framework is linked into. Every deliverable links its own copy,
// so resources (dialog templates, strings, bitmaps, icons, cursors) always come from the
// module that uses them: a library's dialogs come from the library.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE FwResourceModule();

// A string-table text of this module; empty when the id has no string.
std::string FwLoadString(UINT id);

// Full path of this module's file.
std::string FwModulePath();

// Message box captioned with the application's title; owner defaults to the active window.
int FwMessageBox(const std::string& text, UINT type = MB_OK, HWND owner = nullptr);
int FwMessageBox(UINT stringId, UINT type = MB_OK, HWND owner = nullptr);

// Looks an export up by name in a module that may be missing; null when either is missing.
template <class Fn>
Fn FwGetProc(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
