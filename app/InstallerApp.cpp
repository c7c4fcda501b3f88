#include "app/InstallerApp.h"

#include "app/InstallerDlg.h"
#include "framework/WinApp.h"
#include "platform/OwnedHandle.h"

#include <vector>

CInstallerApp theApp;

namespace {
const char kInstanceName[] = "QuillonDeploy.Installer";
const char kDialogCaption[] = INSTALLER_CAPTION;

// How long a copy that holds the name is given to show its dialog: one that has just
// started needs a moment, one that hangs would otherwise end every start in silence.
constexpr DWORD kDialogWaitMs = 3000;
constexpr DWORD kPollMs = 100;

// The file name in a path, or the empty text when there is no path.
WideString FileNameIn(const WideString& path) {
    WideString folder, name = path;
    SplitAtLastSeparator(path, folder, name);
    return name;
}

// The file name of a process's executable, or the empty text when it cannot be told.
// The copy that runs may lie in another package's folder: the folder says nothing.
WideString ExecutableNameOf(HANDLE process) {
    std::vector<wchar_t> path(32768);
    DWORD length = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process, 0, path.data(), &length) || length >= path.size())
        return WideString();
    return FileNameIn(WideString(path.data(), length));
}

bool RunsThisExecutable(HWND window, const WideString& ours) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const COwnedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process.Get() == nullptr)
        return false;
    const WideString theirs = ExecutableNameOf(process.Get());
    return !theirs.empty() &&
           ::CompareStringOrdinal(theirs.c_str(), static_cast<int>(theirs.size()), ours.c_str(),
                                  static_cast<int>(ours.size()), TRUE) == CSTR_EQUAL;
}

// The dialog of the copy that runs: the installer's caption on a window that can be
// seen, of a process that runs an executable of this one's name. Any other program may
// show a window of that caption (hidden, too), and the start would end in silence.
HWND FindRunningInstaller(const WideString& ours) {
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, MAKEINTATOM(32770), kDialogCaption)) !=
           nullptr)
        if (::IsWindowVisible(window) && RunsThisExecutable(window, ours))
            return window;
    return nullptr;
}

// The dialog of the copy that runs brought to the front. False when none appears in
// time.
bool BringRunningInstallerToFront() {
    const WideString ours = FileNameIn(AfxGetExecutablePath());
    if (ours.empty())
        return false;
    for (DWORD waited = 0;; waited += kPollMs) {
        if (HWND running = FindRunningInstaller(ours)) {
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

enum class InstanceName { Taken, HeldByACopy, Squatted };

// One installer at a time: a second one would find the uninstall log held by the
// first and lose its records. The name is held while the dialog runs: the object lives
// as long as a copy holds it.
InstanceName TakeInstanceName(COwnedHandle& instance) {
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, kInstanceName);
    const DWORD created = ::GetLastError();
    instance.Reset(mutex);
    // A copy running with administrator rights denies others its object; an object of
    // another type under the name means some program squats it. On any other failure
    // the installer runs without the guard.
    if (mutex != nullptr ? created == ERROR_ALREADY_EXISTS : created == ERROR_ACCESS_DENIED)
        return InstanceName::HeldByACopy;
    return mutex == nullptr && created == ERROR_INVALID_HANDLE ? InstanceName::Squatted
                                                               : InstanceName::Taken;
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
    COwnedHandle instance;
    InstanceName name = TakeInstanceName(instance);
    if (name == InstanceName::HeldByACopy) {
        if (BringRunningInstallerToFront())
            return FALSE;
        // The copy that held it may have ended while its window was looked for: its
        // object goes with the last handle, this one's.
        instance.Close();
        name = TakeInstanceName(instance);
    }
    if (name != InstanceName::Taken) {
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
