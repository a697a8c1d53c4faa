// CWnd: a C++ object bound to one window for the window's life.
//
// Binding. The object is bound before the window's first message (a creation hook subclasses
// the new window) and unbound at WM_NCDESTROY, after which PostNcDestroy runs. The binding is a
// window property private to this module's copy of the framework, so FromHandle never returns
// an object of another module.
//
// Objects never cross a module boundary as objects. Where an export takes a window object, the
// callee reads only the handle, with CWnd::HandleOf, which reads the first data member and calls
// nothing virtual. m_hWnd therefore stays the first data member of CWnd.
#pragma once

#include "framework/Command.h"

#include <windows.h>

#include <string>

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    static HWND HandleOf(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }
    static CWnd* FromHandle(HWND hwnd);   // this module's object bound to hwnd, or null

    // Creates a window of this module's generic class (or the given registered class).
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, HWND parent, HMENU idOrMenu);
    // Binds an existing window (a dialog control) to this object.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    bool DestroyWindow();

    // Registers (once per module) a window class with the given style and returns its name.
    static const char* RegisterClass(UINT classStyle, HCURSOR cursor, HBRUSH background,
                                     HICON icon);

    bool ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    LONG_PTR ModifyStyle(DWORD remove, DWORD add);
    LONG_PTR ModifyStyleEx(DWORD remove, DWORD add);
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

    // Message handling. WindowProc is the one place a class sees its messages; its default
    // splits out commands, notifications and reflected control messages, and hands everything
    // else to the window's original procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs before the message is translated and dispatched; true swallows it.
    virtual bool PreTranslateMessage(MSG* msg) { (void)msg; return false; }
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

protected:
    // WM_COMMAND: control notifications are offered to the control's own object first
    // (reflection), then command ids go through OnCmdMsg.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Messages a parent reflects back to the control that caused them (WM_DRAWITEM,
    // WM_MEASUREITEM, WM_COMMAND notifications, WM_CTLCOLOR*). True when handled.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    friend struct CWndBinding;
    WNDPROC m_pfnSuper = nullptr;
};
