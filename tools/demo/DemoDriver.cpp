// The demo's hands on a display nobody watches: starts the installer lying in the
// folder given, waits for its dialog shown and painted, photographs it, presses
// Install (Enter) and answers any message box with OK, as a person would. Every wait
// is bounded, so the demo never hangs. Usage: demo_driver FOLDER
#include "framework/Text.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Screenshot.h"
#include "tests/support/WindowDriver.h"

#include <cstdio>
#include <exception>

namespace {
// A first run also waits for a freshly made Wine prefix to finish starting.
constexpr DWORD kPatience = 120000;

int Fail(const char* what) {
    std::fprintf(stderr, "demo: %s\n", what);
    return 1;
}

int Drive(const char* folder) {
    InstallerRun run(ToWide(folder), InstallerRun::Executable::InFolder);
    HWND dialog = run.WaitForDialog(kPatience);
    if (dialog == nullptr)
        return Fail("the installer's dialog did not appear within two minutes");
    if (!WaitUntilPainted(dialog, kPatience))
        return Fail("the installer's dialog was not painted within two minutes");
    std::printf("Screenshot: %s\n", SaveScreenshot(CaptureWindow(dialog), "demo-dialog").c_str());
    std::printf("Pressing Install (Enter) ...\n");
    PressKey(run.Control(IDOK), VK_RETURN);
    for (const std::string& text : run.AnswerEveryBox(kPatience))
        std::printf("The installer says:\n%s\n(answered OK)\n", text.c_str());
    const DWORD code = run.WaitForExit(0);
    if (code == STILL_ACTIVE)
        return Fail("the installer did not finish within two minutes");
    return code == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_driver FOLDER\n");
        return 2;
    }
    try {
        return Drive(argv[1]);
    } catch (const std::exception& error) {
        return Fail(error.what());
    }
}
