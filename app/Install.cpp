// Installation: the plug-ins lying beside the executable are copied into the
// QuillonTools sub-folder of every destination, and each destination is appended to
// the uninstall log beside the executable.
#include "app/InstallerDlg.h"

#include "folders/FolderChooser.h"
#include "folders/FolderRules.h"
#include "framework/FileFind.h"
#include "framework/MbcsText.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"

namespace {
const char kLogName[] = "\\puninst.log";
const char kPluginPattern[] = "\\*.8bf";

std::string WithoutTrailingSeparator(std::string path) {
    if (EndsWithSeparator(path))
        path.pop_back();
    return path;
}

// The executable's folder, or the empty text when the system cannot name it whole.
std::string ExecutableFolder() {
    std::string path;
    if (!GetExecutablePath(path))
        return std::string();
    const size_t separator = FindLastSeparator(path);
    return separator == std::string::npos ? path : path.substr(0, separator);
}
} // namespace

void CInstallerDlg::OnOK() {
    // A press queued while an install shows a message box would run a second install
    // inside the first.
    if (m_bInstalling)
        return;
    m_bInstalling = true;
    OnInstall();
    m_bInstalling = false;
}

void CInstallerDlg::OnCancel() {
    if (!m_bInstalling)
        CDialog::OnCancel();
}

void CInstallerDlg::CollectPluginFiles() {
    // Gathered afresh at every press of Install, so a second press after the
    // empty-folder stop copies each plug-in once.
    m_arrPluginFiles.clear();
    const std::string folder = ExecutableFolder();
    if (folder.empty()) {
        m_strLogPath.clear();
        return;
    }
    m_strLogPath = folder + kLogName;
    CFileFind finder;
    for (bool more = finder.FindFile(folder + kPluginPattern); more;) {
        more = finder.FindNextFile();
        const std::string name = finder.GetFileName();
        if (!name.empty() && !finder.IsDots() && !finder.IsDirectory())
            m_arrPluginFiles.push_back(finder.GetFilePath());
    }
}

void CInstallerDlg::OnInstall() {
    CollectPluginFiles();
    if (m_arrPluginFiles.empty()) {
        AfxMessageBox("Error: There are no files to copy!\nThis may be a bad installation",
                      MB_OK | MB_ICONEXCLAMATION);
        CDialog::OnOK();
        return;
    }

    m_hLog = OpenForAppend(m_strLogPath);
    m_report = CInstallReport();
    CFolderChooser chooser(nullptr, nullptr, nullptr, nullptr);
    UpdateData(true);

    if (m_nTarget == kTargetHosts) {
        for (int row = 0;
             row < m_lstHosts.GetCount() && static_cast<size_t>(row) < m_arrHostDirs.size();
             ++row) {
            if (m_lstHosts.GetCheck(row) != 1)
                continue;
            // A folder message does not stop the copies: they are tried and judged.
            const std::string folder =
                WithoutTrailingSeparator(m_arrHostDirs[static_cast<size_t>(row)]);
            chooser.PrepareFolder(folder);
            const std::string target = folder + kTargetSubFolder;
            chooser.PrepareFolder(target);
            CopyPluginsTo(target);
        }
    } else {
        if (m_strOtherPath.empty()) {
            AfxMessageBox("The output path is empty", MB_OK | MB_ICONEXCLAMATION);
            CloseLog();
            return;
        }
        // A drive root such as C:\ gives C:\QuillonTools, not a doubled separator.
        const std::string target = WithoutTrailingSeparator(m_strOtherPath) + kTargetSubFolder;
        chooser.PrepareFolder(target);
        CopyPluginsTo(target);
    }
    CloseLog();
    if (!m_report.IsEmpty())
        AfxMessageBox(m_report.Message(m_strLogPath), MB_OK | MB_ICONEXCLAMATION);
    CDialog::OnOK();
}

void CInstallerDlg::CopyPluginsTo(const std::string& destination) {
    // A line break inside a destination would put lines of its own choosing into the
    // uninstall log. The folder rules have already called such a destination invalid;
    // it is neither recorded nor copied into.
    const bool usable = !HasControlCharacter(destination);
    if (usable && (m_hLog == nullptr || !AppendRecord(m_hLog, destination + "\r\n")))
        m_report.AddUnloggedDestination(destination);
    for (const std::string& file : m_arrPluginFiles) {
        const size_t separator = FindLastSeparator(file);
        const std::string name =
            separator == std::string::npos ? std::string() : file.substr(separator + 1);
        if (name.empty())
            continue;
        const std::string target = destination + "\\" + name;
        const DWORD error = usable ? InstallCopy(file, target) : ERROR_INVALID_NAME;
        if (error != ERROR_SUCCESS)
            m_report.AddFailedCopy(target, error);
    }
}

void CInstallerDlg::CloseLog() {
    if (m_hLog != nullptr) {
        CloseFile(m_hLog);
        m_hLog = nullptr;
    }
}
