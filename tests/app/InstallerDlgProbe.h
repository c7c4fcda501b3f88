#pragma once
// The real installer dialog, run in the test's own process on the real template. It
// notes what the dialog holds and shows once initialised, then ends itself.
#include "app/InstallerDlg.h"

#include "tests/support/UserThread.h"
#include "tests/support/WindowDriver.h"

#include <atomic>
#include <string>
#include <vector>

struct InstallerSnapshot {
    std::vector<std::string> rows;
    std::vector<int> checks;
    std::vector<std::string> hostDirs;
    int target = -2;
    std::string hostPath;
    int selection = -2;
    bool hostsRadio = false;
    bool otherRadio = false;
    bool listEnabled = false;
    bool editEnabled = false;
    bool browseEnabled = false;
    bool chooserOpened = false;
};

// The real dialog that looks at itself once initialised and then ends.
class InstallerInitProbe : public CInstallerDlg {
protected:
    virtual void Inspect() = 0;

    BOOL OnInitDialog() override {
        const BOOL result = CInstallerDlg::OnInitDialog();
        Inspect();
        ::PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return result;
    }
};

class InstallerDlgProbe : public InstallerInitProbe {
public:
    InstallerSnapshot seen;

protected:
    void Inspect() override {
        for (int row = 0; row < m_lstHosts.GetCount(); ++row) {
            seen.rows.push_back(m_lstHosts.GetText(row));
            seen.checks.push_back(m_lstHosts.GetCheck(row));
        }
        seen.hostDirs = m_arrHostDirs;
        seen.target = m_nTarget;
        seen.hostPath = WindowText(m_wndHostPath.m_hWnd);
        seen.selection = m_lstHosts.GetCurSel();
        seen.hostsRadio = IsChecked(GetDlgItem(IDC_TARGET_HOSTS));
        seen.otherRadio = IsChecked(GetDlgItem(IDC_TARGET_OTHER));
        seen.listEnabled = m_lstHosts.IsWindowEnabled();
        seen.editEnabled = ::IsWindowEnabled(GetDlgItem(IDC_OTHER_PATH)) != 0;
        seen.browseEnabled = ::IsWindowEnabled(GetDlgItem(IDC_BROWSE)) != 0;
    }
};

// Runs the dialog; a folder chooser that opens while it starts is noted and cancelled,
// as a person would who has no folder to pick.
inline InstallerSnapshot RunInstallerDialog() {
    InstallerDlgProbe dialog;
    std::atomic<bool> done{false};
    std::atomic<bool> chooserOpened{false};
    UserThread user([&] {
        while (!done) {
            HWND chooser = FindTopWindow(::GetCurrentProcessId(), "Select Directory", "#32770");
            if (chooser != nullptr) {
                chooserOpened = true;
                ::PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
                WaitUntil([&] { return !::IsWindow(chooser); });
            }
            ::Sleep(20);
        }
    });
    dialog.DoModal();
    done = true;
    user.join();
    dialog.seen.chooserOpened = chooserOpened;
    return dialog.seen;
}
