#pragma once
// One run of the real QuillonDeploy.exe: copied into a folder of the test's (where the
// plug-ins lie beside it and its log goes), started, and ended when the test ends.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class InstallerRun {
public:
    static constexpr char kDialogCaption[] = "Quillon Tools deployment";
    static constexpr char kAppName[] = "QuillonDeploy";

    // Which installer runs: the one just built, copied into the folder first, or the
    // one already there (a signed copy, the demo's).
    enum class Executable { Built, InFolder };

    // Copies the built installer into folder and starts it there.
    explicit InstallerRun(const std::string& folder);
    // A folder whose name the code page may not hold.
    explicit InstallerRun(const WideString& folder, Executable executable = Executable::Built);
    ~InstallerRun();
    InstallerRun(const InstallerRun&) = delete;
    InstallerRun& operator=(const InstallerRun&) = delete;

    DWORD Pid() const { return m_process.dwProcessId; }
    // The main dialog once it is shown, or null.
    HWND WaitForDialog(DWORD timeoutMs = 30000);
    HWND Control(int id) const { return ::GetDlgItem(m_dialog, id); }
    // A click in the check column of a row of the host list.
    void ClickHostCheck(int row) const;
    // A click on the text of a row of the host list.
    void ClickHostRow(int row) const;

    // The process's exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 30000);

    // Answers every message box of the run with OK, as a person would, until the
    // program ends or no box comes within the time; the boxes' texts.
    std::vector<std::string> AnswerEveryBox(DWORD timeoutMs = 10000);

private:
    void Start(const WideString& folder, Executable executable);

    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

// What a person does in the dialog, ending with a press of Install.
using DialogUse = std::function<void(InstallerRun&)>;
void PressInstall(InstallerRun& run);
// Clicks the check box of a row of the host list, then presses Install.
DialogUse ClickHostCheckThenInstall(int row);

// What one whole run came to.
struct InstallOutcome {
    bool dialogShown = false;
    std::vector<std::string> boxes; // the texts of the boxes it showed, each answered with OK
    DWORD exitCode = STILL_ACTIVE;

    bool operator==(const InstallOutcome& other) const;
};
// A run whose dialog came up and that ended well after showing these boxes.
InstallOutcome EndedWell(std::vector<std::string> boxes = {});
// How a test's failure shows an outcome.
void PrintTo(const InstallOutcome& outcome, std::ostream* out);

// Starts the installer in folder, uses its dialog as use says (by default, presses
// Install), answers every box it shows and waits for it to end.
InstallOutcome RunInstall(const std::string& folder, const DialogUse& use = PressInstall);
InstallOutcome RunInstall(const WideString& folder, const DialogUse& use = PressInstall);
