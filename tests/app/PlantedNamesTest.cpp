// Names planted where the installer writes, as a hostile user would: the package
// folder, the plug-in folders and the single-instance object are all open to others,
// and the installer runs with administrator rights. Links are made for real.
#include "framework/Text.h"
#include "platform/OwnedHandle.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>

namespace {
const char kAppName[] = "QuillonDeploy";

enum class Plant { HardLink, SymbolicLink, Folder };

const char* NameOf(Plant plant) {
    switch (plant) {
    case Plant::HardLink:
        return "a hard link";
    case Plant::SymbolicLink:
        return "a symbolic link";
    default:
        return "a folder";
    }
}

// How many handles are open on a kernel object, in every process.
ULONG HandleCount(HANDLE object) {
    using QueryObject = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryObject>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
    // The object's basic information: attributes, access, handles, references, ...
    ULONG info[14] = {};
    return query != nullptr && query(object, 0, info, sizeof(info), nullptr) >= 0 ? info[2] : 0;
}

class PlantedNamesTest : public ::testing::Test {
protected:
    PlantedNamesTest() { RegisterPhotoshop("7.0", hosts / "PS"); }

    // A file of the system's that the installer must never touch.
    std::string Victim(const std::string& name) {
        const std::string path = victims / name;
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            WriteFileBytes(path, "the victim's own bytes: " + name);
        return path;
    }
    void PlantAt(const std::string& path, Plant plant, const std::string& victim) {
        if (plant == Plant::HardLink)
            MakeHardLink(path, victim);
        else if (plant == Plant::SymbolicLink)
            MakeSymbolicLink(path, victim);
        else
            ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr) &&
                        ::CreateDirectoryA((path + "\\inside").c_str(), nullptr));
    }
    std::string Target() const { return hosts / "PS\\Plug-Ins\\QuillonTools"; }

    HostSandbox sandbox;
    TempFolder hosts{"hosts"};
    TempFolder package{"package"};
    TempFolder victims{"victims"};
};

TEST_F(PlantedNamesTest, TemporaryNamesPlantedInThePlugInFolderAreNeitherFollowedNorInTheWay) {
    struct Case {
        const char* plugIn;
        Plant plant;
    };
    const Case cases[] = {{"Ink.8bf", Plant::HardLink},
                          {"Soft Focus.8bf", Plant::SymbolicLink},
                          {"Lines.8bf", Plant::Folder}};
    const std::string target = Target();
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, target.c_str(), nullptr));
    for (const Case& c : cases)
        WriteFileBytes(package / c.plugIn, std::string("the plug-in ") + c.plugIn);
    // Left behind by runs that were cut short: plain files of the installer's own.
    WriteFileBytes(package / "Stale.8bf", "the stale plug-in");
    WriteFileBytes(target + "\\Stale.8bf.~qt", "half a copy");
    WriteFileBytes(target + "\\Stale.8bf.4242-0.~qt", "half a copy");
    // The user's own, named nearly so.
    const char* const usersOwn[] = {"notes.~qt", "Stale.txt.1-1.~qt", "Stale.8bf.1-x.~qt"};
    for (const char* name : usersOwn)
        WriteFileBytes(target + "\\" + name, "the user's own");

    std::vector<std::string> planted;
    const InstallOutcome outcome = RunInstall(package.Path(), [&](InstallerRun& run) {
        // The name an earlier version used, and the first ones this run will try.
        for (const Case& c : cases)
            for (const std::string& suffix :
                 {std::string(".~qt"), "." + std::to_string(run.Pid()) + "-0.~qt"}) {
                planted.push_back(std::string(c.plugIn) + suffix);
                PlantAt(target + "\\" + planted.back(), c.plant, Victim(c.plugIn));
            }
        PressInstall(run);
    });
    EXPECT_EQ(EndedWell(), outcome);

    for (const Case& c : cases) {
        SCOPED_TRACE(NameOf(c.plant));
        const std::string installed = target + "\\" + c.plugIn;
        EXPECT_EQ(ReadFileBytes(package / c.plugIn), ReadFileBytes(installed));
        EXPECT_EQ(1u, LinkCount(installed));
        EXPECT_EQ(std::string("the victim's own bytes: ") + c.plugIn,
                  ReadFileBytes(victims / c.plugIn));
    }
    EXPECT_EQ(3u, LinkCount(victims / "Ink.8bf"));
    EXPECT_TRUE(IsFolder(target + "\\Lines.8bf.~qt\\inside"));
    // The plug-ins, every planted name and the user's files, as they were; the stale
    // copies are gone.
    std::vector<WideString> expected = {L"Stale.8bf"};
    for (const Case& c : cases)
        expected.push_back(ToWide(c.plugIn));
    for (const std::string& name : planted)
        expected.push_back(ToWide(name));
    for (const char* name : usersOwn) {
        expected.push_back(ToWide(name));
        EXPECT_EQ("the user's own", ReadFileBytes(target + "\\" + name));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, FileNames(target));
}

TEST_F(PlantedNamesTest, QuillonToolsPlantedAsALinkIsNeitherWrittenThroughNorCleanedUp) {
    WriteFileBytes(package / "Ink.8bf", "the ink plug-in");
    ASSERT_EQ(0, SHCreateDirectoryExA(nullptr, (hosts / "PS\\Plug-Ins").c_str(), nullptr));
    // Named as an older version named its temporary copies.
    const std::string precious = victims / "precious.8bf.1-1.~qt";
    WriteFileBytes(precious, "the victim's own");
    MakeSymbolicLink(Target(), victims.Path());

    EXPECT_EQ(EndedWell({"These plug-ins could not be installed.\n\nA file named "
                         "QuillonTools is in the way:\n" +
                         Target() +
                         "\\Ink.8bf\nIt is not a folder (a file, or a link to "
                         "another place): move or rename it, and run "
                         "QuillonDeploy again."}),
              RunInstall(package.Path()));
    EXPECT_EQ("the victim's own", ReadFileBytes(precious));
    EXPECT_EQ(std::vector<WideString>{L"precious.8bf.1-1.~qt"}, FileNames(victims.Path()));
    EXPECT_EQ("", ReadFileBytes(package / "puninst.log"));
}

