#include "app/ToolLibraries.h"

#include "framework/Module.h"

int CToolLibraries::LoadToolLibraries()
{
    m_hColor.Reset(::LoadLibraryA("color.dll"));
    m_hUmbrata.Reset(::LoadLibraryA("Umbrata.dll"));
    m_hBeamora.Reset(::LoadLibraryA("Beamora.dll"));

    int result = 0;
    if (m_hUmbrata) {
        m_pfnStartUmbrata = FwGetProc<StartToolFn>(m_hUmbrata.Get(), "StartUmbrata");
        m_pfnShowUmbrata = FwGetProc<ShowToolFn>(m_hUmbrata.Get(), "ShowUmbrata");
        result = 1;
    }
    if (m_hBeamora) {
        m_pfnStartBeamora = FwGetProc<StartToolFn>(m_hBeamora.Get(), "StartBeamora");
        m_pfnShowBeamora = FwGetProc<ShowToolFn>(m_hBeamora.Get(), "ShowBeamora");
    } else {
        result = 0;
    }
    if (!m_hColor)
        return 0;
    m_pfnShowColor = FwGetProc<ShowColorFn>(m_hColor.Get(), "ShowColor");
    m_pfnCloseSheet = FwGetProc<VoidFn>(m_hColor.Get(), "CloseSheet");
    m_pfnUpdataPenSet = FwGetProc<VoidFn>(m_hColor.Get(), "UpdataPenSet");
    return result;
}

void CToolLibraries::UnloadToolLibraries()
{
    m_hColor.Reset();
    m_hUmbrata.Reset();
    m_hBeamora.Reset();
    m_pfnStartBeamora = nullptr;
    m_pfnStartUmbrata = nullptr;
    m_pfnShowBeamora = nullptr;
    m_pfnShowUmbrata = nullptr;
    m_pfnShowColor = nullptr;
    m_pfnCloseSheet = nullptr;
    m_pfnUpdataPenSet = nullptr;
}

void CToolLibraries::StartBeamora(CWnd* frame)
{
    if (m_pfnStartBeamora)
        m_pfnStartBeamora(frame);
}

void CToolLibraries::StartUmbrata(CWnd* frame)
{
    if (m_pfnStartUmbrata)
        m_pfnStartUmbrata(frame);
}

int CToolLibraries::ShowBeamora(int show)
{
    return m_pfnShowBeamora ? m_pfnShowBeamora(show) : 0;
}

int CToolLibraries::ShowUmbrata(int show)
{
    return m_pfnShowUmbrata ? m_pfnShowUmbrata(show) : 0;
}

int CToolLibraries::ShowColor(CWnd* frame, ToolSettingsRef* settings)
{
    return m_pfnShowColor ? m_pfnShowColor(frame, settings) : 0;
}

void CToolLibraries::CloseSheet()
{
    if (m_pfnCloseSheet)
        m_pfnCloseSheet();
}

void CToolLibraries::UpdataPenSet()
{
    if (m_pfnUpdataPenSet)
        m_pfnUpdataPenSet();
}
