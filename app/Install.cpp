// Installation: the plug-ins lying beside the executable are copied into the
// QuillonTools sub-folder of every destination, and each destination is appended to
// the uninstall log beside the executable.
#include "app/InstallerDlg.h"

#include "folders/Destination.h"
#include "folders/FolderRules.h"
#include "framework/FileFind.h"
#include "framework/Text.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryFile.h"

namespace {
const char kLogName[] = "\\puninst.log";
const wchar_t kPluginPattern[] = L"\\*.8bf";

// The plug-in's copy in the folder: the folder, a separator and the plug-in's name;
// empty for a path with no name.
WideString TargetIn(const WideString& folder, const WideString& plugIn) {
    WideString packageFolder, name;
    if (!SplitAtLastSeparator(plugIn, packageFolder, name) || name.empty())
        return WideString();
    return folder + L"\\" + name;
}
} // namespace

void CInstallerDlg::OnOK() {
    // A press queued while an install shows a message box would run a second install
    // inside the first.
    if (m_bInstalling)
        return;
    // Reset on every way out, an exception too: otherwise Install, Cancel and the
    // close box would be ignored for the rest of the run.
    // The log is let go on every way out as well, so that no install leaves it locked.
    struct Installing {
        bool& flag;
        CUninstallLog& log;
        Installing(bool& installing, CUninstallLog& uninstallLog)
            : flag(installing), log(uninstallLog) {
            flag = true;
        }
        ~Installing() {
            log.Close();
            flag = false;
        }
    } installing(m_bInstalling, m_hLog);
    OnInstall();
}

void CInstallerDlg::OnCancel() {
    if (!m_bInstalling)
        CDialog::OnCancel();
}

void CInstallerDlg::CollectPluginFiles() {
    // Gathered afresh at every press of Install, so a second press after the
    // empty-folder stop copies each plug-in once.
    m_arrPluginFiles.clear();
    std::string folder;
    if (!GetExecutableFolder(folder)) {
        m_strLogPath.clear();
        return;
    }
    m_strPackageFolder = folder;
    m_strLogPath = folder + kLogName;
    // Listed by their real names: the ANSI listing would give a name the code page
    // cannot hold as a look-alike, which is another file or none.
    CFileFind finder;
    for (bool more = finder.FindFile(ToWide(folder) + kPluginPattern); more;) {
        more = finder.FindNextFile();
        const WideString name = finder.GetFileName();
        if (!name.empty() && !finder.IsDots() && !finder.IsDirectory())
            m_arrPluginFiles.push_back(finder.GetFilePath());
    }
}

void CInstallerDlg::OnInstall() {
    CollectPluginFiles();
    if (m_strLogPath.empty()) {
        // The folder's name reaches this program only with characters substituted: the
        // plug-ins and the log would be looked for in another folder, or in none.
        AfxMessageBox("QuillonDeploy cannot work in its folder: the folder's name has "
                      "characters that this system's code page cannot hold.\n\nMove the "
                      "Quillon Tools folder to a folder such as C:\\Quillon Tools and start "
                      "QuillonDeploy there.",
                      MB_OK | MB_ICONEXCLAMATION);
        CDialog::OnOK();
        return;
    }
    if (m_arrPluginFiles.empty()) {
        AfxMessageBox("Error: There are no files to copy!\nThis may be a bad installation",
                      MB_OK | MB_ICONEXCLAMATION);
        CDialog::OnOK();
        return;
    }

    m_report = CInstallReport();
    m_written.clear();
    m_hLog.Open(m_strLogPath);
    if (m_hLog.IsRefused())
        m_report.SetLogRefused();
    UpdateData(true);

    if (m_nTarget == kTargetHosts) {
        for (int row = 0;
             row < m_lstHosts.GetCount() && static_cast<size_t>(row) < m_arrHostDirs.size();
             ++row) {
            if (m_lstHosts.GetCheck(row) != 1)
                continue;
            const std::string& folder = m_arrHostDirs[static_cast<size_t>(row)];
            if (folder.empty()) {
                // Named outside the code page: the ANSI calls would reach a look-alike.
                RefuseDestination(DestinationIn(m_arrHostRealDirs[static_cast<size_t>(row)]),
                                  CInstallReport::kNameNotHeld);
                continue;
            }
            // The host's plug-in folder is made if missing, then its destination; each
            // folder message is shown in that order.
            PrepareFolder(folder);
            const std::string destination = DestinationIn(folder);
            CopyPluginsTo(destination, PrepareFolder(destination));
        }
    } else {
        if (m_strOtherPath.empty()) {
            AfxMessageBox("The output path is empty", MB_OK | MB_ICONEXCLAMATION);
            m_hLog.Close();
            return;
        }
        const std::string destination = DestinationIn(m_strOtherPath);
        CopyPluginsTo(destination, PrepareFolder(destination));
    }
    // Not held while the user reads the closing box.
    m_hLog.Close();
    TellWhatFailed();
    CDialog::OnOK();
}

