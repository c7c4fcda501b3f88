// A real DLL, copied into a host's plug-in folder under a plug-in's name and loaded
// there, as a running image editor loads the plug-ins it finds.
#include <windows.h>

extern "C" __declspec(dllexport) int PlugInEntry() {
    return 1;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
