// One whiteboard page: its shapes in drawing order over one background, the page rendered at
// board size (kept only while the page is shown), a 100 x 100 thumbnail for the page list, and
// unlimited undo and redo. Undo hides a shape; drawing a new one deletes the hidden ones.
#pragma once

#include "board/Shape.h"
#include "view/background/PageBackground.h"
#include "view/picture/FgDib.h"

#include <windows.h>

#include <cstdint>

constexpr int THUMBNAIL_SIZE = 100;

class CPage {
public:
    CPage();
    virtual ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    // One gesture; dc is the screen the shape shows on while it grows.
    void BeginShape(int type, int x, int y, int width, COLORREF colour, int style, HDC dc);
    void DragShape(int x, int y, HDC dc);
    void EndShape(int x, int y, HDC dc);

    // 1 when the page image changed.
    int UndoShape(HDC dc);
    int RedoShape(HDC dc);

    // Appends visible copies of the other page's shapes and shares its background.
    void CopyFrom(CPage* other);
    void ClearShapes();
    void ClearAll();
    int CountVisibleShapes() const;
    // Returns the previous kind; a picture's reference is taken over.
    int SetBackground(int kind, COLORREF colour, CFG_DIB* picture);

    void RenderImage(HDC dc);
    void CreateImage(HDC dc);
    void RepaintRect(HDC dc, RECT rc);
    void BlitToScreen(HDC dc, int left, int top, int right, int bottom, bool rebuild);
    void UpdateThumbnail(HDC dc);
    // Drops what only the shown page needs: the page image and the background's cache.
    void ReleaseImages();

    CDibRef m_pThumbnail;
    CDibRef m_pImage;
    CShape* m_pFirstShape = nullptr;
    CShape* m_pLastShape = nullptr;
    CShape* m_pCurrentShape = nullptr;
    int64_t m_tCreated;
    RECT m_rcImage{};
    int m_nUndone = 0;
    CPageBackground m_background;

private:
    void DiscardUndone();
    void DeleteShapesAfter(CShape* keep);
    CShape* ShapeBefore(const CShape* shape) const;
    // Draws the background and every shape into the page image, clipped to rc when given.
    void DrawPage(HDC dc, const RECT* clip);
    // Draws one shape into the page image (built first when missing), then the thumbnail.
    void DrawIntoImage(CShape* shape, HDC dc);
};
