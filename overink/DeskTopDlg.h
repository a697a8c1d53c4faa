// The overlay: a full-screen, almost invisible window titled "Inkvane Draw Dialog" that takes
// the pointer in drawing mode. It owns the layers, the palette, the companion libraries and all
// of the library's state, and decides when the drawing layers are on screen.
#pragma once

#include "framework/Dialog.h"
#include "overink/CompanionLibraries.h"
#include "overink/model/Page.h"
#include "overink/LayerDlg.h"
#include "overink/ToolDlg.h"

#include <memory>

// Palette command codes, the button numbers 1 to 20.
enum : int {
    CMD_WORK_MODE = 1,
    CMD_WHITEBOARD,
    CMD_PAGE_UP,
    CMD_PAGE_DOWN,
    CMD_HIGHLIGHT,
    CMD_PEN_ERASER,
    CMD_FAST_PEN_SET,
    CMD_ACCURATE_PEN_SET,
    CMD_FREEFORM,
    CMD_LINE,
    CMD_CIRCLE,
    CMD_RECTANGLE,
    CMD_UNDO,
    CMD_CLEAR,
    CMD_KEYBOARD,
    CMD_SAVE_SCREEN,
    CMD_SHADE,
    CMD_SPOTLIGHT,
    CMD_RIGHT_BUTTON,
    CMD_MINIMIZE,
};

class CDeskTopDlg : public CDialog {
public:
    CDeskTopDlg();

    // Shows (palette, taskbar entry, and the layers when drawing) or hides everything.
    void ShowAll(BOOL show);
    // Shows or hides the overlay and both layers.
    void SetDrawingShown(BOOL show);
    // Enables or disables every window of the library; the overlay's previous state comes back.
    BOOL EnableAll(BOOL enable);
    // Before a suspend (TRUE) hides the layers; after the resume (FALSE) brings them back when
    // nothing else keeps them hidden. Returns the sleeping state after the change.
    int OnSleep(BOOL sleep);
    // Counts the open spotlight and shade windows by their named mutexes.
    void CountRunningTools();
    // Sets every palette button from the work mode, tool, shape and open tools.
    void UpdateToolButtons();
    // Undo is available exactly when the page holds a shape.
    void UpdateUndoButton();
    void OnToolCommand(int code);
    // Removes the last annotation and repaints the layers it was on.
    void UndoAnnotation();
    // Removes every annotation.
    void ClearAnnotations();
    CPage* Page() const { return m_pPage.get(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CToolDlg& Palette() { return m_toolDlg; }
    CSTBDialog& PenLayer() { return m_penLayer; }
    CYGBDialog& HighlightLayer() { return m_highlightLayer; }

    int m_nToolsRunning = 0;
    int m_bHidden = 0;
    int m_bSleeping = 0;
    int m_bInputOff = 1;
    int m_bButtonDown = 0;
    int m_bGestureBegun = 0;   // the press began a shape; without one, moves draw nothing
    int m_nGestureTool = 0;    // the tool the gesture began with

protected:
    BOOL OnInitDialog() override;

private:
    void ShowLayer(bool show);
    void KeepPaletteOnTop();
    void SwitchWorkMode();
    void EnsureDrawingMode();
    void SelectTool(int tool);
    void SelectShape(int shape);
    void UpdateMouseModeButtons();
    void UpdateDrawingModeButtons();
    void OnPenDown(int x, int y);
    void OnPenMove(int x, int y);
    void OnPenUp(int x, int y);
    bool OnSetCursor();
    // Runs the drawing with the layer device contexts of the gesture's tool.
    template <class Fn>
    void WithGestureDCs(Fn draw);
    void ShowPenSheet(int sheetKind);
    void StartTool(bool spotlight);

    CSTBDialog m_penLayer;
    CYGBDialog m_highlightLayer;
    CToolDlg m_toolDlg;
    CCompanionLibraries m_libraries;
    std::unique_ptr<CPage> m_pPage;
};
