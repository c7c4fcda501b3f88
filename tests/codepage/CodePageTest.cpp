// Run with the Japanese ANSI code page (932), where the second byte of a double-byte
// character can be '\': the katakana "so" is the bytes 83 5C.
#include "folders/FolderRules.h"

#include "folders/MbcsText.h"
#include "tests/app/InstallerDlgProbe.h"
#include "tests/support/Files.h"
#include "tests/support/InstallerRun.h"
#include "tests/support/Hosts.h"
#include "tests/support/WindowDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const std::string kSo = "\x83\x5C";

bool ExistsWide(const wchar_t* path) {
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

TEST(CodePage932Test, FolderNamedWithATrailByteSeparatorIsCreatedWhole) {
    ASSERT_EQ(932u, ::GetACP());
    EXPECT_TRUE(IsValidFolderName(kSo));
    EXPECT_TRUE(IsValidFolderName("Filters" + kSo));

    ::RemoveDirectoryW(L"C:\\qt-cp932\\\x30BD\\Filters");
    ::RemoveDirectoryW(L"C:\\qt-cp932\\\x30BD");
    ::RemoveDirectoryW(L"C:\\qt-cp932");
    EXPECT_EQ(0, CreateFolderPath("C:\\qt-cp932\\" + kSo + "\\Filters", FolderWork::Create));
    EXPECT_TRUE(ExistsWide(L"C:\\qt-cp932\\\x30BD\\Filters"));
    // Split at the trail byte, the lead byte alone would have become a folder too.
    unsigned entries = 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW(L"C:\\qt-cp932\\*", &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do
        entries += entry.cFileName[0] != L'.' ? 1 : 0;
    while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    EXPECT_EQ(1u, entries);
    EXPECT_EQ(1, CreateFolderPath("C:\\qt-cp932\\" + kSo + "\\", FolderWork::CheckOnly));
    RemoveTree("C:\\qt-cp932");
}

TEST(CodePage932Test, WholeInstallFromAFolderEndingInATrailByteWithADoubleBytePlugIn) {
    ASSERT_EQ(932u, ::GetACP());
    HostSandbox sandbox;
    TempFolder parent("cp932-package");
    TempFolder hosts("cp932-hosts");
    // The package folder is named "so", whose second byte is '\\'.
    const WideString package = ToWide(parent.Path()) + L"\\\x30BD";
    const WideString plugIn = L"\x65E5\x672C\x8A9E.8bf";
    ASSERT_TRUE(::CreateDirectoryW(package.c_str(), nullptr));
    WriteFileBytes(package + L"\\" + plugIn, "nihongo");
    RegisterPhotoshop("7.0", hosts / kSo);

    InstallerRun run(package);
    ASSERT_NE(nullptr, run.WaitForDialog());
    Click(run.Control(IDOK));
    EXPECT_EQ(0u, run.WaitForExit());
    const std::string target = hosts / (kSo + "\\Plug-Ins\\QuillonTools");
    EXPECT_EQ(target + "\r\n", ReadFileBytes(package + L"\\puninst.log"));
    EXPECT_EQ("nihongo", ReadFileBytes(ToWide(target) + L"\\" + plugIn));
}

TEST(CodePage932Test, ApplicationPathEndingInATrailByteGetsItsSeparator) {
    ASSERT_EQ(932u, ::GetACP());
    HostSandbox sandbox;
    RegisterPhotoshop("7.0", "C:\\" + kSo);
    RegisterPhotoshop("8.0", "C:\\" + kSo + "\\");

    const InstallerSnapshot seen = RunInstallerDialog();
    EXPECT_EQ((std::vector<std::string>{"C:\\" + kSo + "\\Plug-Ins", "C:\\" + kSo + "\\Plug-Ins"}),
              seen.hostDirs);
}

TEST(CodePage932Test, JascFolderEndingInHalfACharacterIsNeverJoinedToTheSeparator) {
    ASSERT_EQ(932u, ::GetACP());
    HostSandbox sandbox;
    // The lead byte of "so" without its trail byte, as text and as raw bytes.
    const std::string broken = "C:\\qt-cp932-broken\\Filters\x83";
    SetRegValue(HKEY_CURRENT_USER, JascPlugInsKey("Text"), "Dir", REG_SZ, broken + '\0');
    SetRegValue(HKEY_CURRENT_USER, JascPlugInsKey("Bytes"), "Dir", REG_BINARY, broken);

    const InstallerSnapshot seen = RunInstallerDialog();
    for (const std::string& folder : seen.hostDirs) {
        // The separator added for the destination stands as a character of its own.
        const std::vector<size_t> starts = CharacterStarts(folder + "\\QuillonTools");
        EXPECT_NE(starts.end(), std::find(starts.begin(), starts.end(), folder.size())) << folder;
    }
    EXPECT_EQ(std::vector<std::string>{"Text"}, seen.rows);
}
} // namespace