void CInstallerDlg::CopyPluginsTo(const std::string& destination, int prepared) {
    // An uninstaller removes what a record names: only a real folder, checked as the
    // copies start, gets the plug-ins and its record. A path the folder rules refused
    // (a line break in it included) may still reach a folder on disk under another
    // spelling; it gets nothing.
    const FolderKind kind =
        prepared == kFolderReady ? KindOfFolder(destination) : FolderKind::Missing;
    // The plug-ins are named as they are on disk: their targets are wide text.
    const WideString folder = ToWide(destination);
    if (kind != FolderKind::RealFolder) {
        RefuseDestination(folder, kind == FolderKind::InTheWay ? CInstallReport::kInTheWay
                                                               : CInstallReport::kBadFolder);
        return;
    }
    if (IsSameFolder(destination, m_strPackageFolder)) {
        RefuseDestination(folder, CInstallReport::kPackageFolder);
        return;
    }
    WrittenDestination written;
    written.destination = destination;
    written.folder = folder;
    written.recordError = m_hLog.Append(destination) ? ERROR_SUCCESS : m_hLog.Error();
    RemoveStaleTemporaryFiles(folder);
    for (const WideString& file : m_arrPluginFiles) {
        const WideString target = TargetIn(folder, file);
        if (!target.empty())
            TryCopy(written, file, target);
    }
    m_written.push_back(std::move(written));
}

void CInstallerDlg::TryCopy(WrittenDestination& written, const WideString& source,
                            const WideString& target) {
    const CopyResult result = InstallCopy(source, target);
    if (result.error == ERROR_SUCCESS)
        written.holdsPlugIns = true;
    else
        written.failed.push_back({source, target, result});
}

void CInstallerDlg::TellWhatFailed() {
    for (;;) {
        const CInstallReport report = ReportNow();
        if (report.IsEmpty())
            return;
        if (!report.CanRetry()) {
            AfxMessageBox(report.Message(m_strLogPath), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if (AfxMessageBox(report.Message(m_strLogPath), MB_RETRYCANCEL | MB_ICONEXCLAMATION) !=
            IDRETRY)
            return;
        RetryFailures();
    }
}

// Just what failed is tried again: the copies, and the records the log could not take;
// a destination recorded once is never recorded again.
void CInstallerDlg::RetryFailures() {
    for (WrittenDestination& written : m_written) {
        if (written.recordError != ERROR_SUCCESS) {
            if (!m_hLog.IsOpen())
                m_hLog.Open(m_strLogPath);
            written.recordError =
                m_hLog.Append(written.destination) ? ERROR_SUCCESS : m_hLog.Error();
        }
        std::vector<FailedCopy> failed;
        failed.swap(written.failed);
        for (const FailedCopy& copy : failed)
            TryCopy(written, copy.source, copy.target);
    }
    m_hLog.Close();
}

CInstallReport CInstallerDlg::ReportNow() const {
    CInstallReport report = m_report;
    for (const WrittenDestination& written : m_written) {
        // A folder where nothing of this install arrived has nothing to delete by hand.
        if (written.recordError != ERROR_SUCCESS && written.holdsPlugIns)
            report.AddUnloggedDestination(written.folder, written.recordError);
        for (const FailedCopy& copy : written.failed) {
            if (copy.result.side == CopySide::Source)
                report.AddFailedCopy(copy.source, copy.result.error, CInstallReport::Side::Package);
            else
                report.AddFailedCopy(copy.target, copy.result.error,
                                     CInstallReport::Side::Destination);
        }
    }
    return report;
}

void CInstallerDlg::RefuseDestination(const WideString& destination, CInstallReport::Cause cause) {
    for (const WideString& file : m_arrPluginFiles) {
        const WideString target = TargetIn(destination, file);
        if (!target.empty())
            m_report.AddRefusedCopy(target, cause);
    }
}
