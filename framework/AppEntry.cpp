// The program's entry: everything happens in the application object's InitInstance.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance())
        return 0;
    return app->Run();
}
