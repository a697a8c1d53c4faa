// Page Up and Page Down for the presentation underneath the palette.
#pragma once

#include <windows.h>

struct ToolSettings;

// True for a window that can be the presentation: enabled, visible, of another process than the
// whiteboard, and at least a quarter of the screen in area.
bool IsTargetWindow(HWND hwnd, const ToolSettings& record);
// Walks the top-level windows below the topmost one in Z order and keeps the first target in
// pageKeyTarget (null when none qualifies).
void FindTargetWindow(ToolSettings& record);
// Brings the target forward, presses the key and gives the foreground back to the
// palette, with the record's pauses around the key.
void SendPageKey(ToolSettings& record, BYTE vk, HWND palette);
