// The libraries the overlay loads beside itself: the colour sheet, the pointer library, the
// screen shade and the spotlight. Each call looks its function up by name when it is made; a
// missing library or function makes the call do nothing.
#pragma once

#include "framework/Handles.h"

class CWnd;
struct ToolSettingsRef;

class CCompanionLibraries {
public:
    // Loads "color.dll", "Ptrgrip.dll", "Umbrata.dll" and "Beamora.dll", in this order.
    void Load();
    // Frees them in the same order.
    void Free();

    void ShowColor(CWnd* overlay, ToolSettingsRef* settings);
    void CloseSheet();
    void UpdataPenSet();
    void StartHookR();
    void StartUmbrata(CWnd* palette);
    void ShowUmbrata(int show);
    void StartBeamora(CWnd* palette);
    void ShowBeamora(int show);

private:
    CModule m_hColorLib;
    CModule m_hHookLib;
    CModule m_hShadeLib;
    CModule m_hLightLib;
};
