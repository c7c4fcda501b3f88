#include "ui/AboutDlg.h"

#include "framework/WinApp.h"

void AddAboutEntry(HWND window) {
    HMENU menu = ::GetSystemMenu(window, FALSE);
    if (menu == nullptr)
        return;
    char text[256] = "";
    if (::LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, text, sizeof(text)) <= 0)
        return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}
