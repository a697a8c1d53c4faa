// Owning wrappers for Win32, GDI and kernel handles. Every type here is move-only: a copy would
// release the handle twice. Borrowed handles are plain HWND/HDC/HGDIOBJ values.
#pragma once

#include <windows.h>

#include <utility>

// A handle together with the one function that releases it.
template <class Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() noexcept = default;
    explicit CUniqueHandle(Handle h) noexcept : m_h(h) {}
    ~CUniqueHandle() { Reset(); }

    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Detach()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return Traits::IsValid(m_h); }

    Handle Detach() noexcept { return std::exchange(m_h, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) noexcept
    {
        Handle old = std::exchange(m_h, h);
        if (Traits::IsValid(old))
            Traits::Close(old);
    }

private:
    Handle m_h = Traits::Invalid();
};

namespace handle_traits {

template <class H, class Fn, Fn close>
struct NullIsInvalid {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { close(h); }
};

struct Kernel : NullIsInvalid<HANDLE, decltype(&::CloseHandle), &::CloseHandle> {
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
};
struct FindFile {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) noexcept { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::FindClose(h); }
};
using Module = NullIsInvalid<HMODULE, decltype(&::FreeLibrary), &::FreeLibrary>;
using Icon = NullIsInvalid<HICON, decltype(&::DestroyIcon), &::DestroyIcon>;
using Menu = NullIsInvalid<HMENU, decltype(&::DestroyMenu), &::DestroyMenu>;
using MemoryDC = NullIsInvalid<HDC, decltype(&::DeleteDC), &::DeleteDC>;
using Hook = NullIsInvalid<HHOOK, decltype(&::UnhookWindowsHookEx), &::UnhookWindowsHookEx>;

template <class H>
struct GdiObject {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

} // namespace handle_traits

using CKernelHandle = CUniqueHandle<handle_traits::Kernel>;   // processes, mutexes, files, events
using CFindHandle = CUniqueHandle<handle_traits::FindFile>;
using CModule = CUniqueHandle<handle_traits::Module>;
using CIconHandle = CUniqueHandle<handle_traits::Icon>;
using CMenuHandle = CUniqueHandle<handle_traits::Menu>;
using CMemoryDC = CUniqueHandle<handle_traits::MemoryDC>;     // CreateCompatibleDC, CreateDC
using CHookHandle = CUniqueHandle<handle_traits::Hook>;
using CPen = CUniqueHandle<handle_traits::GdiObject<HPEN>>;
using CBrush = CUniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using CRgn = CUniqueHandle<handle_traits::GdiObject<HRGN>>;
using CBitmap = CUniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using CFont = CUniqueHandle<handle_traits::GdiObject<HFONT>>;

// A window's device context from GetDC, released with ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~CWindowDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const noexcept { return m_hdc; }
    explicit operator bool() const noexcept { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint/EndPaint for one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) noexcept : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const noexcept { return m_hdc; }
    const PAINTSTRUCT& Info() const noexcept { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// Selects an object into a device context and selects the previous one back on scope exit.
class CSelectObject {
public:
    CSelectObject(HDC hdc, HGDIOBJ obj) noexcept : m_hdc(hdc), m_old(::SelectObject(hdc, obj)) {}
    ~CSelectObject()
    {
        if (m_old && m_old != HGDI_ERROR)
            ::SelectObject(m_hdc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// Fills a rectangle with one colour through a brush that lives for this call only.
inline void FwFillSolidRect(HDC hdc, const RECT& rect, COLORREF colour)
{
    CBrush brush(::CreateSolidBrush(colour));
    ::FillRect(hdc, &rect, brush.Get());
}

// SaveDC/RestoreDC around drawing that changes several attributes.
class CSaveDC {
public:
    explicit CSaveDC(HDC hdc) noexcept : m_hdc(hdc), m_nSaved(::SaveDC(hdc)) {}
    ~CSaveDC()
    {
        if (m_nSaved)
            ::RestoreDC(m_hdc, m_nSaved);
    }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC m_hdc;
    int m_nSaved;
};