TEST_F(PlantedNamesTest, UninstallLogPlantedAsALinkOrFolderIsLeftAsItIsAndTheBoxSaysWhy) {
    for (Plant plant : {Plant::HardLink, Plant::SymbolicLink, Plant::Folder}) {
        SCOPED_TRACE(NameOf(plant));
        RemoveTree(Target());
        TempFolder unpacked("unpacked");
        WriteFileBytes(unpacked / "Ink.8bf", "the ink plug-in");
        const std::string log = unpacked / "puninst.log";
        const std::string victim = Victim("system.ini");
        PlantAt(log, plant, victim);

        EXPECT_EQ(EndedWell({"These folders are missing from the uninstall log " + log + ":\n" +
                             Target() +
                             "\nThe log was left as it is: it is a link to another "
                             "file, or a folder.\nThe uninstaller will not remove "
                             "them: delete them by hand when you uninstall."}),
                  RunInstall(unpacked.Path()));
        EXPECT_EQ("the victim's own bytes: system.ini", ReadFileBytes(victim));
        EXPECT_EQ("the ink plug-in", ReadFileBytes(Target() + "\\Ink.8bf"));
    }
}

TEST_F(PlantedNamesTest, NameOfTheRunningCopyHeldWithoutADialogIsToldNotEndedInSilence) {
    WriteFileBytes(package / "Ink.8bf", "the ink plug-in");
    // A copy hung before its dialog appeared, another program squatting the name with
    // an object of another type, or one that shows a window like the installer's.
    enum class Holder { Mutex, Event, MutexAndLookAlike };
    for (Holder holder : {Holder::Mutex, Holder::Event, Holder::MutexAndLookAlike}) {
        SCOPED_TRACE(holder == Holder::Event   ? "an event"
                     : holder == Holder::Mutex ? "a mutex"
                                               : "a mutex and a look-alike window");
        const COwnedHandle held(
            holder == Holder::Event
                ? ::CreateEventA(nullptr, TRUE, FALSE, "QuillonDeploy.Installer")
                : ::CreateMutexA(nullptr, TRUE, "QuillonDeploy.Installer"));
        ASSERT_NE(nullptr, held.Get());
        HWND lookAlike = holder != Holder::MutexAndLookAlike
                             ? nullptr
                             : ::CreateWindowExA(0, MAKEINTATOM(32770), "Quillon Tools deployment",
                                                 WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                                 nullptr, nullptr, nullptr);
        InstallerRun run(package.Path());
        HWND box = WaitForMessageBox(run.Pid(), kAppName, 20000);
        if (lookAlike != nullptr)
            ::DestroyWindow(lookAlike);
        EXPECT_NE(nullptr, box);
        if (box == nullptr)
            continue;
        const std::string text = MessageBoxText(box);
        AnswerMessageBox(box, IDOK);
        EXPECT_EQ(0u, run.WaitForExit());
        EXPECT_EQ("QuillonDeploy is already running, but its window does not appear.\n\nWait for "
                  "it to finish, then start QuillonDeploy again. If it does not finish, end "
                  "QuillonDeploy in Task Manager or restart the computer, then start "
                  "QuillonDeploy again.",
                  text);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((package / "puninst.log").c_str()));
    }
}

TEST_F(PlantedNamesTest, NameLetGoWhileTheInstallerWaitsForItsHolderIsTakenAndTheDialogOpens) {
    WriteFileBytes(package / "Ink.8bf", "the ink plug-in");
    // A copy that ends just as another starts.
    COwnedHandle held(::CreateMutexA(nullptr, TRUE, "QuillonDeploy.Installer"));
    ASSERT_NE(nullptr, held.Get());
    InstallerRun run(package.Path());
    // Let go once the installer has found the name held: it waits for a window then.
    ASSERT_TRUE(WaitUntil([&] { return HandleCount(held.Get()) >= 2; }, 20000));
    held.Close();
    ASSERT_NE(nullptr, run.WaitForDialog(20000));
    Click(run.Control(IDCANCEL));
    EXPECT_EQ(0u, run.WaitForExit());
}

TEST_F(PlantedNamesTest, PlugInWhosePathFillsMaxPathIsInstalled) {
    // <host>\Plug-Ins\QuillonTools\<name>.8bf, 259 characters: the longest a plain path
    // holds. The temporary name beside it is longer.
    const std::string host = hosts / std::string(120, 'h');
    const std::string target = host + "\\Plug-Ins\\QuillonTools";
    const std::string name = std::string(259 - target.size() - 1 - 4, 'n') + ".8bf";
    ASSERT_EQ(259u, (target + "\\" + name).size());
    WriteFileBytes(package / name, "the long-named plug-in");
    RegisterPhotoshop("7.0", host);

    const InstallOutcome outcome = RunInstall(package.Path());
    EXPECT_EQ(EndedWell(), outcome);
    EXPECT_EQ("the long-named plug-in", ReadFileBytes(target + "\\" + name));
    EXPECT_EQ(std::vector<WideString>{ToWide(name)}, FileNames(target));
}
} // namespace
