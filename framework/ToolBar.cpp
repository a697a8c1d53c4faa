#include "framework/ToolBar.h"

#include "framework/Module.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Room around a button's picture for its hot and pressed frames.
constexpr int kButtonMargin = 7;

const UINT kCommandStateBits = TBSTATE_ENABLED | TBSTATE_CHECKED;

} // namespace

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    Reset(::ImageList_Create(cx, cy, flags, initial, grow));
    return static_cast<bool>(*this);
}

int CImageList::AddMasked(UINT bitmapId, COLORREF mask)
{
    if (!*this)
        return -1;
    // A DIB section keeps 32-bit pictures with their alpha; a device bitmap would not.
    CBitmap bitmap(static_cast<HBITMAP>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(bitmapId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap)
        return -1;
    return ::ImageList_AddMasked(Get(), bitmap.Get(), mask);
}

bool CMiniFrameWnd::Create(HWND owner, const std::string& title)
{
    DWORD exStyle = WS_EX_TOOLWINDOW;
    // Above a top-most owner, such as a full-screen frame.
    if (owner && (::GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
        exStyle |= WS_EX_TOPMOST;
    RECT rect{0, 0, 0, 0};
    return CreateEx(exStyle, nullptr, title.c_str(),
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, rect, owner, nullptr);
}

void CMiniFrameWnd::SetClientSize(SIZE size)
{
    RECT rect{0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&rect, static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CMiniFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        m_pBar->ShowControlBar(false);
        return 0;
    case WM_MOUSEACTIVATE:
        // A click on a button leaves the frame active, so its keys keep working; the caption
        // still activates, as any window being dragged does.
        if (LOWORD(lParam) == HTCLIENT)
            return MA_NOACTIVATE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CToolBar::~CToolBar()
{
    // The bar goes before its mini frame, while this object is still whole.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_pMiniFrame.reset();
}

bool CToolBar::CreateEx(CWnd* frame, DWORD ctrlStyle, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_hWndFrame = HandleOf(frame);
    m_dwBarStyle = style & CBRS_ALL;
    // The bar lays itself out; the control must not dock itself to its parent's edge.
    DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | WS_CHILD | CCS_NODIVIDER |
                        CCS_NORESIZE | CCS_NOPARENTALIGN;
    RECT rect{0, 0, 0, 0};
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, rect, m_hWndFrame,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    ::SendMessageA(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Commands reach the frame wherever the bar lives.
    ::SendMessageA(m_hWnd, TB_SETPARENT, reinterpret_cast<WPARAM>(m_hWndFrame), 0);
    // A floating bar's window is never the active one (the frame stays active), so its tips
    // must not wait for it to be.
    if (HWND tips = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, TB_GETTOOLTIPS, 0, 0)))
        ::SetWindowLongPtrA(tips, GWL_STYLE, ::GetWindowLongPtrA(tips, GWL_STYLE) | TTS_ALWAYSTIP);
    return true;
}

bool CToolBar::LoadToolBar(UINT resourceId)
{
    HINSTANCE module = FwResourceModule();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(FW_RT_TOOLBAR));
    if (!found)
        return false;
    DWORD bytes = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const WORD* data = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!data || bytes < 4 * sizeof(WORD) || data[0] != 1)
        return false;
    int count = data[3];
    if (bytes < (4 + static_cast<DWORD>(count)) * sizeof(WORD))
        return false;
    std::vector<UINT> ids(data + 4, data + 4 + count);
    if (!SetButtons(ids.data(), count))
        return false;
    SIZE image{data[1], data[2]};
    SetSizes(SIZE{image.cx + kButtonMargin, image.cy + kButtonMargin}, image);
    return true;
}

bool CToolBar::SetButtons(const UINT* ids, int count)
{
    while (GetCount() > 0)
        ::SendMessageA(m_hWnd, TB_DELETEBUTTON, 0, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON& button = buttons[static_cast<size_t>(i)];
        button.idCommand = static_cast<int>(ids[i]);
        button.fsState = TBSTATE_ENABLED;
        if (ids[i] == 0) {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = 8;   // a separator's width
        } else {
            button.fsStyle = BTNS_BUTTON;
            button.iBitmap = image++;
        }
    }
    return count == 0 || ::SendMessageA(m_hWnd, TB_ADDBUTTONSA, static_cast<WPARAM>(count),
                                        reinterpret_cast<LPARAM>(buttons.data())) != FALSE;
}

void CToolBar::SetSizes(SIZE button, SIZE image)
{
    ::SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(image.cx, image.cy));
    ::SendMessageA(m_hWnd, TB_SETBUTTONSIZE, 0, MAKELONG(button.cx, button.cy));
}

void CToolBar::SetImageList(HIMAGELIST list)
{
    ::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
}

void CToolBar::SetDisabledImageList(HIMAGELIST list)
{
    ::SendMessageA(m_hWnd, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
}

int CToolBar::GetCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON button{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&button)))
        return 0;
    return static_cast<UINT>(button.idCommand);
}

