// The screen shade library.
// Until it has exports, the callers find nothing to call and leave the feature out.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(instance);
    return TRUE;
}
