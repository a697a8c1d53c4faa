// The whiteboard's responsiveness, driven as the pen drives it: the board view receives the
// mouse messages, on a page holding 0, 1,000 and 10,000 strokes; and the switch from the desktop
// to the board and back. Run on a 1920 x 1080 screen. Prints figures; never fails.
#include "app/EboardApp.h"
#include "app/MainFrame.h"
#include "app/resource.h"
#include "bench/BenchSupport.h"
#include "board/BoardContext.h"
#include "board/BoardDoc.h"
#include "framework/DocTemplate.h"
#include "view/BoardView.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace bench;

// Strokes put straight into the page, as if drawn earlier.
void FillPage(CPage& page, int strokes, HDC dc, const RECT& board)
{
    Dice dice(42u);
    for (int i = 0; i < strokes; ++i) {
        int x = 40 + dice.Roll(board.right - 200), y = 40 + dice.Roll(board.bottom - 120);
        page.BeginShape(SHAPE_STROKE, x, y, 3, RGB(0, 0, 160), STYLE_PEN, dc);
        for (int k = 0; k < 20; ++k) {
            x += dice.Roll(13) - 3;
            y += dice.Roll(9) - 4;
            page.DragShape(x, y, dc);
        }
        page.EndShape(x, y, dc);
    }
    page.RenderImage(dc);
}

void MeasureGestures(CBoardView& view, CBoardDoc& doc, int add, int strokes)
{
    HWND wnd = CWnd::HandleOf(&view);
    {
        HDC dc = ::GetDC(wnd);
        FillPage(*doc.GetCurrentPage(), add, dc, view.m_rectBoard);
        ::ReleaseDC(wnd, dc);
    }
    std::vector<double> down, move, up;
    for (int g = 0; g < 20; ++g) {
        int x = 200 + 30 * g, y = 300;
        double t0 = Now();
        ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::GdiFlush();
        down.push_back(Now() - t0);
        for (int k = 1; k <= 30; ++k) {
            double t = Now();
            ::SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + k * 3, y + (k % 7) * 4));
            ::GdiFlush();
            move.push_back(Now() - t);
        }
        double t1 = Now();
        ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 90, y));
        ::UpdateWindow(wnd);   // the page image copied back to the screen
        ::GdiFlush();
        up.push_back(Now() - t1);
        Pump();
    }
    std::printf("  %5d strokes on the page: pen-down to first ink %6.2f ms (worst %6.2f), per move %6.2f ms "
                "(worst %6.2f), pen-up to page image, thumbnail and screen %6.2f ms (worst %6.2f)\n",
                strokes, Median(down), Worst(down), Median(move), Worst(move), Median(up), Worst(up));
}

} // namespace

int main()
{
    CEboardApp app;
    app.Settings().FillToolDefaults();
    app.Settings().Record()->surface = SURFACE_BOARD;
    SetBoardSettings(&app.Settings());
    app.AddDocTemplate(CSingleDocTemplate::Make<CBoardDoc, CMainFrame, CBoardView>(IDR_MAINFRAME));
    app.m_nCmdShow = SW_HIDE;
    if (!app.OnFileNew() || !g_pMainFrame) {
        std::printf("the whiteboard could not be created\n");
        return 0;
    }
    CMainFrame& frame = *g_pMainFrame;
    HWND frameWnd = CWnd::HandleOf(&frame);
    CBoardView& view = *frame.GetBoardView();
    CBoardDoc& doc = *frame.GetBoardDoc();

    std::printf("Whiteboard, %ld x %ld board:\n", view.m_rectBoard.right, view.m_rectBoard.bottom);
    std::vector<double> show, back;
    for (int i = 0; i < 5; ++i) {
        double t0 = Now();
        ::SendMessageA(frameWnd, WM_SHOW_WHITEBOARD, 0, 0);
        ::UpdateWindow(frameWnd);
        ::UpdateWindow(CWnd::HandleOf(&view));
        ::GdiFlush();
        show.push_back(Now() - t0);
        Pump();
        double t1 = Now();
        ::SendMessageA(frameWnd, WM_COMMAND, ID_INTERACTIVE_MODE, 0);
        back.push_back(Now() - t1 - 200.0);   // less the fixed wait before the desktop returns
        Pump();
    }
    std::printf("  \"Whiteboard mode\" to the board painted: %6.1f ms median, %6.1f ms worst (goal: under 100 ms)\n",
                Median(show), Worst(show));
    std::printf("  back to the desktop, beyond the fixed 200 ms wait: %6.1f ms median, %6.1f ms worst\n",
                Median(back), Worst(back));

    ::SendMessageA(frameWnd, WM_SHOW_WHITEBOARD, 0, 0);
    Pump();
    int previous = 0;
    for (int strokes : {0, 1000, 10000}) {
        MeasureGestures(view, doc, strokes - previous, strokes);
        previous = strokes + 20;   // the measured gestures stay on the page
    }
    ::DestroyWindow(frameWnd);
    Pump();
    SetBoardSettings(nullptr);
    return 0;
}
