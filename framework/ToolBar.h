// Toolbars: a control bar over the common-controls toolbar. Buttons come from a toolbar
// resource, pictures from image lists the owner keeps; tooltips are the text after "\n" in the
// string of each command id; command states are pushed at idle by the frame (CCommandBar).
//
// A bar is either docked (a child of its frame, along one edge of the client area) or floats in
// a small owned tool window, the mini frame, that the presenter moves by its caption. Docking is
// only what a program asks for in code; dragging never docks a bar.
//
// Toolbar resource (type FW_RT_TOOLBAR), 16-bit words: version 1, picture width, picture
// height, button count, then one command id per button (0 for a separator).
#pragma once

#include "framework/Frame.h"
#include "framework/Handles.h"

#include <commctrl.h>

#include <memory>
#include <string>

inline constexpr WORD FW_RT_TOOLBAR = 241;

// Control-bar styles: how a bar behaves. The bar keeps them; they never reach the control's
// window style, whose low bits mean something else there.
inline constexpr DWORD CBRS_FLOATING = 0x0001;
inline constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
inline constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
inline constexpr DWORD CBRS_BORDER_TOP = 0x0200;
inline constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
inline constexpr DWORD CBRS_GRIPPER = 0x00400000;
inline constexpr DWORD CBRS_ALL = 0x0040FFFF;

// The usual child id of a frame's toolbar.
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;

namespace handle_traits {
using ImageList = NullIsInvalid<HIMAGELIST, decltype(&::ImageList_Destroy), &::ImageList_Destroy>;
} // namespace handle_traits

// An owned image list.
class CImageList : public CUniqueHandle<handle_traits::ImageList> {
public:
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // Adds the pictures of a bitmap resource of this module, cut into pictures of the list's
    // width; pixels of the mask colour become transparent. Index of the first, or -1.
    int AddMasked(UINT bitmapId, COLORREF mask);
};

class CToolBar;

// The owned tool window around a floating bar. Its close box, if it has one, hides the bar.
class CMiniFrameWnd : public CWnd {
public:
    explicit CMiniFrameWnd(CToolBar* bar) : m_pBar(bar) {}

    // A popup tool window with a small caption and a close box, owned by owner (the frame).
    bool Create(HWND owner, const std::string& title);
    // Sizes the window so that its client area is exactly the given size.
    void SetClientSize(SIZE size);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CToolBar* m_pBar;
};

class CToolBar : public CWnd, public CCommandBar {
public:
    CToolBar() = default;
    ~CToolBar() override;

    // Creates the toolbar control as a child of the frame, at the frame's top left until it is
    // docked or floated. ctrlStyle: TBSTYLE_* bits; style: WS_* together with CBRS_* bits. The
    // buttons fill the bar edge to edge (no borders). Commands and notifications go to the frame.
    bool CreateEx(CWnd* frame, DWORD ctrlStyle, DWORD style, UINT id);
    // Buttons from a toolbar resource of this module; buttons are their picture plus a margin.
    bool LoadToolBar(UINT resourceId);
    bool SetButtons(const UINT* ids, int count);
    void SetSizes(SIZE button, SIZE image);

    // The lists stay the caller's: they must outlive the bar.
    void SetImageList(HIMAGELIST list);
    void SetDisabledImageList(HIMAGELIST list);

    int GetCount() const;
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    RECT GetItemRect(int index) const;
    // TBSTATE_* bits of the button at index.
    UINT GetButtonState(int index) const;
    void SetButtonState(int index, UINT state);
    void HideButton(UINT id, bool hide);

    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD style) { m_dwBarStyle = style & CBRS_ALL; }

    // Docks the bar along one side (CBRS_ALIGN_*) of its frame's client area.
    void DockControlBar(DWORD side);
    // Floats the bar in its mini frame with the frame's top left at the screen point; align
    // (CBRS_ALIGN_*) becomes the bar's alignment. Keeps the bar's visibility.
    void FloatControlBar(POINT screen, DWORD align);
    bool IsFloating() const;
    CMiniFrameWnd* GetMiniFrame() const { return m_pMiniFrame.get(); }

    // Shows or hides the bar (with its mini frame when floating) at once.
    void ShowControlBar(bool show);
    bool IsVisible() const;

    // The size the visible buttons need, with the control's own margin kept on every side.
    SIZE CalcSize() const;
    // Fits the bar, and its mini frame when floating, to its buttons.
    void RecalcLayout();

    void UpdateCommandStates(CCmdTarget& target) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnToolTipText(NMHDR* header);
    void PlaceDocked();

    HWND m_hWndFrame = nullptr;
    DWORD m_dwBarStyle = 0;
    std::unique_ptr<CMiniFrameWnd> m_pMiniFrame;
    std::string m_strTipA;    // tooltip texts handed out by pointer: they must outlive the call
    std::wstring m_strTipW;
};
