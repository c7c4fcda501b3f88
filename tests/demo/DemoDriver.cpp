// The demo's hands on a display nobody watches: starts the installer, waits for its
// dialog shown and painted, photographs it, presses Install (Enter) and answers any
// message box with OK, as a person would. Every wait is bounded, so the demo never
// hangs. Usage: demo_driver INSTALLER
#include "tests/support/InstallerRun.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WindowDriver.h"

#include <cstdio>
#include <string>

namespace {
// A first run also waits for a freshly made Wine prefix to finish starting.
constexpr DWORD kPatience = 120000;

int Fail(const PROCESS_INFORMATION& installer, const char* what) {
    std::fprintf(stderr, "demo: %s\n", what);
    ::TerminateProcess(installer.hProcess, 1);
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_driver INSTALLER\n");
        return 2;
    }
    std::string installer = argv[1];
    const std::string folder = installer.substr(0, installer.rfind('\\'));
    std::string commandLine = "\"" + installer + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(installer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "demo: cannot start %s\n", installer.c_str());
        return 1;
    }

    HWND dialog =
        WaitForTopWindow(process.dwProcessId, InstallerRun::kDialogCaption, "#32770", kPatience);
    if (dialog == nullptr)
        return Fail(process, "the installer's dialog did not appear within two minutes");
    if (!WaitUntilPainted(dialog, kPatience))
        return Fail(process, "the installer's dialog was not painted within two minutes");
    std::printf("Screenshot: %s\n", SaveScreenshot(CaptureWindow(dialog), "demo-dialog").c_str());

    std::printf("Pressing Install (Enter) ...\n");
    std::fflush(stdout);
    PressKey(::GetDlgItem(dialog, IDOK), VK_RETURN);
    HWND box = nullptr;
    while (WaitUntil(
               [&] {
                   box = FindTopWindow(process.dwProcessId, InstallerRun::kAppName, "#32770");
                   return box != nullptr ||
                          ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
               },
               kPatience) &&
           box != nullptr) {
        std::printf("The installer says:\n%s\n(answered OK)\n", MessageBoxText(box).c_str());
        AnswerMessageBox(box, IDOK);
        if (!WaitUntil([&] { return !::IsWindow(box); }, kPatience))
            return Fail(process, "the installer's message box did not close");
    }
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE)
        return Fail(process, "the installer did not finish within two minutes");
    return code == 0 ? 0 : 1;
}
