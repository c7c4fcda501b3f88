// A stand-in for a DLL that an attacker plants beside the installer under a name that
// Windows programs load at run time. It does nothing: the tests only look at where
// the loader took the name from.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
