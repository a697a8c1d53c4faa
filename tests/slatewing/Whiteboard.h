// The whiteboard as start-up builds it, in-process: the application object with its record,
// the template's document, frame and view. No desktop library is loaded.
#pragma once

#include "app/EboardApp.h"
#include "app/MainFrame.h"
#include "app/resource.h"
#include "board/BoardContext.h"
#include "board/BoardDoc.h"
#include "framework/DocTemplate.h"
#include "tests/support/WineTest.h"
#include "view/BoardView.h"

#include <gtest/gtest.h>

namespace whiteboard_test {

class Whiteboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.Settings().FillToolDefaults());
        // The view draws only on the whiteboard surface's tools.
        app.Settings().Record()->surface = SURFACE_BOARD;
        SetBoardSettings(&app.Settings());
        app.AddDocTemplate(CSingleDocTemplate::Make<CBoardDoc, CMainFrame, CBoardView>(IDR_MAINFRAME));
        app.m_nCmdShow = SW_HIDE;
        ASSERT_TRUE(app.OnFileNew());
        ASSERT_NE(g_pMainFrame, nullptr);
        frame = g_pMainFrame;
        frameWnd = frame->m_hWnd;
        view = frame->GetBoardView();
        doc = frame->GetBoardDoc();
        ASSERT_NE(view, nullptr);
        ASSERT_NE(doc, nullptr);
    }

    void TearDown() override
    {
        if (::IsWindow(frameWnd))
            ::DestroyWindow(frameWnd);
        test::PumpMessages();
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        SetBoardSettings(nullptr);
    }

    ToolSettings& Record() { return *app.Settings().Record(); }
    HWND ViewWnd() const { return view->m_hWnd; }

    // A left-button gesture sent to the view as the pen would make it.
    void Stroke(std::initializer_list<POINT> points)
    {
        auto it = points.begin();
        ::SendMessageA(ViewWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(it->x, it->y));
        POINT last = *it;
        for (++it; it != points.end(); ++it) {
            ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(it->x, it->y));
            last = *it;
        }
        ::SendMessageA(ViewWnd(), WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
    }

    // The state a toolbar would show for a command.
    CCmdUI StateOf(UINT id)
    {
        CCmdUI ui(id);
        frame->OnCmdMsg(id, &ui);
        return ui;
    }
    void Command(UINT id) { ::SendMessageA(frameWnd, WM_COMMAND, id, 0); }

    CEboardApp app;
    CMainFrame* frame = nullptr;
    HWND frameWnd = nullptr;
    CBoardView* view = nullptr;
    CBoardDoc* doc = nullptr;
};

} // namespace whiteboard_test
