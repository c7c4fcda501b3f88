#include "app/InstallerApp.h"

#include "app/InstallerDlg.h"

CInstallerApp theApp;

BOOL CInstallerApp::InitInstance() {
    // The dialog controls get their 3-D look from the system for every program built
    // for Windows 4.0 or later, and the templates hold no OLE controls to contain.
    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
