// The settings record shared by the whiteboard, Overink and the colour library, and the
// one-member holder whose address those modules receive. The record crosses module boundaries
// by pointer, so its field order and widths are a binary interface: do not reorder, insert or
// widen fields. Every module reads it afresh through the holder on each access.
#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

// Numeric codes rather than enumerations: they are stored in the record and read by other modules.
inline constexpr int SURFACE_DESKTOP = 1;
inline constexpr int SURFACE_BOARD = 2;

inline constexpr int WORK_MOUSE = 1;
inline constexpr int WORK_DRAW = 2;

inline constexpr int STYLE_ERASER = 1;
inline constexpr int STYLE_HIGHLIGHTER = 2;
inline constexpr int STYLE_PEN = 3;

inline constexpr int SHAPE_STROKE = 1;
inline constexpr int SHAPE_LINE = 2;
inline constexpr int SHAPE_CIRCLE = 3;
inline constexpr int SHAPE_RECTANGLE = 4;

inline constexpr int TOOL_LIBRARY_SLOTS = 30;
inline constexpr int OS_NAME_BYTES = 52;

// A narrow text in one pointer-sized slot of the record. The heap copy belongs to the record;
// null and "" both mean empty. No constructor or destructor, so the record stays a plain struct
// and its owner decides when texts are freed.
struct TextHandle {
    char* m_pszText;

    const char* Text() const noexcept { return m_pszText ? m_pszText : ""; }
    bool IsEmpty() const noexcept { return m_pszText == nullptr || m_pszText[0] == '\0'; }

    // Replaces the text with a copy of pszText (null or "" empties it). Returns false when out of
    // memory, leaving the old text in place.
    bool Set(const char* pszText) noexcept;
    void Free() noexcept;
};

struct SettingsPoint {
    int x;
    int y;
};

// Field names follow the shared layout rather than the m_ convention: this is a binary interface.
struct ToolSettings {
    int refCount;
    int bitsPerPixel;
    int screenWidth;
    int screenHeight;
    char osName[OS_NAME_BYTES];
    int trayMenuEnabled;
    int surface;
    int workMode;
    int deskTool;
    int boardTool;
    int deskPenShape;
    int deskHighlighterShape;
    int deskEraserShape;
    int boardPenShape;
    int boardHighlighterShape;
    int boardEraserShape;
    int boardToolbarVisible;
    int moreToolbarVisible;
    int reserved1;
    int reserved2;
    int penSheetKind;
    int boardChanged;
    int boardToolbarX;
    int boardToolbarY;
    int moreToolbarX;
    int moreToolbarY;
    int deskPaletteX;
    int deskPaletteY;
    SettingsPoint auxPoints[4];
    int statusRightMargin;
    int statusTopMargin;
    int statusWidth;
    int statusHeight;
    int ownProcessId;
    int libraryCount;
    TextHandle libraryNames[TOOL_LIBRARY_SLOTS];
    TextHandle programFolder;
    int pageKeyPauseBefore;
    int pageKeyPauseAfter;
    HWND pageKeyTarget;
    int spareValues[3];
    COLORREF deskPenColour;
    COLORREF deskHighlighterColour;
    COLORREF deskKeyColour16;
    COLORREF deskKeyColour;
    int deskPenWidth;
    int deskHighlighterWidth;
    int deskEraserWidth;
    COLORREF boardPenColour;
    COLORREF boardHighlighterColour;
    COLORREF boardEraserColour;
    int boardPenWidth;
    int boardHighlighterWidth;
    int boardEraserWidth;
    int tailValuesFirst;
    int highlighterAlpha;
    int tailValuesRest[5];
    int keyboardOwnerLevel;
    HANDLE keyboardProcess;
};

// The holder whose address crosses into Overink and the colour library. Exactly one member, and
// no virtual functions, so a foreign module can read the record pointer at offset 0.
//
// With no record every getter answers as for a record whose surface is neither desktop nor
// whiteboard (0, and width 1), and every setter does nothing: a module that outlives the host's
// record then draws nothing instead of crashing.
//
// The holder frees nothing by itself: its owner calls Release, so a holder may also borrow a
// record that someone else owns.
struct ToolSettingsRef {
    ToolSettings* m_pRecord = nullptr;

