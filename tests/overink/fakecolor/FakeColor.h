// What the stand-in colour library saw.
#pragma once

#include <windows.h>

struct ToolSettingsRef;

struct FakeColorLog {
    int showCalls = 0;
    HWND window = nullptr;
    ToolSettingsRef* holder = nullptr;
    int sheetKind = 0;   // penSheetKind when ShowColor was called
    int closeCalls = 0;
    int updateCalls = 0;
};

typedef FakeColorLog* (__cdecl* GetFakeColorLogFn)();
