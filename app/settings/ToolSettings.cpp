#include "app/settings/ToolSettings.h"

#include "framework/Handles.h"

#include <cstring>
#include <new>

namespace {

// The program path is read with room for this many characters.
constexpr DWORD kProgramPathChars = 320;

const char* const kDefaultLibraries[] = {
    "COLOR.dll", "Overink.dll", "Beamora.dll", "Umbrata.dll", "Ptrgrip.dll",
};
constexpr int kDefaultLibraryCount = static_cast<int>(sizeof(kDefaultLibraries) / sizeof(kDefaultLibraries[0]));

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHighlighterBlue = RGB(0, 128, 255);

bool IsDeskWorking(const ToolSettings& rec) noexcept
{
    return rec.surface == SURFACE_DESKTOP && (rec.workMode == WORK_MOUSE || rec.workMode == WORK_DRAW);
}

int CurrentTool(const ToolSettings& rec) noexcept
{
    if (rec.surface == SURFACE_BOARD)
        return rec.boardTool;
    if (IsDeskWorking(rec))
        return rec.deskTool;
    return 0;
}

// Picks the eraser, highlighter or pen member of a triple; null for any other tool.
template <class T>
T* PickByTool(int nTool, T& eraser, T& highlighter, T& pen) noexcept
{
    switch (nTool) {
    case STYLE_ERASER:
        return &eraser;
    case STYLE_HIGHLIGHTER:
        return &highlighter;
    case STYLE_PEN:
        return &pen;
    default:
        return nullptr;
    }
}

COLORREF KeyColour(const ToolSettings& rec) noexcept
{
    return rec.bitsPerPixel == 16 ? rec.deskKeyColour16 : rec.deskKeyColour;
}

bool EqualAt565(COLORREF a, COLORREF b) noexcept
{
    return (GetRValue(a) >> 3) == (GetRValue(b) >> 3) && (GetGValue(a) >> 2) == (GetGValue(b) >> 2) &&
           (GetBValue(a) >> 3) == (GetBValue(b) >> 3);
}

// Desktop ink must never equal the overlay's key colour, or it would be see-through. A 16-bit
// display compares at 5-6-5 precision, so there the blue level drops by one 5-bit step (0 wraps
// to 0xF8).
COLORREF AvoidKeyColour(const ToolSettings& rec, COLORREF cr) noexcept
{
    if (rec.bitsPerPixel == 16) {
        if (!EqualAt565(cr, rec.deskKeyColour16))
            return cr;
        const BYTE blue = static_cast<BYTE>(((GetBValue(cr) >> 3) - 1) * 8);
        return RGB(GetRValue(cr) & 0xF8, GetGValue(cr) & 0xFC, blue);
    }
    if (cr != rec.deskKeyColour)
        return cr;
    const BYTE blue = GetBValue(cr);
    return RGB(GetRValue(cr), GetGValue(cr), blue <= 128 ? blue + 1 : blue - 1);
}

int ReadDisplayBitsPerPixel() noexcept
{
    CMemoryDC dc(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    return dc ? ::GetDeviceCaps(dc.Get(), BITSPIXEL) : 0;
}

// The running program's folder with its trailing backslash; "" when the path has no backslash.
bool SetProgramFolder(TextHandle& folder) noexcept
{
    char szPath[kProgramPathChars + 1] = {};
    const DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, kProgramPathChars + 1);
    szPath[nLength < kProgramPathChars ? nLength : kProgramPathChars] = '\0';
    char* pszLastSlash = std::strrchr(szPath, '\\');
    if (pszLastSlash)
        pszLastSlash[1] = '\0';
    else
        szPath[0] = '\0';
    return folder.Set(szPath);
}

void FillScreen(ToolSettings& rec) noexcept
{
    rec.bitsPerPixel = ReadDisplayBitsPerPixel();
    rec.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    rec.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
}

void FillModesAndTools(ToolSettings& rec) noexcept
{
    rec.trayMenuEnabled = 1;
    rec.surface = SURFACE_DESKTOP;
    rec.workMode = WORK_MOUSE;
    rec.deskTool = STYLE_PEN;
    rec.boardTool = STYLE_PEN;
    rec.deskPenShape = SHAPE_STROKE;
    rec.deskHighlighterShape = SHAPE_STROKE;
    rec.deskEraserShape = SHAPE_STROKE;
    rec.boardPenShape = SHAPE_STROKE;
    rec.boardHighlighterShape = SHAPE_STROKE;
    rec.boardEraserShape = SHAPE_STROKE;
    rec.boardToolbarVisible = 0;
    rec.moreToolbarVisible = 0;
    rec.reserved1 = 0;
    rec.reserved2 = 0;
    rec.penSheetKind = 1;
    rec.boardChanged = 0;
}

// Window positions hang off the bottom right of the primary screen measured in FillScreen.
void FillPositions(ToolSettings& rec) noexcept
{
    rec.boardToolbarX = rec.screenWidth - 160;
    rec.boardToolbarY = rec.screenHeight - 400;
    rec.moreToolbarX = rec.screenWidth - 80;
    rec.moreToolbarY = rec.screenHeight - 400;
    rec.deskPaletteX = rec.screenWidth - 160;
    rec.deskPaletteY = rec.screenHeight - 400;
    for (SettingsPoint& point : rec.auxPoints)
        point = {rec.screenWidth / 2, rec.screenHeight / 2};
    rec.statusRightMargin = 40;
    rec.statusTopMargin = 40;
    rec.statusWidth = 70;
    rec.statusHeight = 20;
    rec.ownProcessId = 0;
}

void FillPageKeysAndSpares(ToolSettings& rec) noexcept
{
    rec.pageKeyPauseBefore = 200;
    rec.pageKeyPauseAfter = 200;
    rec.pageKeyTarget = nullptr;
    rec.spareValues[0] = 5;
    rec.spareValues[1] = 100;
    rec.spareValues[2] = 255;
}

void FillInk(ToolSettings& rec) noexcept
{
    rec.deskPenColour = kBlack;
    rec.deskHighlighterColour = kHighlighterBlue;
    rec.deskKeyColour16 = kWhite;
    rec.deskKeyColour = kWhite;
    rec.deskPenWidth = 1;
    rec.deskHighlighterWidth = 5;
    rec.deskEraserWidth = 20;
    rec.boardPenColour = kBlack;
    rec.boardHighlighterColour = kHighlighterBlue;
    rec.boardEraserColour = kWhite;
    rec.boardPenWidth = 1;
    rec.boardHighlighterWidth = 5;
    rec.boardEraserWidth = 20;
}

void FillTail(ToolSettings& rec) noexcept
{
    rec.tailValuesFirst = 20;
    rec.highlighterAlpha = 220;
    const int tailRest[] = {3, 1, 240, 30, 1};
    static_assert(sizeof(tailRest) == sizeof(rec.tailValuesRest));
    std::memcpy(rec.tailValuesRest, tailRest, sizeof(tailRest));
    rec.keyboardOwnerLevel = 0;
    rec.keyboardProcess = nullptr;
}

bool FillTexts(ToolSettings& rec) noexcept
{
    rec.libraryCount = kDefaultLibraryCount;
    for (int i = 0; i < kDefaultLibraryCount; ++i) {
        if (!rec.libraryNames[i].Set(kDefaultLibraries[i]))
            return false;
    }
    return SetProgramFolder(rec.programFolder);
}

void FreeRecord(ToolSettings* pRecord) noexcept
{
    for (TextHandle& name : pRecord->libraryNames)
        name.Free();
    pRecord->programFolder.Free();
    delete pRecord;
}

} // namespace

