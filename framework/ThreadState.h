// State of this module's copy of the framework on the user-interface thread. Everything runs on
// one thread, so this is plain module-wide data.
//
// Pre-translation. There is only one message loop, the host program's. So that every module's
// windows still get PreTranslateMessage (keyboard navigation of modeless dialogs, tooltips,
// accelerators) without the host knowing about them, each module hooks message retrieval on the
// thread (WH_GETMESSAGE) while it has windows, and offers each message to its own windows.
#pragma once

#include "framework/Handles.h"

class CWnd;

struct FwThreadStateData {
    CWnd* m_pWndInit = nullptr;     // object waiting for its window in the creation hook
    int m_nBoundWindows = 0;
    CHookHandle m_messageHook;

    void OnWindowBound();
    void OnWindowUnbound();
};

FwThreadStateData& FwThreadState();

// Offers a retrieved message to the objects of its window and that window's ancestors, nearest
// first; true when one of them consumed it.
bool FwPreTranslateMessage(MSG* msg);

// Installs the creation hook for the lifetime of the scope; the next window created on this
// thread is bound to the given object.
class CWndCreationScope {
public:
    explicit CWndCreationScope(CWnd* wnd);
    ~CWndCreationScope();
    CWndCreationScope(const CWndCreationScope&) = delete;
    CWndCreationScope& operator=(const CWndCreationScope&) = delete;

private:
    CWnd* m_pPrevious;
    CHookHandle m_hook;
};
