// Host discovery: which image editors on this machine load plug-in filters, and where
// their plug-in folders are. Read once, while the dialog initialises.
#include "app/InstallerDlg.h"

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
    AddApplicationHosts(kPhotoshopKey, kPhotoshopName);
    AddApplicationHosts(kElementsKey, kElementsName);
    AddJascHosts();

    if (m_lstHosts.GetCount() > 0) {
        m_lstHosts.SetCheck(0, 1);
        m_nTarget = kTargetHosts;
        m_wndHostPath.SetWindowText(m_arrHostDirs[0]);
    } else {
        m_nTarget = kTargetOther;
    }
    UpdateData(false);
    OnTargetChanged();
}

void CInstallerDlg::AddHost(const std::string& name, const std::string& folder) {
    // The row and its folder go in together or not at all: the table stays parallel.
    const int row = m_lstHosts.AddString(name);
    if (row < 0)
        return;
    m_arrHostDirs.push_back(folder);
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
        std::string folder = key.GetString("ApplicationPath", "");
        if (!folder.empty()) {
            if (!EndsWithSeparator(folder))
                folder += '\\';
            AddHost(namePrefix + version, folder + "Plug-Ins");
        }
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
        if (key.Open(list.m_hKey, plugInsKey.c_str()) == ERROR_SUCCESS) {
            const std::string folder = key.GetString("Dir", "");
            key.Close();
            if (!folder.empty())
                AddHost(product, folder);
        }
        const std::string filterKey = product + "\\ImageProcessingFilter";
        if (key.Open(list.m_hKey, filterKey.c_str()) == ERROR_SUCCESS) {
            const std::string folder = key.GetString("Directory1", "");
            if (!folder.empty() && PathExists(folder))
                AddHost(product, folder);
            key.Close();
        }
    }
}
