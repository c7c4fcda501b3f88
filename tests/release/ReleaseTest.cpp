// What both builds of the installer carry for Windows: the manifest and the version.
// Read from the 64-bit tests, which can load both files as data.
#include "version.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Builds() {
    return {BuildFolder() + "\\QuillonDeploy.exe", QUILLON_I686_EXE};
}

std::string ManifestOf(const std::string& exe) {
    HMODULE image = ::LoadLibraryExA(exe.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (image == nullptr)
        return std::string();
    std::string text;
    HRSRC resource = ::FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (resource != nullptr) {
        const char* bytes =
            static_cast<const char*>(::LockResource(::LoadResource(image, resource)));
        text.assign(bytes, ::SizeofResource(image, resource));
    }
    ::FreeLibrary(image);
    return text;
}

std::string VersionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
        length == 0)
        return std::string();
    return std::string(value, length - 1);
}

TEST(ReleaseTest, BothBuildsAskForAdministratorsVisualStylesAndNameTheirSystems) {
    for (const std::string& exe : Builds()) {
        SCOPED_TRACE(exe);
        const std::string manifest = ManifestOf(exe);
        ASSERT_FALSE(manifest.empty());
        EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
        EXPECT_NE(std::string::npos,
                  manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
        for (const char* os :
             {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
              "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
              "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
            EXPECT_NE(std::string::npos, manifest.find(os)) << os;
        EXPECT_EQ(std::string::npos, manifest.find("dpiAware"));
    }
}

TEST(ReleaseTest, BothBuildsCarryTheProductsVersion) {
    for (const std::string& exe : Builds()) {
        SCOPED_TRACE(exe);
        const DWORD size = ::GetFileVersionInfoSizeA(exe.c_str(), nullptr);
        ASSERT_NE(0u, size);
        std::vector<char> info(size);
        ASSERT_TRUE(::GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
        EXPECT_EQ("Quillon Tools", VersionString(info, "ProductName"));
        EXPECT_EQ("Tessarel", VersionString(info, "CompanyName"));
        EXPECT_EQ("Quillon Tools plug-in installer", VersionString(info, "FileDescription"));
        EXPECT_EQ(QUILLON_VERSION_TEXT, VersionString(info, "FileVersion"));
        EXPECT_EQ("QuillonDeploy.exe", VersionString(info, "OriginalFilename"));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(QUILLON_VERSION_MINOR, QUILLON_VERSION_MAJOR)),
                  fixed->dwFileVersionMS);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, QUILLON_VERSION_PATCH)), fixed->dwFileVersionLS);
    }
}
} // namespace
