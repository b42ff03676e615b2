// The entry of a program on the framework: its own state becomes the process's, then the
// application object runs.
#include "ModuleState.h"
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    AfxSetProcessModuleState(AfxGetStaticModuleState());
    return AfxWinMain(instance, commandLine, show);
}
