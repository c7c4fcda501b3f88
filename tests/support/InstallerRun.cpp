#include "tests/support/InstallerRun.h"

#include "framework/Text.h"
#include "tests/support/Files.h"
#include "tests/support/WindowDriver.h"

#include <cstring>
#include <stdexcept>
#include <utility>

InstallerRun::InstallerRun(const std::string& folder) {
    Start(ToWide(folder), Executable::Built);
}

InstallerRun::InstallerRun(const WideString& folder, Executable executable) {
    Start(folder, executable);
}

void InstallerRun::Start(const WideString& folder, Executable executable) {
    const WideString exe = folder + L"\\QuillonDeploy.exe";
    if (executable == Executable::Built &&
        !::CopyFileW(ToWide(BuildFolder() + "\\QuillonDeploy.exe").c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("cannot copy the installer to its folder");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    WideString commandLine = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &m_process))
        throw std::runtime_error("cannot start the installer");
}

InstallerRun::~InstallerRun() {
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

HWND InstallerRun::WaitForDialog(DWORD timeoutMs) {
    m_dialog = WaitForTopWindow(Pid(), kDialogCaption, "#32770", timeoutMs);
    return m_dialog;
}

namespace {
int RowMiddle(HWND list, int row) {
    const auto height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    return (row - top) * height + height / 2;
}
} // namespace

void InstallerRun::ClickHostCheck(int row) const {
    HWND list = Control(1000);
    ClickAt(list, 6, RowMiddle(list, row));
}

void InstallerRun::ClickHostRow(int row) const {
    HWND list = Control(1000);
    ClickAt(list, 60, RowMiddle(list, row));
}

DWORD InstallerRun::WaitForExit(DWORD timeoutMs) {
    ::WaitForSingleObject(m_process.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

std::vector<std::string> InstallerRun::AnswerEveryBox(DWORD timeoutMs) {
    std::vector<std::string> texts;
    HWND box = nullptr;
    while (WaitUntil(
               [&] {
                   box = FindTopWindow(Pid(), kAppName, "#32770");
                   return box != nullptr || WaitForExit(0) != STILL_ACTIVE;
               },
               timeoutMs) &&
           box != nullptr) {
        texts.push_back(MessageBoxText(box));
        AnswerMessageBox(box, IDOK);
        if (!WaitUntil([&] { return !::IsWindow(box); }, timeoutMs))
            break;
    }
    return texts;
}

void PressInstall(InstallerRun& run) {
    Click(run.Control(IDOK));
}

DialogUse ClickHostCheckThenInstall(int row) {
    return [row](InstallerRun& run) {
        run.ClickHostCheck(row);
        PressInstall(run);
    };
}

bool InstallOutcome::operator==(const InstallOutcome& other) const {
    return dialogShown == other.dialogShown && boxes == other.boxes && exitCode == other.exitCode;
}

InstallOutcome EndedWell(std::vector<std::string> boxes) {
    InstallOutcome outcome;
    outcome.dialogShown = true;
    outcome.boxes = std::move(boxes);
    outcome.exitCode = 0;
    return outcome;
}

void PrintTo(const InstallOutcome& outcome, std::ostream* out) {
    *out << (outcome.dialogShown ? "dialog shown" : "no dialog") << ", exit code "
         << outcome.exitCode << ", " << outcome.boxes.size() << " boxes";
    for (const std::string& box : outcome.boxes)
        *out << "\n  box: " << box;
}

InstallOutcome RunInstall(const std::string& folder, const DialogUse& use) {
    return RunInstall(ToWide(folder), use);
}

InstallOutcome RunInstall(const WideString& folder, const DialogUse& use) {
    InstallerRun run(folder);
    InstallOutcome outcome;
    outcome.dialogShown = run.WaitForDialog() != nullptr;
    if (outcome.dialogShown) {
        use(run);
        outcome.boxes = run.AnswerEveryBox();
    }
    // A run whose dialog never came is ended at once.
    outcome.exitCode = run.WaitForExit(outcome.dialogShown ? 30000 : 0);
    return outcome;
}
