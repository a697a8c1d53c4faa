#include "framework/Wnd.h"

#include "framework/Module.h"
#include "framework/ThreadState.h"

#include <vector>

namespace {

// Each module's copy of the framework has its own property name, so two modules never see
// each other's objects.
const char* BindingProperty()
{
    static const std::string name = [] {
        char text[48];
        wsprintfA(text, "FwObject.%p", static_cast<void*>(FwResourceModule()));
        return std::string(text);
    }();
    return name.c_str();
}

LRESULT CALLBACK FwWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace

struct CWndBinding {
    static void Bind(CWnd* wnd, HWND hwnd)
    {
        wnd->m_hWnd = hwnd;
        ::SetPropA(hwnd, BindingProperty(), wnd);
        wnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FwWindowProc)));
        FwThreadState().OnWindowBound();
    }

    static void Unbind(CWnd* wnd, HWND hwnd)
    {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == &FwWindowProc)
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
        ::RemovePropA(hwnd, BindingProperty());
        wnd->m_hWnd = nullptr;
        FwThreadState().OnWindowUnbound();
    }

    static LRESULT Dispatch(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_NCDESTROY)
            return wnd->WindowProc(message, wParam, lParam);
        LRESULT result = wnd->WindowProc(message, wParam, lParam);
        Unbind(wnd, hwnd);
        wnd->PostNcDestroy();
        return result;
    }
};

namespace {

LRESULT CALLBACK FwWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return CWndBinding::Dispatch(wnd, hwnd, message, wParam, lParam);
}

// Binds the window being created to its object before its first message arrives.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    FwThreadStateData& state = FwThreadState();
    if (code == HCBT_CREATEWND && state.m_pWndInit) {
        CWnd* wnd = state.m_pWndInit;
        state.m_pWndInit = nullptr;
        CWndBinding::Bind(wnd, reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

CWndCreationScope::CWndCreationScope(CWnd* wnd)
{
    FwThreadStateData& state = FwThreadState();
    m_pPrevious = state.m_pWndInit;
    state.m_pWndInit = wnd;
    m_hook.Reset(::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId()));
}

CWndCreationScope::~CWndCreationScope()
{
    FwThreadState().m_pWndInit = m_pPrevious;
}

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hwnd, BindingProperty()));
}

const char* CWnd::RegisterClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::vector<std::string> registered;
    char name[96];
    wsprintfA(name, "FwWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
              static_cast<void*>(background), static_cast<void*>(icon));
    for (const std::string& existing : registered)
        if (existing == name)
            return existing.c_str();

    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = FwResourceModule();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    registered.emplace_back(name);
    return registered.back().c_str();
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    const RECT& rect, HWND parent, HMENU idOrMenu)
{
    if (!className)
        className = RegisterClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    HWND hwnd;
    {
        CWndCreationScope scope(this);
        hwnd = ::CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 idOrMenu, FwResourceModule(), nullptr);
    }
    return hwnd != nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    CWndBinding::Bind(this, hwnd);
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return SubclassWindow(::GetDlgItem(HandleOf(parent), static_cast<int>(id)));
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

LONG_PTR CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    return ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

LONG_PTR CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    return ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE,
                               (style & ~static_cast<LONG_PTR>(remove)) | add);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        break;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
        HWND child = nullptr;
        if (message == WM_DRAWITEM)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        else if (message == WM_MEASUREITEM)
            child = ::GetDlgItem(m_hWnd, static_cast<int>(
                                             reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID));
        else
            child = reinterpret_cast<HWND>(lParam);
        LRESULT result = 0;
        CWnd* control = FromHandle(child);
        if (control && control != this && control->OnChildNotify(message, wParam, lParam, &result))
            return message == WM_DRAWITEM || message == WM_MEASUREITEM ? TRUE : result;
        break;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        CWnd* child = FromHandle(control);
        LRESULT ignored = 0;
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored))
            return true;
    }
    UINT code = HIWORD(wParam);
    // Menu items, accelerators and plain button clicks are commands; other notifications are not.
    if (control && code != BN_CLICKED)
        return false;
    return OnCmdMsg(LOWORD(wParam), nullptr);
}

bool CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    CWnd* child = FromHandle(header->hwndFrom);
    return child && child != this && child->OnChildNotify(WM_NOTIFY, 0, lParam, result);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}
