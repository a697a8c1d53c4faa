// The pen settings sheet: colour and width of the tool that the settings record names, for the
// surface it names. The fast set offers one-click presets; the accurate set any colour (the
// common colour dialog) and any width. Every choice is written into the record at once, so the
// next stroke uses it.
#pragma once

#include "framework/Dialog.h"

#include <vector>

struct ToolSettingsRef;

// The record fields the sheet edits for the current surface and tool.
struct PenFields {
    COLORREF* colour = nullptr;   // null for the eraser: it paints the key colour
    int* width = nullptr;
    const char* toolName = "";
};

PenFields SelectPenFields(ToolSettingsRef& settings);

class CPenSheet : public CDialog {
public:
    static constexpr int MIN_WIDTH = 1;
    static constexpr int MAX_WIDTH = 100;

    CPenSheet();

    // Shows the sheet over the owner for the record behind the holder.
    void Open(HWND owner, ToolSettingsRef* settings);
    // Brings the controls up to date with the record's current surface, tool and pen set.
    void Refresh();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;

private:
    // A control below the colour row, with its place in the template.
    struct LowerControl {
        HWND hwnd;
        POINT origin;
    };

    PenFields Fields() const;
    bool IsFastSet() const;
    void SetColour(COLORREF colour);
    void SetWidth(int width);
    void ChooseAnyColour();
    void SetWidthFromEdit();
    void LayOut(bool withColour);
    void DrawColourChip(const DRAWITEMSTRUCT& item, COLORREF colour, bool current) const;
    void DrawWidthButton(const DRAWITEMSTRUCT& item, bool current) const;
    void DrawPreview(const DRAWITEMSTRUCT& item) const;
    void ShowControl(int id, bool show) const;

    ToolSettingsRef* m_pSettings = nullptr;
    COLORREF m_customColours[16] = {};
    std::vector<LowerControl> m_lowerControls;
    int m_nColourRowHeight = 0;
    SIZE m_fullSize{};
};
