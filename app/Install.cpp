// Installation: the plug-ins lying beside the executable are copied into the
// QuillonTools sub-folder of every destination, and each destination is appended to
// the uninstall log beside the executable.
#include "app/InstallerDlg.h"

#include "folders/FolderChooser.h"
#include "framework/FileFind.h"
#include "framework/MbcsText.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"

namespace {
const char kTargetFolder[] = "\\QuillonTools";
const char kLogName[] = "\\puninst.log";
const char kPluginPattern[] = "\\*.8bf";

// How many failed copies the closing message names before it only counts the rest.
constexpr size_t kFailuresListed = 10;

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
    OnInstall();
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
    m_failedCopies.clear();
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
            const std::string target = folder + kTargetFolder;
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
        const std::string target = WithoutTrailingSeparator(m_strOtherPath) + kTargetFolder;
        chooser.PrepareFolder(target);
        CopyPluginsTo(target);
    }
    CloseLog();
    ReportFailedCopies();
    CDialog::OnOK();
}

void CInstallerDlg::CopyPluginsTo(const std::string& destination) {
    if (m_hLog != nullptr)
        WriteBytes(m_hLog, destination + "\r\n");
    for (const std::string& file : m_arrPluginFiles) {
        const size_t separator = FindLastSeparator(file);
        const std::string name =
            separator == std::string::npos ? std::string() : file.substr(separator + 1);
        if (name.empty())
            continue;
        const std::string target = destination + "\\" + name;
        if (!CopyOneFile(file, target))
            m_failedCopies.push_back(target);
    }
}

void CInstallerDlg::CloseLog() {
    if (m_hLog != nullptr) {
        CloseFile(m_hLog);
        m_hLog = nullptr;
    }
}

void CInstallerDlg::ReportFailedCopies() {
    if (m_failedCopies.empty())
        return;
    std::string message = "These plug-ins could not be copied:\n\n";
    for (size_t i = 0; i < m_failedCopies.size() && i < kFailuresListed; ++i)
        message += m_failedCopies[i] + "\n";
    if (m_failedCopies.size() > kFailuresListed)
        message += "... and " + std::to_string(m_failedCopies.size() - kFailuresListed) + " more\n";
    message += "\nA program may be using them. Close the programs that use these plug-ins, such as "
               "your image editor, and run QuillonDeploy again.";
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}
