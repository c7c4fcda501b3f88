#pragma once
// The About box, opened from an entry at the end of the main dialog's system menu.
#include "framework/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };
    CAboutDlg() : CDialog(IDD) {}
};

// Appends a separator and the About entry (command IDM_ABOUTBOX) to the window's
// system menu; adds nothing when the window has no system menu or the text is missing.
void AddAboutEntry(HWND window);
