// Layered-window attributes, looked up by name in "User32.DLL" at each call so that a system
// without them simply shows ordinary windows.
#pragma once

#include <windows.h>

// False when the function is missing or fails.
bool FwSetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