bool TextHandle::Set(const char* pszText) noexcept
{
    if (pszText == nullptr || pszText[0] == '\0') {
        Free();
        return true;
    }
    const size_t nBytes = std::strlen(pszText) + 1;
    char* pszCopy = new (std::nothrow) char[nBytes];
    if (pszCopy == nullptr)
        return false;
    std::memcpy(pszCopy, pszText, nBytes);
    Free();
    m_pszText = pszCopy;
    return true;
}

void TextHandle::Free() noexcept
{
    delete[] m_pszText;
    m_pszText = nullptr;
}

int ToolSettingsRef::GetSurface() const noexcept
{
    return m_pRecord ? m_pRecord->surface : 0;
}

void ToolSettingsRef::SetSurface(int nSurface) noexcept
{
    if (m_pRecord)
        m_pRecord->surface = nSurface;
}

int ToolSettingsRef::GetWorkMode() const noexcept
{
    return m_pRecord ? m_pRecord->workMode : 0;
}

void ToolSettingsRef::SetWorkMode(int nWorkMode) noexcept
{
    if (m_pRecord)
        m_pRecord->workMode = nWorkMode;
}

int ToolSettingsRef::GetCurrentTool() const noexcept
{
    return m_pRecord ? CurrentTool(*m_pRecord) : 0;
}

