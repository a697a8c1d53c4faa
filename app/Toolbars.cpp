#include "app/Toolbars.h"

#include "app/resource.h"
#include "framework/Module.h"

const UINT kButtonSetA[5] = {ID_TOGGLE_ERASER, ID_SHAPE_FREEFORM, ID_SHAPE_LINE, ID_SHAPE_CIRCLE,
                             ID_SHAPE_RECTANGLE};
const UINT kButtonSetB[5] = {ID_TOGGLE_PEN, ID_SHAPE_FREEFORM_B, ID_SHAPE_LINE_B,
                             ID_SHAPE_CIRCLE_B, ID_SHAPE_RECTANGLE_B};

namespace {

constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_TOP |
                                CBRS_BORDER_BOTTOM | CBRS_GRIPPER | CBRS_FLYBY | CBRS_SIZE_FIXED |
                                CBRS_FLOATING;
static_assert(kToolbarStyle == 0x50402A23);

constexpr COLORREF kMaskColour = RGB(230, 230, 230);
constexpr int kPicture = 25;

// The steps both toolbars share: the control, its resource, its place and its pictures.
bool BuildToolbar(CToolBarEx& bar, CToolbarImages& images, CWnd* frame, UINT toolbarId,
                  UINT normalId, UINT disabledId)
{
    if (!bar.CreateEx(frame, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, kToolbarStyle, AFX_IDW_TOOLBAR) ||
        !bar.LoadToolBar(toolbarId))
        return false;
    // There is no such string: the floating toolbar has no title.
    bar.SetWindowText(FwLoadString(IDS_TOOLBAR_TITLE));
    // Docked on the right until it floats.
    bar.DockControlBar(CBRS_ALIGN_RIGHT);

    if (!images.m_normal.Create(kPicture, kPicture, ILC_COLOR32 | ILC_MASK, 4, 4) ||
        !images.m_disabled.Create(kPicture, kPicture, ILC_COLOR32 | ILC_MASK, 4, 4))
        return false;
    images.m_normal.AddMasked(normalId, kMaskColour);
    images.m_disabled.AddMasked(disabledId, kMaskColour);
    bar.SetDisabledImageList(images.m_disabled.Get());
    bar.SetImageList(images.m_normal.Get());
    return true;
}

void FloatHidden(CToolBarEx& bar, int x, int y)
{
    bar.ShowControlBar(false);
    bar.FloatControlBar(POINT{x, y}, CBRS_ALIGN_TOP);
}

} // namespace

bool CreateMainToolbar(CToolBarEx& bar, CToolbarImages& images, CWnd* frame,
                       ToolSettingsRef& settings)
{
    ToolSettings* record = settings.Record();
    if (!record || !BuildToolbar(bar, images, frame, IDR_MAINFRAME, IDB_MAIN_TOOLBAR,
                                 IDB_MAIN_TOOLBAR_DISABLED))
        return false;
    bar.SetColumns(2);
    // Each alternative pair shares a row: the wrap moves from the second of a pair to the
    // first, so with one of each pair hidden every row holds two buttons.
    for (int index : {7, 11, 15, 17, 19, 21, 23})
        bar.SetButtonState(index, bar.GetButtonState(index) & ~TBSTATE_WRAP);
    for (int index : {6, 10, 14, 16, 18, 20, 22, 24})
        bar.SetButtonState(index, bar.GetButtonState(index) | TBSTATE_WRAP);
    ApplyButtonSet(bar, settings.GetCurrentTool());
    bar.ModifyStyle(TBSTYLE_TRANSPARENT, 0);
    FloatHidden(bar, record->boardToolbarX, record->boardToolbarY);
    record->boardToolbarVisible = 1;
    return true;
}

bool CreateMoreToolbar(CToolBarEx& bar, CToolbarImages& images, CWnd* frame,
                       ToolSettingsRef& settings)
{
    ToolSettings* record = settings.Record();
    if (!record || !BuildToolbar(bar, images, frame, IDR_MORE_TOOLBAR, IDB_MORE_TOOLBAR,
                                 IDB_MORE_TOOLBAR_DISABLED))
        return false;
    bar.SetColumns(1);
    FloatHidden(bar, record->moreToolbarX, record->moreToolbarY);
    record->moreToolbarVisible = 0;
    return true;
}

void ApplyButtonSet(CToolBarEx& bar, int currentTool)
{
    bool eraser = currentTool == STYLE_ERASER;
    for (UINT id : kButtonSetA)
        bar.HideButton(id, eraser);
    for (UINT id : kButtonSetB)
        bar.HideButton(id, !eraser);
}

void ShowBoardToolbars(CToolBarEx& mainBar, CToolBarEx& moreBar, const ToolSettingsRef& settings,
                       int show)
{
    const ToolSettings* record = settings.Record();
    mainBar.ShowControlBar(show && record && record->boardToolbarVisible == 1);
    moreBar.ShowControlBar(show && record && record->moreToolbarVisible == 1);
}