int CToolBar::CommandToIndex(UINT id) const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, id, 0));
}

RECT CToolBar::GetItemRect(int index) const
{
    RECT rect{};
    ::SendMessageA(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&rect));
    return rect;
}

UINT CToolBar::GetButtonState(int index) const
{
    TBBUTTON button{};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&button)))
        return 0;
    return button.fsState;
}

void CToolBar::SetButtonState(int index, UINT state)
{
    // Unlike TB_SETSTATE, this lays the buttons out again, so a changed wrap takes effect.
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE | TBIF_BYINDEX;
    info.fsState = static_cast<BYTE>(state);
    ::SendMessageA(m_hWnd, TB_SETBUTTONINFOA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&info));
}

void CToolBar::HideButton(UINT id, bool hide)
{
    ::SendMessageA(m_hWnd, TB_HIDEBUTTON, id, MAKELONG(hide ? TRUE : FALSE, 0));
}

bool CToolBar::IsFloating() const
{
    return m_pMiniFrame && m_pMiniFrame->m_hWnd && ::GetParent(m_hWnd) == m_pMiniFrame->m_hWnd;
}

void CToolBar::DockControlBar(DWORD side)
{
    if (IsFloating()) {
        ::SetParent(m_hWnd, m_hWndFrame);
        m_pMiniFrame->ShowWindow(SW_HIDE);
    }
    m_dwBarStyle = (m_dwBarStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (side & CBRS_ALIGN_ANY);
    PlaceDocked();
}

void CToolBar::PlaceDocked()
{
    RECT client{};
    ::GetClientRect(m_hWndFrame, &client);
    SIZE size = CalcSize();
    int x = (m_dwBarStyle & CBRS_ALIGN_RIGHT) ? client.right - size.cx : 0;
    int y = (m_dwBarStyle & CBRS_ALIGN_BOTTOM) ? client.bottom - size.cy : 0;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CToolBar::FloatControlBar(POINT screen, DWORD align)
{
    std::string title = GetWindowText();
    if (!m_pMiniFrame || !m_pMiniFrame->m_hWnd) {
        m_pMiniFrame = std::make_unique<CMiniFrameWnd>(this);
        if (!m_pMiniFrame->Create(m_hWndFrame, title)) {
            m_pMiniFrame.reset();
            return;
        }
    } else {
        m_pMiniFrame->SetWindowText(title);
    }
    bool visible = IsVisible();
    m_dwBarStyle = (m_dwBarStyle & ~CBRS_ALIGN_ANY) | (align & CBRS_ALIGN_ANY) | CBRS_FLOATING;
    ::SetParent(m_hWnd, m_pMiniFrame->m_hWnd);
    SIZE size = CalcSize();
    // A frame change always reaches the bar as WM_WINDOWPOSCHANGED, so a derived bar sees its
    // new parent even when its place in it stays the same.
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, size.cx, size.cy, SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_pMiniFrame->SetClientSize(size);
    ::SetWindowPos(m_pMiniFrame->m_hWnd, nullptr, screen.x, screen.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pMiniFrame->ShowWindow(visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CToolBar::ShowControlBar(bool show)
{
    ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (IsFloating())
        m_pMiniFrame->ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool CToolBar::IsVisible() const
{
    // The bar's own flag: a docked bar of a hidden frame is still "shown".
    return m_hWnd && (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

SIZE CToolBar::CalcSize() const
{
    // The control puts its first row a little below its top edge; the same margin is kept
    // below the last row and right of the widest one.
    int left = INT_MAX, top = INT_MAX, right = 0, bottom = 0;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (GetButtonState(i) & TBSTATE_HIDDEN)
            continue;
        RECT item = GetItemRect(i);
        left = std::min(left, static_cast<int>(item.left));
        top = std::min(top, static_cast<int>(item.top));
        right = std::max(right, static_cast<int>(item.right));
        bottom = std::max(bottom, static_cast<int>(item.bottom));
    }
    if (right == 0)
        return SIZE{0, 0};
    return SIZE{right + left, bottom + top};
}

void CToolBar::RecalcLayout()
{
    SIZE size = CalcSize();
    if (IsFloating()) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pMiniFrame->SetClientSize(size);
    } else {
        PlaceDocked();
    }
}

void CToolBar::UpdateCommandStates(CCmdTarget& target)
{
    bool layoutChanged = false;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        UINT id = GetItemID(i);
        if (id == 0)
            continue;   // separator
        bool hiddenBefore = (GetButtonState(i) & TBSTATE_HIDDEN) != 0;
        // A button nobody shows or hides keeps its place; CCmdUI records no "unchanged".
        CCmdUI ui(id);
        ui.Show(!hiddenBefore);
        bool owned = target.OnCmdMsg(id, &ui);
        // The handler may have changed buttons itself (a button set swapping in).
        UINT state = GetButtonState(i);
        UINT wanted = state & ~kCommandStateBits;
        // A command nobody owns cannot run: its button is disabled.
        if (owned && ui.IsEnabled())
            wanted |= TBSTATE_ENABLED;
        if (owned && ui.GetCheck())
            wanted |= TBSTATE_CHECKED;
        if (ui.IsHidden() != hiddenBefore) {
            wanted = (wanted & ~TBSTATE_HIDDEN) | (ui.IsHidden() ? TBSTATE_HIDDEN : 0);
            layoutChanged = true;
        }
        if (wanted != state)
            SetButtonState(i, wanted);
    }
    if (layoutChanged)
        RecalcLayout();
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && OnToolTipText(reinterpret_cast<NMHDR*>(lParam)))
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CToolBar::OnToolTipText(NMHDR* header)
{
    // The control's tooltip asks the control itself, once per button it shows a tip for.
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW)
        return false;
    bool wide = header->code == TTN_GETDISPINFOW;
    UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(header)->uFlags
                      : reinterpret_cast<NMTTDISPINFOA*>(header)->uFlags;
    if (flags & TTF_IDISHWND)
        return false;
    // The string of the command: status prompt, "\n", tooltip.
    std::string text = FwLoadString(static_cast<UINT>(header->idFrom));
    size_t start = text.find('\n');
    m_strTipA = start == std::string::npos ? std::string()
                                           : text.substr(start + 1, text.find('\n', start + 1) - start - 1);
    if (wide) {
        int length = ::MultiByteToWideChar(CP_ACP, 0, m_strTipA.c_str(), -1, nullptr, 0);
        m_strTipW.assign(static_cast<size_t>(std::max(length, 1)), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, m_strTipA.c_str(), -1, m_strTipW.data(), length);
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->hinst = nullptr;
        info->szText[0] = L'\0';
        info->lpszText = m_strTipW.data();
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->hinst = nullptr;
        info->szText[0] = '\0';
        info->lpszText = m_strTipA.data();
    }
    return true;
}
