// The board view: the whiteboard surface covering the screen. It turns the left button into
// shapes on the current page, paints the page image, carries the page-level commands and
// renders pages into BMP or JPEG pictures.
#pragma once

#include "board/BoardDoc.h"
#include "framework/GdiplusSession.h"
#include "framework/View.h"
#include "view/picture/FgDib.h"

#include <string>

class CBoardView;
class CPreView;

// The one board view, set by its constructor.
extern CBoardView* g_pBoardView;
// Set only while a page is rendered for printing.
extern int g_bPrinting;
extern int g_bPrintPreview;

// What the view tells the windows around it (page list, status panel, frame); the frame
// registers itself. Each call is optional: without a listener nothing happens.
class CBoardViewListener {
public:
    // The pointer moved over the board at (x, y), board coordinates; drawing is 1 mid-stroke.
    virtual void OnBoardMouseMove(int x, int y, int drawing) = 0;
    // The page list should redraw (pages, thumbnails or the current page changed).
    virtual void RefreshPageList(bool erase) = 0;
    // The page label panel should redraw itself; called on every paint.
    virtual void RefreshStatusPanel() = 0;
    // The current page number or the page count changed through the view.
    virtual void UpdateStatusPanel() = 0;
    // The colour library's sheet should close (before print preview).
    virtual void CloseColourSheet() = 0;

protected:
    ~CBoardViewListener() = default;
};

// "n/N" with n zero-padded to the width of N: page 3 of 12 is "03/12".
std::string FormatPageLabel(int n, int count);
// The page label in Arial 16 px, black, centred in the rectangle, with GDI+.
void DrawPageLabelIn(HDC dc, const RECT& layout, int n, int count);
// Free bytes of the drive of a path ("C:\..." -> "C:\"); 0 for an empty path, 400000000 when
// the drive cannot be asked.
double GetDiskFreeBytes(const std::string& path);
// True when a BMP picture of imageSize pixel bytes (54 header bytes and a margin more) would not
// fit in freeBytes.
bool IsDiskTooFullFor(double freeBytes, unsigned long imageSize);

class CBoardView : public CView, private CBoardDocWatcher {
public:
    CBoardView();
    ~CBoardView() override;

    CBoardDoc* GetDocument() const;
    void SetListener(CBoardViewListener* listener) { m_pListener = listener; }

    // Page list and frame.
    void SelectPage(int n);
    int GetPageCount() const;
    int GetCurrentPageIndex() const;
    void TakeDesktopSnapshot();
    void AddPage();
    void Undo();
    void Redo();
    int CanUndo() const;
    int CanRedo() const;
    void CopyFromLastPage();
    void ClearPage();
    void DeletePage();

    // Backgrounds.
    void SelectBackgroundPicture();
    void CycleBackground();
    int ShowBackgroundNumber(int n);

    // Page pictures: 1 on success.
    int SavePageAsBmp(CPage* page, const std::string& path);
    int SavePageAsJpeg(CPage* page, const std::string& path);
    int WriteBitmapAsBmp(const std::string& path, HBITMAP bitmap, HDC dc);
    int WriteBitmapAsJpeg(const std::string& path, HBITMAP bitmap, HDC dc);
    void DrawPageLabel(HDC dc, int n, int count);
    RECT PageLabelRect() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_bDrawing = 0;
    int m_nPrintSavedPage = 0;
    HCURSOR m_hEraserCursor = nullptr;
    HCURSOR m_hPenCursor = nullptr;
    HCURSOR m_hHighlighterCursor = nullptr;
    RECT m_rectBoard{};
    int m_nBackgroundCycle = 0;
    CDibRef m_pDesktopSnapshot;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(HDC dc) override;
    bool HandleCommand(UINT id, CCmdUI* ui) override;

private:
    void OnDisplayedPageChanged() override;
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp(int x, int y);
    bool OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnMeasureItem(MEASUREITEMSTRUCT* item);
    void OnDrawItem(DRAWITEMSTRUCT* item);
    void ShowPictureBackground(CFG_DIB* picture);
    // Undo or redo on the current page, then the screen and the page list when it changed.
    void StepHistory(int (CPage::*step)(HDC));
    // The page image over the whole board.
    void BlitBoard(CPage* page, HDC dc, bool rebuild);
    void RefreshPageList(bool erase);
    // Renders the page with its label into a board-sized bitmap; the caller writes it.
    int RenderPagePicture(CPage* page, const std::string& path, bool jpeg);

    CGdiplusSession m_gdiplus;
    CBoardViewListener* m_pListener = nullptr;
};
