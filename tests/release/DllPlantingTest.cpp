// A DLL planted beside the installer, as in a Downloads folder, is not loaded: the
// installer takes the DLLs it loads at run time from the system folder only.
#include "platform/FileSystem.h"
#include "res/resource.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

namespace {
// Wine prefers its own DLLs to files of the same name. The control program is told to
// take a file wherever the search finds one first, as Windows does (Wine reads this per
// program from its registry; a changed WINEDLLOVERRIDES does not reach a child). The
// installer is not: Wine then loads its own DLL, but under the path where the search
// found the name, so the installer's module list shows where its search looked first.
const char kControlOverrides[] = "Software\\Wine\\AppDefaults\\control.exe";

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

DWORD RunControl(const std::string& folder) {
    const std::string exe = folder + "\\control.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process))
        return 99;
    ::WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 99;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

TEST(DllPlantingTest, DllPlantedBesideTheInstallerIsNotLoaded) {
    HostSandbox hosts;
    RegistrySandbox overrides{{{HKEY_CURRENT_USER, kControlOverrides}}};
    SetRegString(HKEY_CURRENT_USER, std::string(kControlOverrides) + "\\DllOverrides", "uxtheme",
                 "native,builtin");
    RegisterPhotoshop("7.0", "C:\\PS");
    TempFolder folder("planted");
    ASSERT_TRUE(::CopyFileA((BuildFolder() + "\\..\\planted\\uxtheme.dll").c_str(),
                            (folder / "uxtheme.dll").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((BuildFolder() + "\\search_control.exe").c_str(),
                            (folder / "control.exe").c_str(), FALSE));

    // The planted file is taken by a program that does not restrict its search.
    const std::string mark = folder / "uxtheme.dll.loaded";
    EXPECT_EQ(0u, RunControl(folder.Path()));
    EXPECT_TRUE(PathExists(mark));
    ::DeleteFileA(mark.c_str());

    // The installer's search found the name in the system folder.
    InstallerRun run(folder.Path());
    ASSERT_NE(nullptr, run.WaitForDialog());
    std::vector<std::string> modules;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, run.Pid());
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Module32First(snapshot, &entry); more;
         more = ::Module32Next(snapshot, &entry))
        modules.push_back(Lower(entry.szExePath));
    ::CloseHandle(snapshot);
    // Under the i386 emulator one process cannot read another's memory.
    if (modules.empty() && sizeof(void*) == 4)
        GTEST_SKIP() << "the installer's module list cannot be read under the i386 emulator";
    const std::string planted = Lower(folder / "uxtheme.dll");
    bool themeLoaded = false;
    for (const std::string& module : modules) {
        EXPECT_NE(planted, module);
        themeLoaded |=
            module.size() > 12 && module.compare(module.size() - 12, 12, "\\uxtheme.dll") == 0;
    }
    EXPECT_TRUE(themeLoaded);
}
} // namespace
