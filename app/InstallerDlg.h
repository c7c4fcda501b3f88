#pragma once
// The installer dialog holds every piece of state of a run: the host table (the rows
// of the host list with m_arrHostDirs, parallel by index), the chosen target, the
// other folder, the plug-in files, the log, the icon and the picture.
#include "app/InstallReport.h"
#include "app/UninstallLog.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "platform/FileSystem.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/HostCheckList.h"

#include <string>
#include <vector>

class CInstallerDlg : public CDialog {
public:
    enum { IDD = IDD_INSTALLER_DIALOG };

    // m_nTarget values.
    static constexpr int kTargetHosts = 0;
    static constexpr int kTargetOther = 1;
    explicit CInstallerDlg(CWnd* parent = nullptr);
    ~CInstallerDlg() override;

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Install, the default button (and Enter).
    void OnOK() override;
    // Cancel and the close box, ignored while an install runs.
    void OnCancel() override;

    // Host discovery: fills the host table from the registry and chooses the default
    // target.
    void DiscoverHosts();
    // folder: the host's plug-in folder as ANSI text that names it exactly, or empty
    // when the code page cannot hold its name; realFolder: its real name.
    void AddHost(const std::string& name, const std::string& folder, const WideString& realFolder);

    // Installation: gathers the plug-ins, copies them to every destination, logs
    // each destination, then ends the dialog.
    void CollectPluginFiles();
    void OnInstall();
    // prepared: what preparing the destination's folder gave (a FolderResult).
    void CopyPluginsTo(const std::string& destination, int prepared);

    // The controls, the picture and the system menu.
    void OnTargetChanged();
    void OnChooseFolder();
    void OnHostSelChange();
    void OnSysCommand(UINT id, LPARAM param);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Open only while an install runs; should an install ever be cut short, the file
    // is not left locked behind it.
    CUninstallLog m_hLog;
    CWnd m_wndPicture;
    CWnd m_wndHostPath;
    CHostCheckList m_lstHosts;
    // What screen readers read for "..." and for the other place's folder box.
    CAccessibleName m_nameBrowse;
    CAccessibleName m_nameOtherPath;
    int m_nTarget;
    std::string m_strOtherPath;
    // Wide: the plug-ins keep their real names, whatever the code page holds.
    std::vector<WideString> m_arrPluginFiles;
    std::vector<std::string> m_arrHostDirs;
    // Parallel too: each host's plug-in folder by its real name, for a folder whose
    // name m_arrHostDirs cannot hold.
    std::vector<WideString> m_arrHostRealDirs;
    std::string m_strPackageFolder;
    std::string m_strLogPath;
    HBITMAP m_hPicture = nullptr;
    int m_cyPicture = 0;
    int m_cxPicture = 0;
    HICON m_hIcon = nullptr;

private:
    void AddApplicationHosts(const char* listKey, const char* namePrefix);
    void AddJascHosts();
    void AddHostFolder(const std::string& name, const WideString& folder);
    void RefuseDestination(const WideString& destination, CInstallReport::Cause cause);

    // A copy that failed, kept to be tried again.
    struct FailedCopy {
        WideString source;
        WideString target;
        CopyResult result;
    };
    // A destination this install wrote into: whether the log holds its record, whether
    // plug-ins arrived there, and the copies still to do.
    struct WrittenDestination {
        // As the log records it, and as the report names it.
        std::string destination;
        WideString folder;
        DWORD recordError = ERROR_SUCCESS;
        bool holdsPlugIns = false;
        std::vector<FailedCopy> failed;
    };
    void TryCopy(WrittenDestination& written, const WideString& source, const WideString& target);
    // Tells what failed; while the user can clear some of it, offers to try it again.
    void TellWhatFailed();
    void RetryFailures();
    CInstallReport ReportNow() const;

    // Set while an install runs: a second press then does nothing.
    bool m_bInstalling = false;
    // What the install that runs refused to do (folders it may not write into), and the
    // destinations it wrote into: told when it ends.
    CInstallReport m_report;
    std::vector<WrittenDestination> m_written;
};
