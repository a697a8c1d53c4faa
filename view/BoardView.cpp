#include "view/BoardView.h"

#include "app/resource.h"
#include "board/BoardContext.h"
#include "framework/Handles.h"
#include "framework/Module.h"
#include "view/MyFileDialog.h"
#include "view/background/BuiltInBackgrounds.h"

#include <imm.h>
#include <windowsx.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gdiplus.h>

CBoardView* g_pBoardView = nullptr;
int g_bPrinting = 0;
int g_bPrintPreview = 0;

namespace {

// The one cursor shown while a picture is read or a background rendered.
class CWaitCursor {
public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

void DiskFull(HWND owner, const std::string& path)
{
    FwMessageBox("Disk full while accessing\n" + path, MB_OK, owner);
}

// The current directory, put back at the end of the scope.
class CKeepCurrentDirectory {
public:
    CKeepCurrentDirectory() { ::GetCurrentDirectoryA(MAX_PATH, m_szPath); }
    ~CKeepCurrentDirectory() { ::SetCurrentDirectoryA(m_szPath); }
    CKeepCurrentDirectory(const CKeepCurrentDirectory&) = delete;
    CKeepCurrentDirectory& operator=(const CKeepCurrentDirectory&) = delete;

private:
    char m_szPath[MAX_PATH] = {};
};

constexpr double UNKNOWN_FREE_BYTES = 400000000.0;
constexpr int LINE_WIDTH_FIRST = 1031;
constexpr int LINE_WIDTH_LAST = 1036;

} // namespace

// ---- The page label ----

std::string FormatPageLabel(int n, int count)
{
    std::string total = std::to_string(count);
    std::string page = std::to_string(n);
    if (page.size() < total.size())
        page.insert(0, total.size() - page.size(), '0');
    return page + "/" + total;
}

void DrawPageLabelIn(HDC dc, const RECT& layout, int n, int count)
{
    std::string label = FormatPageLabel(n, count);
    std::wstring text(label.begin(), label.end());
    Gdiplus::Graphics graphics(dc);
    Gdiplus::FontFamily arial(L"Arial");
    // A system without Arial still gets a readable label.
    const Gdiplus::FontFamily* family =
        arial.GetLastStatus() == Gdiplus::Ok ? &arial : Gdiplus::FontFamily::GenericSansSerif();
    Gdiplus::Font font(family, 16.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    Gdiplus::RectF box(static_cast<Gdiplus::REAL>(layout.left), static_cast<Gdiplus::REAL>(layout.top),
                       static_cast<Gdiplus::REAL>(layout.right - layout.left),
                       static_cast<Gdiplus::REAL>(layout.bottom - layout.top));
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, box, &format, &black);
}

double GetDiskFreeBytes(const std::string& path)
{
    if (path.empty())
        return 0.0;
    std::string root = path.size() == 1 ? path : path.substr(0, 1);
    root += ":\\";
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free))
        return UNKNOWN_FREE_BYTES;
    return static_cast<double>(free.QuadPart);
}

bool IsDiskTooFullFor(double freeBytes, unsigned long imageSize)
{
    return freeBytes <= static_cast<double>(imageSize) + 154.0;
}

// ---- Construction and window messages ----

CBoardView::CBoardView()
{
    m_rectBoard = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    SetBoardRect(m_rectBoard);
    g_pBoardView = this;
}

CBoardView::~CBoardView()
{
    m_pDesktopSnapshot.Reset();
    if (CBoardDoc* doc = GetDocument())
        doc->SetWatcher(nullptr);
    if (g_pBoardView == this)
        g_pBoardView = nullptr;
}

CBoardDoc* CBoardView::GetDocument() const
{
    return static_cast<CBoardDoc*>(CView::GetDocument());
}

void CBoardView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszClass = RegisterClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr,
                                 static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)), nullptr);
}

void CBoardView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
}