// Unlike the getter, the desktop tool is written in any working mode.
void ToolSettingsRef::SetCurrentTool(int nTool) noexcept
{
    if (m_pRecord == nullptr)
        return;
    if (m_pRecord->surface == SURFACE_BOARD)
        m_pRecord->boardTool = nTool;
    else if (m_pRecord->surface == SURFACE_DESKTOP)
        m_pRecord->deskTool = nTool;
}

// Shapes matter on the desktop only while the overlay takes the pen.
int* ToolSettingsRef::SelectShapeField() const noexcept
{
    if (m_pRecord == nullptr)
        return nullptr;
    ToolSettings& rec = *m_pRecord;
    const int nTool = CurrentTool(rec);
    if (rec.surface == SURFACE_BOARD)
        return PickByTool(nTool, rec.boardEraserShape, rec.boardHighlighterShape, rec.boardPenShape);
    if (rec.surface == SURFACE_DESKTOP && rec.workMode == WORK_DRAW)
        return PickByTool(nTool, rec.deskEraserShape, rec.deskHighlighterShape, rec.deskPenShape);
    return nullptr;
}

int ToolSettingsRef::GetCurrentShape() const noexcept
{
    const int* pShape = SelectShapeField();
    return pShape ? *pShape : 0;
}

void ToolSettingsRef::SetCurrentShape(int nShape) noexcept
{
    if (int* pShape = SelectShapeField())
        *pShape = nShape;
}

int* ToolSettingsRef::SelectWidthField() const noexcept
{
    if (m_pRecord == nullptr)
        return nullptr;
    ToolSettings& rec = *m_pRecord;
    const int nTool = CurrentTool(rec);
    if (rec.surface == SURFACE_BOARD)
        return PickByTool(nTool, rec.boardEraserWidth, rec.boardHighlighterWidth, rec.boardPenWidth);
    if (IsDeskWorking(rec))
        return PickByTool(nTool, rec.deskEraserWidth, rec.deskHighlighterWidth, rec.deskPenWidth);
    return nullptr;
}

int ToolSettingsRef::GetToolWidth() const noexcept
{
    const int* pWidth = SelectWidthField();
    return pWidth ? *pWidth : 1;
}

COLORREF ToolSettingsRef::GetToolColour() const noexcept
{
    if (m_pRecord == nullptr)
        return 0;
    ToolSettings& rec = *m_pRecord;
    const int nTool = CurrentTool(rec);
    if (rec.surface == SURFACE_BOARD) {
        const COLORREF* pColour =
            PickByTool(nTool, rec.boardEraserColour, rec.boardHighlighterColour, rec.boardPenColour);
        return pColour ? *pColour : 0;
    }
    if (!IsDeskWorking(rec))
        return 0;
    // The desktop eraser paints the key colour, which makes overlay pixels transparent again.
    switch (nTool) {
    case STYLE_ERASER:
        return KeyColour(rec);
    case STYLE_HIGHLIGHTER:
        return AvoidKeyColour(rec, rec.deskHighlighterColour);
    case STYLE_PEN:
        return AvoidKeyColour(rec, rec.deskPenColour);
    default:
        return 0;
    }
}

COLORREF ToolSettingsRef::GetKeyColour() const noexcept
{
    return m_pRecord ? KeyColour(*m_pRecord) : 0;
}

void ToolSettingsRef::SetBoardChanged(int nChanged) noexcept
{
    if (m_pRecord)
        m_pRecord->boardChanged = nChanged;
}

int ToolSettingsRef::IsBoardChanged() const noexcept
{
    return m_pRecord ? m_pRecord->boardChanged : 0;
}

bool ToolSettingsRef::FillToolDefaults() noexcept
{
    // A record still counted by others after our release stays theirs.
    Release();
    m_pRecord = nullptr;
    // Value-initialised: every text handle starts empty and osName zeroed.
    ToolSettings* pRecord = new (std::nothrow) ToolSettings();
    if (pRecord == nullptr)
        return false;
    ToolSettings& rec = *pRecord;
    rec.refCount = 1;
    FillScreen(rec);
    FillModesAndTools(rec);
    FillPositions(rec);
    FillPageKeysAndSpares(rec);
    FillInk(rec);
    FillTail(rec);
    if (!FillTexts(rec)) {
        FreeRecord(pRecord);
        return false;
    }
    m_pRecord = pRecord;
    return true;
}

void ToolSettingsRef::Release() noexcept
{
    if (m_pRecord && m_pRecord->refCount > 1) {
        --m_pRecord->refCount;
        return;
    }
    if (m_pRecord)
        FreeRecord(m_pRecord);
    m_pRecord = nullptr;
}
