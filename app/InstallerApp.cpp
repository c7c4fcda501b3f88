#include "app/InstallerApp.h"

#include "app/InstallerDlg.h"
#include "framework/WinApp.h"
#include "platform/OwnedHandle.h"

CInstallerApp theApp;

namespace {
const char kInstanceName[] = "QuillonDeploy.Installer";
const char kDialogCaption[] = INSTALLER_CAPTION;

// How long a copy that holds the name is given to show its dialog: one that has just
// started needs a moment, one that hangs would otherwise end every start in silence.
constexpr DWORD kDialogWaitMs = 3000;
constexpr DWORD kPollMs = 100;

// The dialog of the copy that runs, of whatever process, brought to the front. False
// when none appears in time.
bool BringRunningInstallerToFront() {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (HWND running = ::FindWindowA(MAKEINTATOM(32770), kDialogCaption)) {
            // A message box or the folder chooser of that copy goes in front of its
            // dialog.
            HWND front = ::GetLastActivePopup(running);
            if (::IsIconic(running))
                ::ShowWindow(running, SW_RESTORE);
            ::SetForegroundWindow(front);
            return true;
        }
        if (waited >= kDialogWaitMs)
            return false;
        ::Sleep(kPollMs);
    }
}

void SayTheNameIsHeld() {
    AfxMessageBox("QuillonDeploy is already running, but its window does not appear.\n\n"
                  "Wait for it to finish, then start QuillonDeploy again. If it does not "
                  "finish, end QuillonDeploy in Task Manager or restart the computer, then "
                  "start QuillonDeploy again.",
                  MB_OK | MB_ICONEXCLAMATION);
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
    // One installer at a time: a second one would find the uninstall log held by the
    // first and lose its records. Held while the dialog runs: the object lives as long
    // as a copy holds it.
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, kInstanceName);
    const DWORD created = ::GetLastError();
    const COwnedHandle instance(mutex);
    // A copy running with administrator rights denies others its object; an object of
    // another type under the name means some program squats it.
    const bool held =
        mutex != nullptr ? created == ERROR_ALREADY_EXISTS : created == ERROR_ACCESS_DENIED;
    if (held || (mutex == nullptr && created == ERROR_INVALID_HANDLE)) {
        if (!held || !BringRunningInstallerToFront())
            SayTheNameIsHeld();
        return FALSE;
    }
    // The dialog controls get their 3-D look from the system for every program built
    // for Windows 4.0 or later, and the templates hold no OLE controls to contain.
    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
