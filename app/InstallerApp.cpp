#include "app/InstallerApp.h"

#include "app/InstallerDlg.h"
#include "platform/OwnedHandle.h"

CInstallerApp theApp;

namespace {
const char kInstanceName[] = "QuillonDeploy.Installer";
const char kDialogCaption[] = "Quillon Tools deployment";

// One installer at a time: a second one would find the uninstall log held by the first
// and lose its records. True when another copy runs; it is brought to the front.
bool AnotherInstallerRuns(HANDLE instance) {
    // A copy running with administrator rights denies others its object.
    if (instance != nullptr ? ::GetLastError() != ERROR_ALREADY_EXISTS
                            : ::GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    if (HWND running = ::FindWindowA(MAKEINTATOM(32770), kDialogCaption)) {
        // A message box or the folder chooser of that copy goes in front of its dialog.
        HWND front = ::GetLastActivePopup(running);
        if (::IsIconic(running))
            ::ShowWindow(running, SW_RESTORE);
        ::SetForegroundWindow(front);
    }
    return true;
}
} // namespace

const MessageMap& CInstallerApp::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        MapCommand<0, ID_HELP, &CInstallerApp::OnHelp>(),
    };
    static const MessageMap map(&CWinApp::GetMessageMap(), entries);
    return map;
}

BOOL CInstallerApp::InitInstance() {
    // A host folder on an empty removable drive must not stop the installer with the
    // system's "no disk" box; it is a folder that cannot be used like any other.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Held while the dialog runs: the object lives as long as a copy holds it.
    const COwnedHandle instance(::CreateMutexA(nullptr, FALSE, kInstanceName));
    if (AnotherInstallerRuns(instance.Get()))
        return FALSE;
    // The dialog controls get their 3-D look from the system for every program built
    // for Windows 4.0 or later, and the templates hold no OLE controls to contain.
    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
