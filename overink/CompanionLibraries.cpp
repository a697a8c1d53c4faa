#include "overink/CompanionLibraries.h"

#include "framework/Module.h"

namespace {

// The window objects are passed as plain pointers; the libraries read only the handle.
typedef int (__cdecl* ShowColorFn)(CWnd* window, ToolSettingsRef* settings);
typedef void (__cdecl* VoidFn)();
typedef void (__cdecl* StartToolFn)(CWnd* parent);
typedef int (__cdecl* ShowToolFn)(int show);

void CallVoid(const CModule& module, const char* name)
{
    if (auto fn = FwGetProc<VoidFn>(module.Get(), name))
        fn();
}

} // namespace

void CCompanionLibraries::Load()
{
    m_hColorLib.Reset(::LoadLibraryA("color.dll"));
    m_hHookLib.Reset(::LoadLibraryA("Ptrgrip.dll"));
    m_hShadeLib.Reset(::LoadLibraryA("Umbrata.dll"));
    m_hLightLib.Reset(::LoadLibraryA("Beamora.dll"));
}

void CCompanionLibraries::Free()
{
    m_hColorLib.Reset();
    m_hHookLib.Reset();
    m_hShadeLib.Reset();
    m_hLightLib.Reset();
}

void CCompanionLibraries::ShowColor(CWnd* overlay, ToolSettingsRef* settings)
{
    if (auto fn = FwGetProc<ShowColorFn>(m_hColorLib.Get(), "ShowColor"))
        fn(overlay, settings);
}

void CCompanionLibraries::CloseSheet()
{
    CallVoid(m_hColorLib, "CloseSheet");
}

void CCompanionLibraries::UpdataPenSet()
{
    CallVoid(m_hColorLib, "UpdataPenSet");
}

void CCompanionLibraries::StartHookR()
{
    CallVoid(m_hHookLib, "StartHookR");
}

void CCompanionLibraries::StartUmbrata(CWnd* palette)
{
    if (auto fn = FwGetProc<StartToolFn>(m_hShadeLib.Get(), "StartUmbrata"))
        fn(palette);
}

void CCompanionLibraries::ShowUmbrata(int show)
{
    if (auto fn = FwGetProc<ShowToolFn>(m_hShadeLib.Get(), "ShowUmbrata"))
        fn(show);
}

void CCompanionLibraries::StartBeamora(CWnd* palette)
{
    if (auto fn = FwGetProc<StartToolFn>(m_hLightLib.Get(), "StartBeamora"))
        fn(palette);
}

void CCompanionLibraries::ShowBeamora(int show)
{
    if (auto fn = FwGetProc<ShowToolFn>(m_hLightLib.Get(), "ShowBeamora"))
        fn(show);
}
