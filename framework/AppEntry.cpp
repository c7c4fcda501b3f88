// The program's entry: everything happens in the application object's InitInstance.
#include "framework/WinApp.h"

namespace {
// A program started from a Downloads folder must not pick up a DLL planted beside it:
// every DLL loaded at run time comes from the system folder only. The call is looked
// up, since Windows 7 has it only with an update; without it, the current directory
// is at least taken out of the search.
void RestrictDllSearch() {
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (proc == nullptr || !reinterpret_cast<SetDefaultDllDirectoriesFn>(
                               reinterpret_cast<void*>(proc))(kSearchSystem32))
        ::SetDllDirectoryA("");
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The process-wide policies, before anything is loaded or opened.
    RestrictDllSearch();
    // A folder on an empty removable drive must not stop the program with the system's
    // "no disk" box; it is a folder that cannot be used like any other.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    // No message loop of the application's own: its dialogs run their own.
    app->InitInstance();
    return 0;
}