    ToolSettingsRef() noexcept = default;
    ToolSettingsRef(const ToolSettingsRef&) = delete;
    ToolSettingsRef& operator=(const ToolSettingsRef&) = delete;

    ToolSettings* Record() const noexcept { return m_pRecord; }

    int GetSurface() const noexcept;
    void SetSurface(int nSurface) noexcept;
    int GetWorkMode() const noexcept;
    void SetWorkMode(int nWorkMode) noexcept;

    int GetCurrentTool() const noexcept;
    void SetCurrentTool(int nTool) noexcept;
    int GetCurrentShape() const noexcept;
    void SetCurrentShape(int nShape) noexcept;
    int GetToolWidth() const noexcept;
    COLORREF GetToolColour() const noexcept;
    COLORREF GetKeyColour() const noexcept;

    void SetBoardChanged(int nChanged) noexcept;
    int IsBoardChanged() const noexcept;

    // Allocates a record and fills every default (osName is left empty). A record already held is
    // released first (see Release). Returns false, holding nothing, when memory runs out.
    bool FillToolDefaults() noexcept;

    // Drops the owner's reference: with refCount above 1 only the count falls; otherwise the
    // texts and the record are freed and the holder becomes empty.
    void Release() noexcept;

private:
    int* SelectShapeField() const noexcept;
    int* SelectWidthField() const noexcept;
};

static_assert(std::is_standard_layout_v<TextHandle> && std::is_trivial_v<TextHandle>);
static_assert(sizeof(TextHandle) == sizeof(void*));
static_assert(std::is_standard_layout_v<ToolSettings> && std::is_trivial_v<ToolSettings>);
static_assert(std::is_standard_layout_v<ToolSettingsRef>);
static_assert(sizeof(ToolSettingsRef) == sizeof(void*));
static_assert(offsetof(ToolSettingsRef, m_pRecord) == 0);
static_assert(sizeof(COLORREF) == 4 && sizeof(int) == 4);

// Up to the text handles the layout is the same for both pointer sizes.
static_assert(offsetof(ToolSettings, refCount) == 0);
static_assert(offsetof(ToolSettings, bitsPerPixel) == 4);
static_assert(offsetof(ToolSettings, screenWidth) == 8);
static_assert(offsetof(ToolSettings, screenHeight) == 12);
static_assert(offsetof(ToolSettings, osName) == 16);
static_assert(offsetof(ToolSettings, trayMenuEnabled) == 68);
static_assert(offsetof(ToolSettings, surface) == 72);
static_assert(offsetof(ToolSettings, workMode) == 76);
static_assert(offsetof(ToolSettings, deskTool) == 80);
static_assert(offsetof(ToolSettings, boardTool) == 84);
static_assert(offsetof(ToolSettings, deskPenShape) == 88);
static_assert(offsetof(ToolSettings, deskHighlighterShape) == 92);
static_assert(offsetof(ToolSettings, deskEraserShape) == 96);
static_assert(offsetof(ToolSettings, boardPenShape) == 100);
static_assert(offsetof(ToolSettings, boardHighlighterShape) == 104);
static_assert(offsetof(ToolSettings, boardEraserShape) == 108);
static_assert(offsetof(ToolSettings, boardToolbarVisible) == 112);
static_assert(offsetof(ToolSettings, moreToolbarVisible) == 116);
static_assert(offsetof(ToolSettings, reserved1) == 120);
static_assert(offsetof(ToolSettings, reserved2) == 124);
static_assert(offsetof(ToolSettings, penSheetKind) == 128);
static_assert(offsetof(ToolSettings, boardChanged) == 132);
static_assert(offsetof(ToolSettings, boardToolbarX) == 136);
static_assert(offsetof(ToolSettings, boardToolbarY) == 140);
static_assert(offsetof(ToolSettings, moreToolbarX) == 144);
static_assert(offsetof(ToolSettings, moreToolbarY) == 148);
static_assert(offsetof(ToolSettings, deskPaletteX) == 152);
static_assert(offsetof(ToolSettings, deskPaletteY) == 156);
static_assert(offsetof(ToolSettings, auxPoints) == 160 && sizeof(ToolSettings::auxPoints) == 32);
static_assert(offsetof(ToolSettings, statusRightMargin) == 192);
static_assert(offsetof(ToolSettings, statusTopMargin) == 196);
static_assert(offsetof(ToolSettings, statusWidth) == 200);
static_assert(offsetof(ToolSettings, statusHeight) == 204);
static_assert(offsetof(ToolSettings, ownProcessId) == 208);
static_assert(offsetof(ToolSettings, libraryCount) == 212);
static_assert(offsetof(ToolSettings, libraryNames) == 216);

