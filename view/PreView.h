// The page list: a narrow, top-most, non-activating strip at the left edge of the screen with a
// thumbnail and number for every page of the board. One click shows a page; a scroll bar or the
// wheel scrolls; the header's buttons make it translucent or fold it to a tab at the bottom of
// the screen; it fades while the pen draws across it.
//
// The frame owns it: it creates it hidden (Create(frame), then ShowList(0)), toggles it with
// ShowList, calls Refresh after every page change and ScrollToCurrentPage after a new page,
// and hands it the board view's mouse moves through OnBoardMouseMove.
#pragma once

#include "framework/Dialog.h"

#include <windows.h>

#include <vector>

class CBoardDoc;
class CPage;

// The list's layout and scroll rules, free of any window so they can be checked on their own.
namespace page_list {

constexpr int LIST_WIDTH = 142;
constexpr int HEADER_HEIGHT = 34;
constexpr int FOLDED_TAB = 30;            // what stays on screen of a folded list
constexpr int CELL_LEFT = 11;
constexpr int CELL_WIDTH = 100;
constexpr int CELL_HEIGHT = 130;          // thumbnail 100, number row 30
constexpr int CELLS_TOP = 41;
constexpr int CELLS_BOTTOM_MARGIN = 11;
constexpr int SCROLL_STEP = 10;           // pixels of list per scroll position
constexpr int SCROLLBAR_LEFT = 116;
constexpr int SCROLLBAR_WIDTH = 20;
constexpr BYTE ALPHA_OPAQUE = 255;
constexpr BYTE ALPHA_TRANSLUCENT = 200;
constexpr COLORREF LAYER_KEY = 0x010101;  // set with LWA_ALPHA only, so never used as a key
constexpr COLORREF FACE_COLOUR = 0xE6E6E6;

constexpr RECT TRANSPARENCY_BUTTON{85, 6, 109, 30};
constexpr RECT FOLD_BUTTON{113, 6, 137, 30};

// Largest scroll position for n pages; negative when they all fit on the screen.
int ScrollMaxFor(int pageCount, int screenHeight);

// The scroll position that brings the 0-based page into view: pos itself when it is visible.
int ScrollPosShowing(int pageIndex, int pos, int screenHeight);

// The position a WM_VSCROLL code asks for (not yet clamped to the largest position).
int ScrollPosAfter(int code, int thumbPos, int pos);

// The position one wheel turn of delta gives, clamped to 0 .. scrollMax.
int ScrollPosAfterWheel(int delta, int pos, int scrollMax);

// One visible page cell, client coordinates: the page's 0-based index, the rows it covers on
// the list and the first row of the 100 x 130 cell picture shown there.
struct SPageCell {
    int nIndex;
    int nTop;
    int nBottom;
    int nSourceTop;
};

// The cells that show on a list of the given client height, top to bottom.
std::vector<SPageCell> VisibleCells(int pageCount, int scrollPos, int clientHeight);

// 1-based number of the page whose cell contains (x, y), or -1.
int PageAt(int x, int y, int scrollPos, int pageCount, int clientHeight);

} // namespace page_list

class CPreView : public CDialog {
public:
    CPreView();
    ~CPreView() override;

    void ShowList(int on);
    void Refresh(bool erase);
    void SetPageCount(int n);
    void ScrollToCurrentPage();
    // (x, y) in board coordinates, which are screen coordinates; drawing is 1 mid-stroke.
    void OnBoardMouseMove(int x, int y, int drawing);
    int PageAt(int x, int y, int scrollPos) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_bShown = 1;
    CWnd m_scrollBar;
    int m_nScrollPos = 0;
    int m_nAlpha = page_list::ALPHA_OPAQUE;
    int m_bOpaqueNow = 1;
    int m_bPressed = 0;
    int m_nScrollMax = 0;
    int m_bScrollBarShown = 0;
    RECT m_rectWindow{};
    int m_bUnfolded = 1;

protected:
    BOOL OnInitDialog() override;

private:
    // The scroll bar control holds the position the presenter sees; these copy it both ways.
    void ReadScrollPos();
    void WriteScrollPos();
    void StoreWindowRect();
    // Composes the whole list off-screen and copies it to the target once.
    void Paint(HDC target);
    void OnVScroll(int code, int thumbPos);
    void OnMouseWheel(int delta);
    // True when the click was taken by a header button or a page.
    bool OnLButtonDown(int x, int y);
    void Fold(bool fold);
    void DrawCells(HDC target, int clientHeight);
    void DrawCell(CBoardDoc* doc, CPage* page, HDC cellDc, HFONT font);
};
