// The library's application object: nothing to do at initialisation; the windows are made by
// StartDraw.
#include "framework/App.h"

namespace {

class COverinkApp : public CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
};

COverinkApp theApp;

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(instance);
    return FwLibraryMain(reason);
}
