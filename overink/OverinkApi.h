// The interface between the desktop annotation library and its host program: the exports,
// the host's callback, and the window messages other modules send to the overlay.
// Numeric codes only; nothing here is a C++ object that crosses the boundary.
#pragma once

#include <windows.h>

struct ToolSettingsRef;

// The host's notification function: void (code, wParam, lParam), C calling convention.
typedef void (__cdecl* DrawCallback)(int code, int wParam, int lParam);

// Codes passed to the callback.
inline constexpr int DRAWCB_CLOSE = 16;         // a library window received WM_CLOSE
inline constexpr int DRAWCB_WHITEBOARD = 2039;  // the palette asks for the whiteboard

// Messages accepted by the overlay, found by its title.
inline constexpr UINT WM_DRAW_SHOW = 0x7F8;
inline constexpr UINT WM_DRAW_RESERVED = 0x7FA;
inline constexpr UINT WM_TOOLS_CHANGED = 0x80B;
inline constexpr const char* DRAW_DIALOG_TITLE = "Inkvane Draw Dialog";

// Exports, resolved by name at run time.
typedef void (__cdecl* StartDrawFn)(DrawCallback callback, ToolSettingsRef* settings);
typedef int (__cdecl* ShowDrawFn)(int show);
typedef void (__cdecl* EndDrawFn)();
typedef int (__cdecl* EnableWndFn)(int enable);
typedef int (__cdecl* DefaultDirFn)();
typedef int (__cdecl* DoForSleepFn)(int sleep);
