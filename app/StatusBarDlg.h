// The page-number panel: the page label ("03/12") floating over the top right of the board.
// Its background is a key colour, so only the label shows, and clicks go through it to the
// board.
#pragma once

#include "app/settings/ToolSettings.h"
#include "framework/Dialog.h"
#include "view/picture/FgDib.h"

inline constexpr COLORREF kStatusPanelKeyColour = RGB(40, 40, 40);

class CStatusBarDlg : public CDialog {
public:
    CStatusBarDlg();

    // Creates the panel (hidden) for parent. Its place comes from the board rectangle (screen
    // coordinates) and the record's status fields, read once here.
    bool Create(CWnd* parent, const RECT& board, const ToolSettingsRef& settings);

    // Stores page n of count; 0 and leaves the numbers as they were when n is 0 or above count.
    // Does not repaint.
    int SetPages(int n, int count);
    int GetPage() const { return m_nPage; }
    int GetPageCount() const { return m_nPageCount; }

    // The label's place on the board, for pictures and printing: 110 to 40 pixels left of the
    // board's right edge, 40 to 60 pixels below its top.
    void SetLabelRect(const RECT& board);
    RECT GetLabelRect() const { return m_rectLabel; }
    // The panel's own rectangle on the screen.
    RECT GetPanelRect() const { return m_rectPanel; }

    // Redraws the label into the back buffer and the back buffer onto the panel.
    void Refresh();
    // Draws the label into another device context at the label rectangle.
    void DrawLabelOn(HDC dc);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;

private:
    int OnCreate();
    void CopyBackBuffer(HDC dc);

    int m_nPage = 0;
    int m_nPageCount = 0;
    RECT m_rectLabel{};
    CDibRef m_backBuffer;
    RECT m_rectPanel{};

    // Geometry inputs, held from Create until the window places itself.
    RECT m_rectBoard{};
    int m_nRightMargin = 40;
    int m_nTopMargin = 40;
    int m_nWidth = 70;
    int m_nHeight = 20;
};