LRESULT CBoardView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HINSTANCE module = FwResourceModule();
        m_hEraserCursor = ::LoadCursorA(module, MAKEINTRESOURCEA(IDC_ERASER_CURSOR));
        m_hPenCursor = ::LoadCursorA(module, MAKEINTRESOURCEA(IDC_PEN_CURSOR));
        m_hHighlighterCursor = ::LoadCursorA(module, MAKEINTRESOURCEA(IDC_HIGHLIGHTER_CURSOR));
        LRESULT result = CView::WindowProc(message, wParam, lParam);
        if (result == -1)
            return -1;
        ::ImmAssociateContext(m_hWnd, nullptr);
        if (CBoardDoc* doc = GetDocument())
            doc->SetWatcher(this);
        return result;
    }
    case WM_LBUTTONDOWN:
        OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(wParam, lParam))
            return TRUE;
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_DESTROY:
        m_pDesktopSnapshot.Reset();
        break;
    case WM_MEASUREITEM:
        OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_RBUTTONUP:
        return 0;   // no context menu on the board
    default:
        break;
    }
    return CView::WindowProc(message, wParam, lParam);
}

bool CBoardView::HandleCommand(UINT, CCmdUI*)
{
    return false;
}

void CBoardView::OnDisplayedPageChanged()
{
    m_nBackgroundCycle = 0;
    RefreshPageList(false);
}

void CBoardView::RefreshPageList(bool erase)
{
    if (m_pListener)
        m_pListener->RefreshPageList(erase);
}

// ---- Pen input ----

void CBoardView::OnLButtonDown(int x, int y)
{
    ToolSettingsRef& settings = BoardSettings();
    settings.SetBoardChanged(1);
    ::SetCapture(m_hWnd);
    m_bDrawing = 1;
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    if (!page)
        return;
    CWindowDC dc(m_hWnd);
    page->BeginShape(settings.GetCurrentShape(), x, y, settings.GetToolWidth(),
                     settings.GetToolColour(), settings.GetCurrentTool(), dc.Get());
}

void CBoardView::OnMouseMove(int x, int y)
{
    if (m_bDrawing) {
        CBoardDoc* doc = GetDocument();
        if (CPage* page = doc ? doc->GetCurrentPage() : nullptr) {
            CWindowDC dc(m_hWnd);
            page->DragShape(x, y, dc.Get());
        }
    }
    if (m_pListener)
        m_pListener->OnBoardMouseMove(x, y, m_bDrawing);
}