#if !defined(_WIN64)
static_assert(offsetof(ToolSettings, programFolder) == 336);
static_assert(offsetof(ToolSettings, pageKeyPauseBefore) == 340);
static_assert(offsetof(ToolSettings, pageKeyPauseAfter) == 344);
static_assert(offsetof(ToolSettings, pageKeyTarget) == 348);
static_assert(offsetof(ToolSettings, spareValues) == 352);
static_assert(offsetof(ToolSettings, deskPenColour) == 364);
static_assert(offsetof(ToolSettings, deskHighlighterColour) == 368);
static_assert(offsetof(ToolSettings, deskKeyColour16) == 372);
static_assert(offsetof(ToolSettings, deskKeyColour) == 376);
static_assert(offsetof(ToolSettings, deskPenWidth) == 380);
static_assert(offsetof(ToolSettings, deskHighlighterWidth) == 384);
static_assert(offsetof(ToolSettings, deskEraserWidth) == 388);
static_assert(offsetof(ToolSettings, boardPenColour) == 392);
static_assert(offsetof(ToolSettings, boardHighlighterColour) == 396);
static_assert(offsetof(ToolSettings, boardEraserColour) == 400);
static_assert(offsetof(ToolSettings, boardPenWidth) == 404);
static_assert(offsetof(ToolSettings, boardHighlighterWidth) == 408);
static_assert(offsetof(ToolSettings, boardEraserWidth) == 412);
static_assert(offsetof(ToolSettings, tailValuesFirst) == 416);
static_assert(offsetof(ToolSettings, highlighterAlpha) == 420);
static_assert(offsetof(ToolSettings, tailValuesRest) == 424);
static_assert(offsetof(ToolSettings, keyboardOwnerLevel) == 444);
static_assert(offsetof(ToolSettings, keyboardProcess) == 448);
static_assert(sizeof(ToolSettings) == 452);
#else
// Same order with 8-byte slots for the 31 texts, the window handle and the process handle; every
// slot falls on an 8-byte boundary, so no padding appears.
static_assert(sizeof(HWND) == 8 && sizeof(HANDLE) == 8);
static_assert(offsetof(ToolSettings, programFolder) == 456);
static_assert(offsetof(ToolSettings, pageKeyPauseBefore) == 464);
static_assert(offsetof(ToolSettings, pageKeyPauseAfter) == 468);
static_assert(offsetof(ToolSettings, pageKeyTarget) == 472);
static_assert(offsetof(ToolSettings, spareValues) == 480);
static_assert(offsetof(ToolSettings, deskPenColour) == 492);
static_assert(offsetof(ToolSettings, deskHighlighterColour) == 496);
static_assert(offsetof(ToolSettings, deskKeyColour16) == 500);
static_assert(offsetof(ToolSettings, deskKeyColour) == 504);
static_assert(offsetof(ToolSettings, deskPenWidth) == 508);
static_assert(offsetof(ToolSettings, deskHighlighterWidth) == 512);
static_assert(offsetof(ToolSettings, deskEraserWidth) == 516);
static_assert(offsetof(ToolSettings, boardPenColour) == 520);
static_assert(offsetof(ToolSettings, boardHighlighterColour) == 524);
static_assert(offsetof(ToolSettings, boardEraserColour) == 528);
static_assert(offsetof(ToolSettings, boardPenWidth) == 532);
static_assert(offsetof(ToolSettings, boardHighlighterWidth) == 536);
static_assert(offsetof(ToolSettings, boardEraserWidth) == 540);
static_assert(offsetof(ToolSettings, tailValuesFirst) == 544);
static_assert(offsetof(ToolSettings, highlighterAlpha) == 548);
static_assert(offsetof(ToolSettings, tailValuesRest) == 552);
static_assert(offsetof(ToolSettings, keyboardOwnerLevel) == 572);
static_assert(offsetof(ToolSettings, keyboardProcess) == 576);
static_assert(sizeof(ToolSettings) == 584);
#endif
