// Host discovery: which image editors on this machine load plug-in filters, and where
// their plug-in folders are. Read once, while the dialog initialises.
#include "app/InstallerDlg.h"

#include "folders/Destination.h"
#include "framework/Text.h"
#include "platform/FileSystem.h"
#include "registry/RegistryKey.h"

namespace {
const char kPhotoshopKey[] = "Software\\Adobe\\Photoshop";
const char kPhotoshopName[] = "Adobe Photoshop ";
const char kElementsKey[] = "Software\\Adobe\\Photoshop Elements";
const char kElementsName[] = "Adobe Photoshop Elements ";
const char kJascKey[] = "Software\\JASC";
} // namespace

void CInstallerDlg::DiscoverHosts() {
    m_arrHostDirs.clear();
    m_arrHostRealDirs.clear();
    AddApplicationHosts(kPhotoshopKey, kPhotoshopName);
    AddApplicationHosts(kElementsKey, kElementsName);
    AddJascHosts();

    if (m_lstHosts.GetCount() > 0) {
        m_lstHosts.SetCheck(0, 1);
        m_nTarget = kTargetHosts;
        // By its real name: the ANSI one may be a short form, or none.
        ::SetWindowTextW(m_wndHostPath.m_hWnd, m_arrHostRealDirs[0].c_str());
    } else {
        m_nTarget = kTargetOther;
    }
    UpdateData(false);
    OnTargetChanged();
}

void CInstallerDlg::AddHost(const std::string& name, const std::string& folder,
                            const WideString& realFolder) {
    // The row and its folder go in together or not at all: the table stays parallel.
    const int row = m_lstHosts.AddString(name);
    if (row < 0)
        return;
    m_arrHostDirs.push_back(folder);
    m_arrHostRealDirs.push_back(realFolder);
}

// A host folder is read by its real name. The ANSI text that names it exactly is used
// (its short form if need be); a name the code page holds only as a look-alike keeps
// its row, with no ANSI folder: Install tells the user instead of writing elsewhere. A
// folder with no room for its destination is left out.
void CInstallerDlg::AddHostFolder(const std::string& name, const WideString& folder) {
    std::string ansi;
    if (!ToAnsiPath(folder, ansi))
        ansi.clear();
    if (ansi.size() > kMaxDestinationFolder)
        return;
    AddHost(name, ansi, folder);
}

namespace {
// The names of the sub-keys of root\listKey; none when it cannot be read. The key
// reader keeps the list key for the keys opened beneath it.
std::vector<std::string> ListSubkeys(CRegistryKey& key, HKEY root, const char* listKey) {
    std::vector<std::string> names;
    key.EnumSubkeys(root, listKey, names);
    return names;
}

// The folder a text value of root\listKey\name[\below] names, by its real name; false
// when the key or the value is missing, cannot be read or is empty.
bool ReadFolder(CRegistryKey& key, HKEY root, const char* listKey, const std::string& name,
                const char* below, const char* valueName, WideString& folder) {
    if (key.Open(root, listKey, name.c_str(), below) != ERROR_SUCCESS)
        return false;
    const LONG status = key.QueryWideString(valueName, folder);
    key.Close();
    return status == ERROR_SUCCESS && !folder.empty();
}
} // namespace

// One row per version key whose ApplicationPath is set; the plug-in folder is always
// the Plug-Ins folder of the application's folder.
void CInstallerDlg::AddApplicationHosts(const char* listKey, const char* namePrefix) {
    CRegistryKey key;
    WideString folder;
    for (const std::string& version : ListSubkeys(key, HKEY_LOCAL_MACHINE, listKey)) {
        if (ReadFolder(key, HKEY_LOCAL_MACHINE, listKey, version, nullptr, "ApplicationPath",
                       folder))
            AddHostFolder(namePrefix + version, HostPlugInFolder(folder));
    }
}

// A JASC product can give two rows: its configured plug-in folder, taken as it is,
// and its first filter folder, taken only when that folder exists.
void CInstallerDlg::AddJascHosts() {
    CRegistryKey key;
    WideString folder;
    for (const std::string& product : ListSubkeys(key, HKEY_CURRENT_USER, kJascKey)) {
        if (ReadFolder(key, HKEY_CURRENT_USER, kJascKey, product, "FileLocations\\PlugIns\\0",
                       "Dir", folder))
            AddHostFolder(product, folder);
        if (ReadFolder(key, HKEY_CURRENT_USER, kJascKey, product, "ImageProcessingFilter",
                       "Directory1", folder) &&
            PathExists(folder))
            AddHostFolder(product, folder);
    }
}
