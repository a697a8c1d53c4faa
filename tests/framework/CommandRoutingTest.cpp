// The single-document template and command routing: view, document, frame, application; state
// updates recorded by handlers and pushed to command bars at idle time.
#include "framework/App.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/Frame.h"
#include "framework/View.h"
#include "tests/framework/resource.h"
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::string g_lastHandler;

class TestApp : public CWinApp {
protected:
    bool HandleCommand(UINT id, CCmdUI* ui) override
    {
        static const CommandEntry<TestApp> commands[] = {
            {ID_APP_COMMAND, &TestApp::OnApp, nullptr},
            {ID_SHARED_COMMAND, &TestApp::OnApp, nullptr},
        };
        return DispatchCommand(this, commands, id, ui);
    }

private:
    void OnApp() { g_lastHandler = "app"; }
};

TestApp theApp;

class TestDoc : public CDocument {
public:
    int newCalls = 0;
    bool OnNewDocument() override
    {
        ++newCalls;
        return CDocument::OnNewDocument();
    }

protected:
    bool HandleCommand(UINT id, CCmdUI* ui) override
    {
        static const CommandEntry<TestDoc> commands[] = {
            {ID_DOC_COMMAND, &TestDoc::OnDoc, &TestDoc::OnUpdateDoc},
        };
        return DispatchCommand(this, commands, id, ui);
    }

private:
    void OnDoc() { g_lastHandler = "document"; }
    void OnUpdateDoc(CCmdUI& ui) { ui.SetCheck(1); }
};

class TestView : public CView {
public:
    int initialUpdates = 0;
    void OnInitialUpdate() override { ++initialUpdates; }

protected:
    void OnDraw(HDC) override {}
    bool HandleCommand(UINT id, CCmdUI* ui) override
    {
        static const CommandEntry<TestView> commands[] = {
            {ID_VIEW_COMMAND, &TestView::OnView, &TestView::OnUpdateView},
            {ID_SHARED_COMMAND, &TestView::OnView, nullptr},
        };
        return DispatchCommand(this, commands, id, ui);
    }

private:
    void OnView() { g_lastHandler = "view"; }
    void OnUpdateView(CCmdUI& ui) { ui.Enable(false); }
};

int g_framesDeleted = 0;

class TestFrame : public CFrameWnd {
public:
    ~TestFrame() override { ++g_framesDeleted; }

protected:
    bool HandleCommand(UINT id, CCmdUI* ui) override
    {
        static const CommandEntry<TestFrame> commands[] = {
            {ID_FRAME_COMMAND, &TestFrame::OnFrame, &TestFrame::OnUpdateFrame},
        };
        return DispatchCommand(this, commands, id, ui);
    }

private:
    void OnFrame() { g_lastHandler = "frame"; }
    void OnUpdateFrame(CCmdUI& ui) { ui.Show(false); }
};

// A command bar that records the states it was given.
class RecordingBar : public CCommandBar {
public:
    std::map<UINT, std::string> states;
    int updates = 0;

    void UpdateCommandStates(CCmdTarget& target) override
    {
        ++updates;
        for (UINT id : {ID_VIEW_COMMAND, ID_DOC_COMMAND, ID_FRAME_COMMAND, ID_APP_COMMAND,
                        ID_UNKNOWN_COMMAND}) {
            CCmdUI ui(id);
            target.OnCmdMsg(id, &ui);
            states[id] = std::string(ui.IsHandled() ? "handled" : "unhandled") +
                         (ui.IsEnabled() ? ",enabled" : ",disabled") +
                         (ui.GetCheck() ? ",checked" : "") + (ui.IsHidden() ? ",hidden" : "");
        }
    }
};

class DocViewFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.AddDocTemplate(CSingleDocTemplate::Make<TestDoc, TestFrame, TestView>(IDR_TESTFRAME));
        theApp.m_nCmdShow = SW_SHOWNA;
        ASSERT_TRUE(theApp.OnFileNew());
        frame = static_cast<TestFrame*>(theApp.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
    }

    void TearDown() override
    {
        if (theApp.m_pMainWnd)
            theApp.m_pMainWnd->DestroyWindow();
        MSG msg;
        ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        theApp.AddDocTemplate(nullptr);
    }

    TestFrame* frame = nullptr;
};

TEST_F(DocViewFixture, NewDocumentMakesDocumentFrameAndViewTogether)
{
    auto* doc = dynamic_cast<TestDoc*>(frame->GetActiveDocument());
    auto* view = dynamic_cast<TestView*>(frame->GetActiveView());
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(doc->newCalls, 1);
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(doc->GetView(), view);
    EXPECT_EQ(::GetParent(view->m_hWnd), frame->m_hWnd);
    EXPECT_EQ(frame->GetWindowText(), "Test Frame");
    EXPECT_TRUE(frame->IsWindowVisible());

    RECT client{}, viewRect{};
    ::GetClientRect(frame->m_hWnd, &client);
    ::GetClientRect(view->m_hWnd, &viewRect);
    EXPECT_EQ(viewRect.right, client.right);
    EXPECT_EQ(viewRect.bottom, client.bottom);
}

TEST_F(DocViewFixture, CommandsRouteViewDocumentFrameApplication)
{
    const std::pair<UINT, const char*> cases[] = {
        {ID_VIEW_COMMAND, "view"},     {ID_DOC_COMMAND, "document"},
        {ID_FRAME_COMMAND, "frame"},   {ID_APP_COMMAND, "app"},
        {ID_SHARED_COMMAND, "view"},   // the nearest target wins
    };
    for (const auto& [id, handler] : cases) {
        g_lastHandler.clear();
        ::SendMessageA(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        EXPECT_EQ(g_lastHandler, handler) << id;
    }
    g_lastHandler.clear();
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(ID_UNKNOWN_COMMAND, 0), 0);
    EXPECT_EQ(g_lastHandler, "");
}

TEST_F(DocViewFixture, IdleTimePushesRecordedStatesToCommandBars)
{
    RecordingBar bar;
    frame->AddCommandBar(&bar);
    theApp.OnIdle(0);
    EXPECT_EQ(bar.updates, 1);
    EXPECT_EQ(bar.states[ID_VIEW_COMMAND], "handled,disabled");
    EXPECT_EQ(bar.states[ID_DOC_COMMAND], "handled,enabled,checked");
    EXPECT_EQ(bar.states[ID_FRAME_COMMAND], "handled,enabled,hidden");
    EXPECT_EQ(bar.states[ID_APP_COMMAND], "handled,enabled");
    EXPECT_EQ(bar.states[ID_UNKNOWN_COMMAND], "unhandled,enabled");

    theApp.OnIdle(1);   // only the first idle call after activity updates
    EXPECT_EQ(bar.updates, 1);
    frame->RemoveCommandBar(&bar);
}

TEST_F(DocViewFixture, AcceleratorsOfTheFrameResourceBecomeCommands)
{
    ::SetForegroundWindow(frame->m_hWnd);
    g_lastHandler.clear();
    ::PostMessageA(frame->m_hWnd, WM_KEYDOWN, VK_F5, 0);
    test::PumpMessages(20);
    EXPECT_EQ(g_lastHandler, "frame");
}

TEST_F(DocViewFixture, MainFrameGoesWithItsWindowAndEndsTheLoop)
{
    int deletedBefore = g_framesDeleted;
    frame->DestroyWindow();
    EXPECT_EQ(g_framesDeleted, deletedBefore + 1);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(theApp.GetDocTemplate()->GetFrame(), nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
