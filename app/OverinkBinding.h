// The whiteboard's binding to the desktop annotation library. Every call looks its export up
// by name at the moment of the call, so a missing library or export just does nothing.
#pragma once

#include "framework/Handles.h"
#include "overink/OverinkApi.h"

class COverinkBinding {
public:
    // Loads "Overink.dll" by name (the program folder comes first in the search).
    bool Load();
    // EndDraw when present, then unloads the library.
    void Unload();
    bool IsLoaded() const { return static_cast<bool>(m_hOverink); }
    HMODULE Module() const { return m_hOverink.Get(); }

    void StartDraw(DrawCallback callback, ToolSettingsRef* settings);
    int ShowDraw(int show);
    int EnableWnd(int enable);
    int DefaultDir();
    int DoForSleep(int sleep);
    void EndDraw();

private:
    CModule m_hOverink;
};
