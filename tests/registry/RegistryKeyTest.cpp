#include "registry/RegistryKey.h"

#include "tests/support/Registry.h"

#include <gtest/gtest.h>

namespace {
const char kRoot[] = "Software\\QuillonTests";

class RegistryKeyTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox{{{HKEY_CURRENT_USER, kRoot}, {HKEY_LOCAL_MACHINE, kRoot}}};
    CRegistryKey key;
};

TEST_F(RegistryKeyTest, ReadsTextValuesUpToTheirLimitOf200Bytes) {
    SetRegString(HKEY_CURRENT_USER, kRoot, "Fits", std::string(199, 'a'));
    SetRegString(HKEY_CURRENT_USER, kRoot, "TooLong", std::string(200, 'b'));
    SetRegString(HKEY_CURRENT_USER, kRoot, "Empty", "");
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kRoot));

    std::string text = "untouched";
    EXPECT_EQ(ERROR_SUCCESS, key.QueryString("Fits", text, "default"));
    EXPECT_EQ(std::string(199, 'a'), text);

    // 200 characters and the terminator do not fit: the default, and a failure status.
    EXPECT_NE(ERROR_SUCCESS, key.QueryString("TooLong", text, "default"));
    EXPECT_EQ("default", text);
    EXPECT_EQ("", key.GetString("TooLong", ""));

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryString("Missing", text, "fallback"));
    EXPECT_EQ("fallback", text);
    EXPECT_EQ("", key.GetString("Empty", "fallback"));
}

TEST_F(RegistryKeyTest, ReadsAnyTypeAsTheTextItsBytesFormAndNeverPastTheirLength) {
    SetRegValue(HKEY_CURRENT_USER, kRoot, "Number", REG_DWORD, std::string("AB\0\0", 4));
    SetRegValue(HKEY_CURRENT_USER, kRoot, "Unterminated", REG_BINARY, "C:\\Plug");
    SetRegValue(HKEY_CURRENT_USER, kRoot, "Inner", REG_BINARY, std::string("C:\\A\0junk", 9));
    SetRegValue(HKEY_CURRENT_USER, kRoot, "Full", REG_BINARY, std::string(200, 'x'));
    SetRegValue(HKEY_CURRENT_USER, kRoot, "Nothing", REG_BINARY, "");
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kRoot));

    EXPECT_EQ("AB", key.GetString("Number", "?"));
    EXPECT_EQ("C:\\Plug", key.GetString("Unterminated", "?"));
    EXPECT_EQ("C:\\A", key.GetString("Inner", "?"));
    EXPECT_EQ(std::string(200, 'x'), key.GetString("Full", "?"));
    EXPECT_EQ("", key.GetString("Nothing", "?"));
}

TEST_F(RegistryKeyTest, JoinsThePartsOfThePathItOpens) {
    CreateRegKey(HKEY_CURRENT_USER, std::string(kRoot) + "\\A\\B\\C");
    SetRegString(HKEY_CURRENT_USER, std::string(kRoot) + "\\A", "Level", "A");
    SetRegString(HKEY_CURRENT_USER, std::string(kRoot) + "\\A\\B\\C", "Level", "C");
    const std::string a = std::string(kRoot) + "\\A";

    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, a.c_str(), "", nullptr));
    EXPECT_EQ("A", key.GetString("Level", ""));
    key.Close();
    EXPECT_EQ(nullptr, key.m_hKey);

    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, a.c_str(), "B", "C"));
    EXPECT_EQ("C", key.GetString("Level", ""));
    key.Close();

    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, a.c_str(), nullptr, "B"));
    key.Close();

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_CURRENT_USER, a.c_str(), "C"));
    EXPECT_EQ(nullptr, key.m_hKey);
    EXPECT_EQ("default", key.GetString("Level", "default"));
}

TEST_F(RegistryKeyTest, ListsSubkeysInRegistryOrderAndLeavesTheListAloneOnFailure) {
    const std::string parent = std::string(kRoot) + "\\Parent";
    for (const char* name : {"7.0", "CS2", "8.0"})
        CreateRegKey(HKEY_CURRENT_USER, parent + "\\" + name);
    CreateRegKey(HKEY_CURRENT_USER, parent + "\\CS2\\Nested");
    CreateRegKey(HKEY_CURRENT_USER, std::string(kRoot) + "\\Leaf");

    std::vector<std::string> names{"stale"};
    ASSERT_EQ(ERROR_SUCCESS, key.EnumSubkeys(HKEY_CURRENT_USER, parent.c_str(), names));
    // The registry keeps sub-keys sorted by name; only direct sub-keys are listed.
    EXPECT_EQ((std::vector<std::string>{"7.0", "8.0", "CS2"}), names);
    EXPECT_EQ(nullptr, key.m_hKey);

    names = {"stale"};
    EXPECT_EQ(ERROR_SUCCESS,
              key.EnumSubkeys(HKEY_CURRENT_USER, (std::string(kRoot) + "\\Leaf").c_str(), names));
    EXPECT_TRUE(names.empty());

    names = {"kept"};
    EXPECT_EQ(
        ERROR_FILE_NOT_FOUND,
        key.EnumSubkeys(HKEY_CURRENT_USER, (std::string(kRoot) + "\\Missing").c_str(), names));
    EXPECT_EQ(std::vector<std::string>{"kept"}, names);
}

TEST_F(RegistryKeyTest, SeesTheMachineKeysOfThe32BitViewOnly) {
    SetRegString(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\Shipped", "View", "32", kView32);
    SetRegString(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\Native", "View", "64", kView64);

    std::vector<std::string> names;
    ASSERT_EQ(ERROR_SUCCESS, key.EnumSubkeys(HKEY_LOCAL_MACHINE, kRoot, names));
    EXPECT_EQ(std::vector<std::string>{"Shipped"}, names);

    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kRoot, "Shipped"));
    EXPECT_EQ("32", key.GetString("View", ""));
    key.Close();
    EXPECT_NE(ERROR_SUCCESS, key.Open(HKEY_LOCAL_MACHINE, kRoot, "Native"));
}
} // namespace
