#pragma once
// Resource identifiers, shared by the resource script and the code.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_INSTALLER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_PICTURE 129

// The installer dialog's caption, by which a second copy finds the one running.
#define INSTALLER_CAPTION "Quillon Tools deployment"

#define IDC_HOST_LIST 1000
#define IDC_TARGET_HOSTS 1001
#define IDC_TARGET_OTHER 1002
#define IDC_OTHER_PATH 1003
#define IDC_BROWSE 1004
#define IDC_HOST_PATH 1006
#define IDC_PICTURE 1007

// The system-menu entry that opens the About box.
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
