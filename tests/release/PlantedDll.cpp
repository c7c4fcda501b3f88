// A stand-in for a DLL that an attacker plants beside the installer under a name that
// Windows programs load at run time. Loaded, it leaves a mark beside itself
// (uxtheme.dll.loaded), so a test sees it was taken without reading the process.
#include <windows.h>

#include <cstring>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char mark[MAX_PATH + 8] = "";
        const DWORD length = ::GetModuleFileNameA(self, mark, MAX_PATH);
        std::strcpy(mark + length, ".loaded");
        HANDLE file = ::CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
    }
    return TRUE;
}
