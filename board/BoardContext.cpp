#include "board/BoardContext.h"

namespace {

ToolSettingsRef* g_pSettings = nullptr;
bool g_bBoardRectSet = false;
RECT g_rcBoard{};

constexpr BYTE DEFAULT_HIGHLIGHTER_ALPHA = 220;

} // namespace

void SetBoardSettings(ToolSettingsRef* settings)
{
    g_pSettings = settings;
}

ToolSettingsRef& BoardSettings()
{
    static ToolSettingsRef empty;
    return g_pSettings ? *g_pSettings : empty;
}

RECT GetBoardRect()
{
    if (g_bBoardRectSet)
        return g_rcBoard;
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void SetBoardRect(const RECT& board)
{
    g_rcBoard = board;
    g_bBoardRectSet = true;
}

BYTE HighlighterAlpha()
{
    const ToolSettings* record = BoardSettings().Record();
    return record ? static_cast<BYTE>(record->highlighterAlpha & 0xFF) : DEFAULT_HIGHLIGHTER_ALPHA;
}

COLORREF BoardColour()
{
    const ToolSettings* record = BoardSettings().Record();
    return record ? record->boardEraserColour : RGB(255, 255, 255);
}
