// What the board model takes from the program around it: the settings record (highlighter
// translucency, board colour, the changed flag) and the board rectangle, which is the screen
// and never changes. The application hands the record over at start-up; tests and benchmarks
// set their own.
#pragma once

#include "app/settings/ToolSettings.h"

#include <windows.h>

void SetBoardSettings(ToolSettingsRef* settings);
// The record's holder; an empty holder (every getter answering its default) before start-up.
ToolSettingsRef& BoardSettings();

// (0, 0, screen width, screen height) unless set otherwise.
RECT GetBoardRect();
void SetBoardRect(const RECT& board);

// The highlighter's alpha: the low byte of the record's value, 220 with no record.
BYTE HighlighterAlpha();
// The board colour new pages get and the eraser paints with; white with no record.
COLORREF BoardColour();
