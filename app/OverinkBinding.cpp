#include "app/OverinkBinding.h"

#include "framework/Module.h"

bool COverinkBinding::Load()
{
    if (!m_hOverink)
        m_hOverink.Reset(::LoadLibraryA("Overink.dll"));
    return IsLoaded();
}

void COverinkBinding::Unload()
{
    EndDraw();
    m_hOverink.Reset();
}

void COverinkBinding::StartDraw(DrawCallback callback, ToolSettingsRef* settings)
{
    if (auto fn = FwGetProc<StartDrawFn>(m_hOverink.Get(), "StartDraw"))
        fn(callback, settings);
}

int COverinkBinding::ShowDraw(int show)
{
    auto fn = FwGetProc<ShowDrawFn>(m_hOverink.Get(), "ShowDraw");
    return fn ? fn(show) : 0;
}

int COverinkBinding::EnableWnd(int enable)
{
    auto fn = FwGetProc<EnableWndFn>(m_hOverink.Get(), "EnableWnd");
    return fn ? fn(enable) : 0;
}

int COverinkBinding::DefaultDir()
{
    auto fn = FwGetProc<DefaultDirFn>(m_hOverink.Get(), "DefaultDir");
    return fn ? fn() : 0;
}

int COverinkBinding::DoForSleep(int sleep)
{
    auto fn = FwGetProc<DoForSleepFn>(m_hOverink.Get(), "DoForSleep");
    return fn ? fn(sleep) : 0;
}

void COverinkBinding::EndDraw()
{
    if (auto fn = FwGetProc<EndDrawFn>(m_hOverink.Get(), "EndDraw"))
        fn();
}