void CBoardView::OnLButtonUp(int x, int y)
{
    ::ReleaseCapture();
    if (!m_bDrawing)
        return;
    m_bDrawing = 0;
    CBoardDoc* doc = GetDocument();
    if (CPage* page = doc ? doc->GetCurrentPage() : nullptr) {
        CWindowDC dc(m_hWnd);
        page->EndShape(x, y, dc.Get());
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    RefreshPageList(true);
}

bool CBoardView::OnSetCursor(WPARAM, LPARAM lParam)
{
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    switch (BoardSettings().GetCurrentTool()) {
    case STYLE_ERASER:
        ::SetCursor(m_hEraserCursor);
        break;
    case STYLE_PEN:
        ::SetCursor(m_hPenCursor);
        break;
    case STYLE_HIGHLIGHTER:
        ::SetCursor(m_hHighlighterCursor);
        break;
    default:
        break;
    }
    return true;
}

// ---- Painting ----

void CBoardView::OnDraw(HDC dc)
{
    // Mid-stroke the screen holds the live ink, which the page image does not have yet.
    if (m_bDrawing)
        return;
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    if (!page)
        return;
    BlitBoard(page, dc, false);
    if (g_bPrinting) {
        DrawPageLabel(dc, doc->IndexOfCurrentPage() + 1, doc->CountPages());
    } else {
        if (m_pListener)
            m_pListener->RefreshStatusPanel();
        RefreshPageList(true);
    }
}

void CBoardView::TakeDesktopSnapshot()
{
    m_pDesktopSnapshot.Reset();
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    CWindowDC client(m_hWnd);
    CDibRef snapshot = CreatePictureSection(client.Get(), width, height);
    if (!snapshot)
        return;
    CWindowDC desktop(::GetDesktopWindow());
    CMemoryDC memory(::CreateCompatibleDC(desktop.Get()));
    {
        CSelectObject selected(memory.Get(), snapshot->GetBitmap());
        ::BitBlt(memory.Get(), 0, 0, width, height, desktop.Get(), 0, 0, SRCCOPY);
    }
    m_pDesktopSnapshot = std::move(snapshot);
}

// ---- Page commands ----

int CBoardView::GetPageCount() const
{
    CBoardDoc* doc = GetDocument();
    return doc ? doc->CountPages() : 1;
}

int CBoardView::GetCurrentPageIndex() const
{
    CBoardDoc* doc = GetDocument();
    return doc ? doc->IndexOfCurrentPage() : 1;
}

void CBoardView::SelectPage(int n)
{
    CBoardDoc* doc = GetDocument();
    if (doc) {
        if (n - 1 == doc->IndexOfCurrentPage())
            return;
        doc->GoToPageNumber(n);
    }
    if (m_pListener)
        m_pListener->UpdateStatusPanel();
}

void CBoardView::AddPage()
{
    if (CBoardDoc* doc = GetDocument())
        doc->AddBoardPage();
}

void CBoardView::Undo()
{
    StepHistory(&CPage::UndoShape);
}

void CBoardView::Redo()
{
    StepHistory(&CPage::RedoShape);
}

void CBoardView::StepHistory(int (CPage::*step)(HDC))
{
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    if (!page)
        return;
    CWindowDC dc(m_hWnd);
    if (!(page->*step)(dc.Get()))
        return;
    BoardSettings().SetBoardChanged(1);
    BlitBoard(page, dc.Get(), false);
    RefreshPageList(true);
}

void CBoardView::BlitBoard(CPage* page, HDC dc, bool rebuild)
{
    page->BlitToScreen(dc, m_rectBoard.left, m_rectBoard.top, m_rectBoard.right, m_rectBoard.bottom,
                       rebuild);
}

int CBoardView::CanUndo() const
{
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    if (m_bDrawing || !page)
        return 0;
    const CShape* shape = page->m_pCurrentShape;
    return shape && shape->m_bUndoable && !shape->m_bHidden ? 1 : 0;
}

int CBoardView::CanRedo() const
{
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    return !m_bDrawing && page && page->m_nUndone != 0 ? 1 : 0;
}

void CBoardView::CopyFromLastPage()
{
    CBoardDoc* doc = GetDocument();
    if (!doc || doc->CountPages() < 2)
        return;
    doc->CopyFromLastDisplayedPage();
    if (CPage* page = doc->GetCurrentPage()) {
        CWindowDC dc(m_hWnd);
        BlitBoard(page, dc.Get(), true);
    }
    RefreshPageList(true);
}

void CBoardView::ClearPage()
{
    if (FwMessageBox(IDS_CLEAR_PAGE_QUESTION, MB_YESNO, m_hWnd) != IDYES)
        return;
    if (CBoardDoc* doc = GetDocument())
        doc->ClearCurrentPage();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CBoardView::DeletePage()
{
    if (FwMessageBox(IDS_DELETE_PAGE_QUESTION, MB_YESNO, m_hWnd) != IDYES)
        return;
    CBoardDoc* doc = GetDocument();
    if (doc) {
        bool onlyPage = doc->CountPages() == 1;
        doc->DeleteCurrentPage();
        if (onlyPage)
            BoardSettings().SetCurrentShape(SHAPE_STROKE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// ---- Backgrounds ----

void CBoardView::ShowPictureBackground(CFG_DIB* picture)
{
    CBoardDoc* doc = GetDocument();
    CPage* page = doc ? doc->GetCurrentPage() : nullptr;
    if (!page) {
        picture->Release();
        return;
    }
    page->SetBackground(CPageBackground::KIND_PICTURE, BoardColour(), picture);
    CWindowDC dc(m_hWnd);
    BlitBoard(page, dc.Get(), true);
    RefreshPageList(true);
}

void CBoardView::SelectBackgroundPicture()
{
    CMyFileDialog dialog(true, "", "", OFN_READONLY | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                         "Background (*.jpg;*.bmp)|*.JPG;*.bmp||", this);
    if (dialog.DoModal() != IDOK)
        return;
    BoardSettings().SetBoardChanged(1);
    CWaitCursor wait;
    CDibRef picture;
    if (ReadPictureFile(dialog.GetPathName(), &picture) != PictureFileResult::Read)
        return;
    ShowPictureBackground(picture.Detach());
}

void CBoardView::CycleBackground()
{
    m_nBackgroundCycle = ::CycleBackground(m_nBackgroundCycle, [this](int n) { return ShowBackgroundNumber(n); });
}

int CBoardView::ShowBackgroundNumber(int n)
{
    BoardSettings().SetBoardChanged(1);
    if (n == 0) {
        if (!m_pDesktopSnapshot)
            return 0;
        CWaitCursor wait;
        // A copy, so that a later snapshot does not change the pages that show this one.
        CDibRef copy(new (std::nothrow) CFG_DIB);
        if (copy && copy->CopyFrom(m_pDesktopSnapshot.Get()))
            ShowPictureBackground(copy.Detach());
        return 1;
    }
    CDibRef picture;
    std::string path = BuiltInBackgroundPath(ProgramFolder(), n);
    {
        CWaitCursor wait;
        PictureFileResult result = ReadPictureFile(path, &picture);
        if (result == PictureFileResult::NotOpened)
            return 0;
        if (result == PictureFileResult::Read)
            ShowPictureBackground(picture.Detach());
    }
    return 1;
}

// ---- Page pictures ----

RECT CBoardView::PageLabelRect() const
{
    return RECT{m_rectBoard.right - 110, m_rectBoard.top + 40, m_rectBoard.right - 40,
                m_rectBoard.top + 60};
}

void CBoardView::DrawPageLabel(HDC dc, int n, int count)
{
    DrawPageLabelIn(dc, PageLabelRect(), n, count);
}

int CBoardView::SavePageAsBmp(CPage* page, const std::string& path)
{
    return RenderPagePicture(page, path, false);
}

int CBoardView::SavePageAsJpeg(CPage* page, const std::string& path)
{
    return RenderPagePicture(page, path, true);
}

int CBoardView::RenderPagePicture(CPage* page, const std::string& path, bool jpeg)
{
    CBoardDoc* doc = GetDocument();
    if (!page || !doc)
        return 0;
    CWindowDC client(m_hWnd);
    CMemoryDC memory(::CreateCompatibleDC(client.Get()));
    CDibRef picture = CreatePictureSection(client.Get(), m_rectBoard.right - m_rectBoard.left,
                                           m_rectBoard.bottom - m_rectBoard.top);
    if (!picture)
        return 0;
    {
        CSelectObject selected(memory.Get(), picture->GetBitmap());
        BlitBoard(page, memory.Get(), false);
        DrawPageLabel(memory.Get(), doc->GetPageNumber(page), doc->CountPages());
    }
    // A page that is not shown drops the image it was rendered into: saving a large board
    // must not hold a full-size image for every page.
    if (page != doc->GetCurrentPage())
        page->ReleaseImages();
    RefreshPageList(true);
    return jpeg ? WriteBitmapAsJpeg(path, picture->GetBitmap(), memory.Get())
                : WriteBitmapAsBmp(path, picture->GetBitmap(), memory.Get());
}

int CBoardView::WriteBitmapAsBmp(const std::string& path, HBITMAP bitmap, HDC dc)
{
    ::DeleteFileA(path.c_str());
    BITMAP description{};
    if (!::GetObjectA(bitmap, sizeof description, &description))
        return 0;
    DWORD imageSize = static_cast<DWORD>(description.bmHeight) * description.bmWidthBytes;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = description.bmBitsPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;
    std::vector<BYTE> bits(imageSize);
    ::GetDIBits(dc, bitmap, 0, description.bmHeight, bits.data(),
                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    if (IsDiskTooFullFor(GetDiskFreeBytes(path), imageSize)) {
        DiskFull(m_hWnd, path);
        return 0;
    }
    CKernelHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = imageSize + 54;
    fileHeader.bfOffBits = 54;
    DWORD written = 0;
    bool ok = ::WriteFile(file.Get(), &fileHeader, 14, &written, nullptr) && written == 14 &&
              ::WriteFile(file.Get(), &header, 40, &written, nullptr) && written == 40 &&
              ::WriteFile(file.Get(), bits.data(), imageSize, &written, nullptr) && written == imageSize;
    if (!ok) {
        // A partly written picture is worse than none: it would open as a broken file.
        file.Reset();
        ::DeleteFileA(path.c_str());
        return 0;
    }
    return 1;
}

int CBoardView::WriteBitmapAsJpeg(const std::string& path, HBITMAP bitmap, HDC dc)
{
    BITMAP description{};
    if (!::GetObjectA(bitmap, sizeof description, &description))
        return 0;
    int width = description.bmWidth;
    int height = description.bmHeight;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    ::GetDIBits(dc, bitmap, 0, height, nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DWORD size = header.biSizeImage ? header.biSizeImage
                                    : static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    std::vector<BYTE> bits(size, 0);
    if (!::GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                     DIB_RGB_COLORS))
        return 0;
    int stride = (width * 3 + 3) & ~3;
    if (stride != width * 3)
        for (int y = 1; y < height; ++y)
            std::memmove(&bits[static_cast<size_t>(y) * width * 3], &bits[static_cast<size_t>(y) * stride],
                         static_cast<size_t>(width) * 3);
    CKeepCurrentDirectory keep;
    FlipRows(bits.data(), width * 3, height);
    SwapRedBlue(bits.data(), width, height);
    if (WriteJpegFile(path.c_str(), bits.data(), width, height, 1, 80))
        return 1;
    if (::GetLastError() == ERROR_DISK_FULL)
        DiskFull(m_hWnd, path);
    ::DeleteFileA(path.c_str());
    return 0;
}

// ---- Line-width items a colour sheet's menu may carry ----

void CBoardView::OnMeasureItem(MEASUREITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || item->itemID < LINE_WIDTH_FIRST || item->itemID > LINE_WIDTH_LAST)
        return;
    item->itemWidth = 50;
    item->itemHeight = 15;
}

void CBoardView::OnDrawItem(DRAWITEMSTRUCT* item)
{
    if (item->CtlType != ODT_MENU || item->itemID < LINE_WIDTH_FIRST || item->itemID > LINE_WIDTH_LAST)
        return;
    bool marked = (item->itemState & (ODS_SELECTED | ODS_CHECKED)) != 0;
    ::FrameRect(item->hDC, &item->rcItem, ::GetSysColorBrush(marked ? COLOR_HIGHLIGHT : COLOR_MENU));
    int barHeight = 2 * static_cast<int>(item->itemID) - 2061;
    RECT bar = item->rcItem;
    bar.left += 2;
    bar.right -= 2;
    bar.top = (item->rcItem.top + item->rcItem.bottom - barHeight) / 2;
    bar.bottom = bar.top + barHeight;
    ::FillRect(item->hDC, &bar, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
