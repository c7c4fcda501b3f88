#include "tests/app/InstallerDlgProbe.h"
#include "tests/support/Files.h"
#include "tests/support/Hosts.h"

#include <gtest/gtest.h>

namespace {
using Rows = std::vector<std::string>;

const char kPhotoshop[] = "Photoshop";
const char kElements[] = "Photoshop Elements";

class HostDiscoveryTest : public ::testing::Test {
protected:
    HostSandbox sandbox;

    static void RegisterJascFilters(const std::string& product, const std::string& dir) {
        SetRegString(HKEY_CURRENT_USER,
                     std::string(kJascKey) + "\\" + product + "\\ImageProcessingFilter",
                     "Directory1", dir);
    }
};

TEST_F(HostDiscoveryTest, PlugInFolderComesFromTheApplicationPathWithOneSeparator) {
    RegisterAdobe(kPhotoshop, "6.0", "C:\\PS6");
    RegisterAdobe(kPhotoshop, "7.0", "C:\\PS7\\");
    RegisterAdobe(kElements, "2.0", "D:\\Elements 2");

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_EQ((Rows{"Adobe Photoshop 6.0", "Adobe Photoshop 7.0", "Adobe Photoshop Elements 2.0"}),
              seen.rows);
    EXPECT_EQ((Rows{"C:\\PS6\\Plug-Ins", "C:\\PS7\\Plug-Ins", "D:\\Elements 2\\Plug-Ins"}),
              seen.hostDirs);
}

TEST_F(HostDiscoveryTest, VersionsWithoutAUsableApplicationPathAreLeftOut) {
    CreateRegKey(HKEY_LOCAL_MACHINE, AdobeVersionKey(kPhotoshop, "5.0"));
    RegisterAdobe(kPhotoshop, "5.5", "");
    RegisterAdobe(kPhotoshop, "6.0", "C:\\" + std::string(240, 'p'));
    SetRegValue(HKEY_LOCAL_MACHINE, AdobeVersionKey(kPhotoshop, "6.5"), "ApplicationPath",
                REG_DWORD, std::string("\0\0\0\0", 4));
    // Only the 64-bit view: the shipped 32-bit build never sees it. A 32-bit Windows
    // has no such view.
    BOOL wow64 = FALSE;
    if (sizeof(void*) == 8 || (::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64))
        RegisterAdobe(kPhotoshop, "9.0", "C:\\PS9", kView64);
    RegisterAdobe(kElements, "3.0", "C:\\PSE3");

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_EQ(Rows{"Adobe Photoshop Elements 3.0"}, seen.rows);
    EXPECT_EQ(Rows{"C:\\PSE3\\Plug-Ins"}, seen.hostDirs);
}

TEST_F(HostDiscoveryTest, JascProductGivesItsPlugInFolderAndItsFilterFolderWhenThatExists) {
    TempFolder filters("jasc-filters");
    RegisterJasc("Paint Shop Pro 8", "C:\\Missing\\PSP Plugins\\");
    RegisterJascFilters("Paint Shop Pro 8", filters.Path());
    RegisterJascFilters("Animation Shop", "C:\\Missing\\Animation Filters");
    RegisterJasc("Empty Product", "");

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_EQ((Rows{"Paint Shop Pro 8", "Paint Shop Pro 8"}), seen.rows);
    EXPECT_EQ((Rows{"C:\\Missing\\PSP Plugins\\", filters.Path()}), seen.hostDirs);
}

TEST_F(HostDiscoveryTest, RowsFollowTheSourcesInOrderAndOnlyTheFirstIsTicked) {
    TempFolder filters("order-filters");
    RegisterJasc("Paint Shop Pro 7", "C:\\PSP7\\Plugins");
    RegisterJascFilters("Paint Shop Pro 7", filters.Path());
    RegisterAdobe(kElements, "1.0", "C:\\PSE1");
    RegisterAdobe(kPhotoshop, "CS", "C:\\PSCS");
    RegisterAdobe(kPhotoshop, "7.0", "C:\\PS7");

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_EQ((Rows{"Adobe Photoshop 7.0", "Adobe Photoshop CS", "Adobe Photoshop Elements 1.0",
                    "Paint Shop Pro 7", "Paint Shop Pro 7"}),
              seen.rows);
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0, 0}), seen.checks);
    EXPECT_EQ(seen.rows.size(), seen.hostDirs.size());
    EXPECT_EQ(0, seen.target);
    EXPECT_TRUE(seen.hostsRadio);
    EXPECT_FALSE(seen.otherRadio);
    // The first host's folder shows under the list, though no row is selected.
    EXPECT_EQ("C:\\PS7\\Plug-Ins", seen.hostPath);
    EXPECT_EQ(LB_ERR, seen.selection);
    EXPECT_TRUE(seen.listEnabled);
    EXPECT_FALSE(seen.editEnabled);
    EXPECT_FALSE(seen.browseEnabled);
    EXPECT_FALSE(seen.chooserOpened);
}

TEST_F(HostDiscoveryTest, WithNoHostAnotherPlaceIsChosen) {
    CreateRegKey(HKEY_LOCAL_MACHINE, std::string(kAdobeKey) + "\\" + kPhotoshop);
    CreateRegKey(HKEY_CURRENT_USER, kJascKey);

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_TRUE(seen.rows.empty());
    EXPECT_TRUE(seen.hostDirs.empty());
    EXPECT_EQ(1, seen.target);
    EXPECT_FALSE(seen.hostsRadio);
    EXPECT_TRUE(seen.otherRadio);
    EXPECT_EQ("", seen.hostPath);
    EXPECT_FALSE(seen.listEnabled);
    EXPECT_TRUE(seen.editEnabled);
    EXPECT_TRUE(seen.browseEnabled);
    // The other folder is still empty, so the chooser opens at once.
    EXPECT_TRUE(seen.chooserOpened);
}
} // namespace
