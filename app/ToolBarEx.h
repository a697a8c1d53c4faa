// The whiteboard's toolbar: a toolbar laid out in columns whose floating window has no close
// box, and which tells the page list where the presenter pressed it.
#pragma once

#include "framework/ToolBar.h"

#include <functional>

class CToolBarEx : public CToolBar {
public:
    // Lays the buttons out n to a row: every n-th button (counting hidden ones) ends a row.
    void SetColumns(int n);
    int GetColumns() const { return m_nColumns; }
    int GetButtonCount() const;
    // 1 once the floating window has lost its close box.
    int IsFrameStripped() const { return m_bFrameStripped; }

    // Called with the screen position of each left-button press on the bar, before the bar
    // handles it (the page list fades by it). Unset: nothing is told.
    void SetLButtonDownListener(std::function<void(int x, int y)> listener)
    {
        m_onLButtonDown = std::move(listener);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnWindowPosChanged();

    int m_nColumns = 0;
    int m_bFrameStripped = 0;
    std::function<void(int x, int y)> m_onLButtonDown;
};
