#pragma once
// The whole job: the real QuillonDeploy.exe in a folder with plug-ins beside it, real
// hosts in the registry, used from outside; the results are read from the disk. One
// fixture for the tests of what an install leaves (InstallTest.cpp), what it reports
// (InstallFailureTest.cpp) and the names and paths it meets (InstallPathTest.cpp).
#include "tests/support/Files.h"
#include "tests/support/Hosts.h"
#include "tests/support/InstallerRun.h"

#include <gtest/gtest.h>

#include <string>

class InstallTest : public ::testing::Test {
protected:
    InstallTest() {
        WriteFileBytes(package / "Quillon Soft Focus.8bf", "soft focus plug-in\x01\x02");
        WriteFileBytes(package / "Ink.8bf", std::string("ink\0plug-in", 11));
        WriteFileBytes(package / "readme.txt", "not a plug-in");
        ::CreateDirectoryA((package / "folder.8bf").c_str(), nullptr);
    }

    // Every plug-in of the package is in the folder with its exact bytes, and nothing else.
    void ExpectPlugins(const std::string& target) {
        SCOPED_TRACE(target);
        EXPECT_EQ(ReadFileBytes(package / "Quillon Soft Focus.8bf"),
                  ReadFileBytes(target + "\\Quillon Soft Focus.8bf"));
        EXPECT_EQ(ReadFileBytes(package / "Ink.8bf"), ReadFileBytes(target + "\\Ink.8bf"));
        EXPECT_FALSE(IsFolder(target + "\\folder.8bf"));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((target + "\\readme.txt").c_str()));
    }
    std::string Log() { return ReadFileBytes(package / "puninst.log"); }
    bool LogExists() {
        return ::GetFileAttributesA((package / "puninst.log").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    HostSandbox sandbox;
    TempFolder hosts{"hosts"};
    TempFolder package{"package"};
};
