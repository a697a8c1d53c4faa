// Ink latency and repaint cost of the desktop annotation library, measured the way the host
// drives it: the library is loaded from the program folder and started with a settings record,
// the pointer reaches the overlay as mouse messages. Prints figures; never fails.
//   ink_benchmark PROGRAM_FOLDER
#include "app/settings/ToolSettings.h"
#include "bench/BenchSupport.h"
#include "framework/Handles.h"
#include "framework/Module.h"
#include "overink/OverinkApi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWorkModeButton = 5007;
constexpr int kClearButton = 5031;

using bench::Now;
using bench::Pump;

struct Stats {
    double median;
    double p99;
};

Stats Summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    auto at = [&](double q) { return samples[std::min(samples.size() - 1, size_t(q * samples.size()))]; };
    return {at(0.5), at(0.99)};
}

class Host {
public:
    explicit Host(const std::string& folder)
    {
        ::SetDllDirectoryA(folder.c_str());
        m_overink.Reset(::LoadLibraryA((folder + "Overink.dll").c_str()));
        m_holder.FillToolDefaults();
        if (auto start = FwGetProc<StartDrawFn>(m_overink.Get(), "StartDraw"))
            start(&Host::Callback, &m_holder);
        Pump();
        m_overlay = ::FindWindowA(nullptr, DRAW_DIALOG_TITLE);
    }
    ~Host()
    {
        if (auto end = FwGetProc<EndDrawFn>(m_overink.Get(), "EndDraw"))
            end();
        m_overink.Reset();
        m_holder.Release();
    }

    bool Ready() const { return m_overlay != nullptr; }
    ToolSettings& Record() { return *m_holder.Record(); }
    HWND Overlay() const { return m_overlay; }

    void EnterDrawingMode() { ClickPaletteButton(kWorkModeButton); }
    // Clears the page: the palette's Clear command.
    void Clear() { ClickPaletteButton(kClearButton); }

    void Press(int x, int y) { ::SendMessageA(m_overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Move(int x, int y) { ::SendMessageA(m_overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    // Real input arrives through the message loop, which handles the window system's events
    // between two moves; the benchmark does the same, outside the timed part.
    void Idle() { Pump(); }
    void Release(int x, int y) { ::SendMessageA(m_overlay, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    // One stroke of the given number of points across the screen, starting at row y.
    void Stroke(int y, int points)
    {
        int w = Record().screenWidth;
        Press(10, y);
        for (int i = 1; i < points; ++i)
            Move(10 + (i * (w - 20)) / points, y + int(20 * std::sin(i * 0.3)));
        Release(w - 10, y);
    }

private:
    static void __cdecl Callback(int, int, int) {}

    static BOOL CALLBACK ClickIfFound(HWND hwnd, LPARAM id)
    {
        HWND button = ::GetDlgItem(hwnd, static_cast<int>(id));
        if (!button)
            return TRUE;
        ::SendMessageA(button, BM_CLICK, 0, 0);
        return FALSE;
    }

    void ClickPaletteButton(int id)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &ClickIfFound, id);
        Pump();
    }

    CModule m_overink;
    ToolSettingsRef m_holder;
    HWND m_overlay = nullptr;
};

void MeasureLatency(Host& host, const char* name, int tool, int width)
{
    ToolSettings& record = host.Record();
    record.deskTool = tool;
    if (tool == STYLE_PEN)
        record.deskPenWidth = width;
    else if (tool == STYLE_HIGHLIGHTER)
        record.deskHighlighterWidth = width;
    else
        record.deskEraserWidth = width;

    std::vector<double> samples;
    for (int stroke = 0; stroke < 20; ++stroke) {
        int y = 100 + stroke * 20;
        host.Press(50, y);
        for (int i = 1; i <= 100; ++i) {
            double start = Now();
            host.Move(50 + i * 5, y + (i % 7));
            samples.push_back(Now() - start);
            host.Idle();
        }
        host.Release(550, y);
    }
    Stats stats = Summarise(samples);
    std::printf("  %-12s width %3d: median %.3f ms, 99th percentile %.3f ms per move\n", name, width,
                stats.median, stats.p99);
    host.Clear();
}

void MeasureRepaint(Host& host, int strokes)
{
    host.Clear();
    host.Record().deskTool = STYLE_PEN;
    host.Record().deskPenWidth = 3;
    // The strokes lie over each other in a band: Wine shapes a colour-keyed window with the X
    // shape extension, and ink spread over the whole screen makes that shape too large for one
    // X request. The page still holds every stroke, which is what the repaint replays.
    for (int i = 0; i < strokes; ++i)
        host.Stroke(100 + (i % 4), 100);

    // The pen layer is the topmost window owned by the overlay.
    HWND penLayer = nullptr;
    for (HWND hwnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT))
        if (::GetWindow(hwnd, GW_OWNER) == host.Overlay() &&
            (::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
            !(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION))
            penLayer = hwnd;

    std::fflush(stdout);
    std::fflush(stdout);
    double repaint = 0;
    if (penLayer) {
        double start = Now();
        ::RedrawWindow(penLayer, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        repaint = Now() - start;
    }
    std::vector<double> segment;
    host.Press(40, 40);
    for (int i = 1; i <= 200; ++i) {
        double start = Now();
        host.Move(40 + i * 2, 40 + (i % 5));
        segment.push_back(Now() - start);
        host.Idle();
    }
    host.Release(440, 40);
    Stats stats = Summarise(segment);
    std::printf("  %6d strokes of 100 points: full repaint of the pen layer %.1f ms; "
                "one new segment: median %.3f ms, 99th percentile %.3f ms\n",
                strokes, repaint, stats.median, stats.p99);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ink_benchmark PROGRAM_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    Host host(folder);
    if (!host.Ready()) {
        std::fprintf(stderr, "the annotation library did not start from %s\n", folder.c_str());
        return 1;
    }
    host.EnterDrawingMode();
    std::printf("Screen %d x %d\n", host.Record().screenWidth, host.Record().screenHeight);
    std::printf("Ink latency (pointer move message to segment drawn in the layer):\n");
    MeasureLatency(host, "pen", STYLE_PEN, 1);
    MeasureLatency(host, "pen", STYLE_PEN, 30);
    MeasureLatency(host, "highlighter", STYLE_HIGHLIGHTER, 5);
    MeasureLatency(host, "highlighter", STYLE_HIGHLIGHTER, 40);
    MeasureLatency(host, "eraser", STYLE_ERASER, 20);
    MeasureLatency(host, "eraser", STYLE_ERASER, 80);
    std::printf("Repaint cost as content grows:\n");
    for (int strokes : {100, 1000, 10000})
        MeasureRepaint(host, strokes);
    return 0;
}
