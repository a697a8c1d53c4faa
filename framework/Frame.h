// The frame window of the single-document template: holds the view, routes commands
// (view, document, frame, application) and, at idle time, pushes command states to its bars.
#pragma once

#include "framework/Wnd.h"

#include <functional>
#include <vector>

class CDocument;
class CView;

// Something that shows commands (a toolbar) and wants their states at idle time.
class CCommandBar {
public:
    virtual ~CCommandBar() = default;
    // Asks the target for the state of each of its commands and shows them.
    virtual void UpdateCommandStates(CCmdTarget& target) = 0;
};

// What the template hands the frame at creation: the document and how to make its view.
struct CCreateContext {
    CDocument* m_pDocument = nullptr;
    std::function<CView*()> m_newView;
};

class CFrameWnd : public CWnd {
public:
    ~CFrameWnd() override;

    // Creates the frame with title, icon and accelerators of the given resource id. On failure
    // the object is left to the caller; once created, it deletes itself with its window.
    bool LoadFrame(UINT resourceId, DWORD style, CCreateContext* context);

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;

    // Initial update of the view; shows the frame with the application's show command when
    // makeVisible is set.
    void InitialUpdateFrame(bool makeVisible);
    void RecalcLayout();

    void AddCommandBar(CCommandBar* bar) { m_commandBars.push_back(bar); }
    void RemoveCommandBar(CCommandBar* bar);
    // Pushes the current command states to every command bar.
    void OnIdleUpdateCmdUI();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* msg) override;
    // View (and through it the document), then the frame itself, then the application.
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    virtual void PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; }
    // The framework's creation: default processing, then the view. -1 fails creation.
    virtual int OnCreate(CREATESTRUCTA* cs);
    // Default close: destroys the frame (the main frame's destruction ends the program).
    virtual void OnClose();
    // Deletes the frame object: frames are always created with new and die with their window.
    void PostNcDestroy() override;

private:
    CView* m_pView = nullptr;
    HACCEL m_hAccelTable = nullptr;   // resource: freed with the module
    std::vector<CCommandBar*> m_commandBars;
    bool m_bCreated = false;
};
