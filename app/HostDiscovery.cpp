// Host discovery: which image editors on this machine load plug-in filters, and where
// their plug-in folders are. Read once, while the dialog initialises.
#include "app/InstallerDlg.h"

#include "folders/Destination.h"
#include "framework/MbcsText.h"
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

// One row per version key whose ApplicationPath is set; the plug-in folder is always
// the Plug-Ins folder of the application's folder.
void CInstallerDlg::AddApplicationHosts(const char* listKey, const char* namePrefix) {
    // Each version is opened beneath the open list key: opening every one by its full
    // path from the root costs several times as much where many are registered.
    CRegistryKey list;
    if (list.Open(HKEY_LOCAL_MACHINE, listKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> versions;
    list.EnumSubkeys(versions);
    CRegistryKey key;
    for (const std::string& version : versions) {
        if (key.Open(list.m_hKey, version.c_str()) != ERROR_SUCCESS)
            continue;
        WideString folder;
        if (key.QueryWideString("ApplicationPath", folder) == ERROR_SUCCESS && !folder.empty())
            AddHostFolder(namePrefix + version, HostPlugInFolder(folder));
        key.Close();
    }
}

// A JASC product can give two rows: its configured plug-in folder, taken as it is,
// and its first filter folder, taken only when that folder exists.
void CInstallerDlg::AddJascHosts() {
    CRegistryKey list;
    if (list.Open(HKEY_CURRENT_USER, kJascKey) != ERROR_SUCCESS)
        return;
    std::vector<std::string> products;
    list.EnumSubkeys(products);
    CRegistryKey key;
    for (const std::string& product : products) {
        const std::string plugInsKey = product + "\\FileLocations\\PlugIns\\0";
        WideString folder;
        if (key.Open(list.m_hKey, plugInsKey.c_str()) == ERROR_SUCCESS) {
            const LONG status = key.QueryWideString("Dir", folder);
            key.Close();
            if (status == ERROR_SUCCESS && !folder.empty())
                AddHostFolder(product, folder);
        }
        const std::string filterKey = product + "\\ImageProcessingFilter";
        if (key.Open(list.m_hKey, filterKey.c_str()) == ERROR_SUCCESS) {
            if (key.QueryWideString("Directory1", folder) == ERROR_SUCCESS && !folder.empty() &&
                PathExists(folder))
                AddHostFolder(product, folder);
            key.Close();
        }
    }
}
