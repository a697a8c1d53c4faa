// The whiteboard's binding to the shade, the spotlight and the colour library: loaded by name
// when the frame is created, unloaded when it is destroyed. Every call does nothing when its
// library or export is missing.
#pragma once

#include "framework/Handles.h"

class CWnd;
struct ToolSettingsRef;

class CToolLibraries {
public:
    typedef void (__cdecl* StartToolFn)(CWnd* parent);
    typedef int (__cdecl* ShowToolFn)(int show);
    typedef int (__cdecl* ShowColorFn)(CWnd* window, ToolSettingsRef* settings);
    typedef void (__cdecl* VoidFn)();

    // Loads "color.dll", "Umbrata.dll" and "Beamora.dll" and takes their entry points. 1 when all
    // three loaded, else 0.
    int LoadToolLibraries();
    // Frees colour, Umbrata, Beamora in this order and forgets every entry point.
    void UnloadToolLibraries();

    void StartBeamora(CWnd* frame);
    void StartUmbrata(CWnd* frame);
    int ShowBeamora(int show);
    int ShowUmbrata(int show);
    int ShowColor(CWnd* frame, ToolSettingsRef* settings);
    void CloseSheet();
    void UpdataPenSet();

private:
    CModule m_hUmbrata;
    CModule m_hBeamora;
    CModule m_hColor;
    StartToolFn m_pfnStartBeamora = nullptr;
    StartToolFn m_pfnStartUmbrata = nullptr;
    ShowToolFn m_pfnShowBeamora = nullptr;
    ShowToolFn m_pfnShowUmbrata = nullptr;
    ShowColorFn m_pfnShowColor = nullptr;
    VoidFn m_pfnCloseSheet = nullptr;
    VoidFn m_pfnUpdataPenSet = nullptr;
};
