// The whiteboard's two floating toolbars: the main one (25 buttons in two columns) and the
// secondary one (4 buttons in one column), built hidden at the frame's creation and shown with
// the board.
#pragma once

#include "app/ToolBarEx.h"
#include "app/settings/ToolSettings.h"

// The main toolbar's two alternative button sets: set A while the pen or the highlighter is
// the tool, set B (the same commands seen from the eraser) while the eraser is.
extern const UINT kButtonSetA[5];
extern const UINT kButtonSetB[5];

// The image lists the frame keeps for one toolbar for as long as the toolbar lives.
struct CToolbarImages {
    CImageList m_normal;
    CImageList m_disabled;
};

// Builds the main toolbar (resource 128, bitmaps 311 and 320) in two columns with the button
// set of the current tool, floats it hidden at (boardToolbarX, boardToolbarY) and sets
// boardToolbarVisible to 1. False when the toolbar cannot be created or loaded.
bool CreateMainToolbar(CToolBarEx& bar, CToolbarImages& images, CWnd* frame,
                       ToolSettingsRef& settings);
// Builds the secondary toolbar (resource 272, bitmaps 276 and 281) in one column, floats it
// hidden at (moreToolbarX, moreToolbarY) and sets moreToolbarVisible to 0.
bool CreateMoreToolbar(CToolBarEx& bar, CToolbarImages& images, CWnd* frame,
                       ToolSettingsRef& settings);

// Shows set B and hides set A when the current tool is the eraser (1), else the reverse; one
// button at a time, set A first.
void ApplyButtonSet(CToolBarEx& bar, int currentTool);

// With show 1, each toolbar as its visibility field says; with show 0, both hidden.
void ShowBoardToolbars(CToolBarEx& mainBar, CToolBarEx& moreBar, const ToolSettingsRef& settings,
                       int show);
