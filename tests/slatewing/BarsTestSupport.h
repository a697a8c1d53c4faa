// Helpers for the tests of the windows around the board (toolbars, tray menu, page-number
// panel, About box): a stand-in frame, pixels of drawings and of the screen, and a watcher for
// windows that appear while a modal loop runs.
#pragma once

#include "app/settings/ToolSettings.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace bars_test {

// The frame the bars belong to: a hidden top-level window that records the commands it gets.
class CHostFrame : public CWnd {
public:
    bool Create(bool topMost = true)
    {
        RECT rect{-200, -200, -190, -190};
        return CreateEx(topMost ? WS_EX_TOPMOST : 0, nullptr, "Bars host", WS_POPUP, rect,
                        nullptr, nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        if (m_extra) {
            LRESULT result = 0;
            if (m_extra(message, wParam, lParam, &result))
                return result;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
    // A test's own handling of some messages; true when it handled one.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> m_extra;
};

// A record with every default, released at the end of the test.
class CSettings {
public:
    CSettings() { EXPECT_TRUE(m_holder.FillToolDefaults()); }
    ~CSettings() { m_holder.Release(); }
    ToolSettingsRef& operator*() { return m_holder; }
    ToolSettings& Record() { return *m_holder.Record(); }

private:
    ToolSettingsRef m_holder;
};

// A 32-bit top-down picture; pixels as 0x00RRGGBB.
struct CPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> bits;

    COLORREF At(int x, int y) const
    {
        DWORD p = bits[static_cast<size_t>(y * width + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// Runs draw on a memory DC holding a width x height 32-bit DIB section, first filled with fill.
inline CPixels Draw(int width, int height, COLORREF fill, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CMemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        CSelectObject selected(dc.Get(), bitmap.Get());
        RECT all{0, 0, width, height};
        CBrush brush(::CreateSolidBrush(fill));
        ::FillRect(dc.Get(), &all, brush.Get());
        draw(dc.Get());
        ::GdiFlush();
    }
    CPixels pixels;
    pixels.width = width;
    pixels.height = height;
    const DWORD* p = static_cast<const DWORD*>(bits);
    pixels.bits.assign(p, p + width * height);
    return pixels;
}

// What a device context (a window's, or the screen's with null) shows in the rectangle.
inline CPixels Capture(HWND hwnd, const RECT& rect)
{
    CWindowDC source(hwnd);
    return Draw(rect.right - rect.left, rect.bottom - rect.top, RGB(0, 0, 0), [&](HDC dc) {
        ::BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, source.Get(),
                 rect.left, rect.top, SRCCOPY);
    });
}

// Watches from a second thread for a window of this process that the predicate accepts, then
// runs act on it (from that thread) once. Used while the test's thread sits in a modal loop.
class CWindowWatcher {
public:
    CWindowWatcher(std::function<bool(HWND)> accept, std::function<void(HWND)> act)
        : m_accept(std::move(accept)), m_act(std::move(act)), m_thread([this] { Watch(); })
    {
    }
    ~CWindowWatcher()
    {
        m_bStop = true;
        m_thread.join();
    }
    bool Acted() const { return m_bActed; }

private:
    void Watch()
    {
        DWORD start = ::GetTickCount();
        while (!m_bStop && ::GetTickCount() - start < 10000) {
            HWND found = nullptr;
            auto data = std::make_pair(this, &found);
            ::EnumWindows(
                [](HWND hwnd, LPARAM param) -> BOOL {
                    auto* d = reinterpret_cast<decltype(data)*>(param);
                    DWORD pid = 0;
                    ::GetWindowThreadProcessId(hwnd, &pid);
                    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
                        d->first->m_accept(hwnd)) {
                        *d->second = hwnd;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&data));
            if (found) {
                ::Sleep(200);   // let it paint
                m_act(found);
                m_bActed = true;
                return;
            }
            ::Sleep(20);
        }
    }

    std::function<bool(HWND)> m_accept;
    std::function<void(HWND)> m_act;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bActed{false};
    std::thread m_thread;
};

inline std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

} // namespace bars_test
