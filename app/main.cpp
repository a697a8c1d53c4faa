// The whiteboard program.
#include "app/EboardApp.h"

namespace {
CEboardApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    return FwRunApplication(showCommand);
}
