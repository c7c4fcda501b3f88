// The paths the installer's wide calls are given: Windows refuses a plain path longer
// than MAX_PATH, which Wine does not, so what is passed is read here.
#include "framework/Text.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryFile.h"

#include <gtest/gtest.h>

namespace {
TEST(LongPathTest, LongFormIsAbsoluteWithBackslashesOnly) {
    struct Case {
        const wchar_t* path;
        const wchar_t* longForm;
    };
    const Case cases[] = {
        {L"C:\\Hosts\\PS\\Plug-Ins\\QuillonTools\\Ink.8bf",
         L"\\\\?\\C:\\Hosts\\PS\\Plug-Ins\\QuillonTools\\Ink.8bf"},
        {L"C:/Hosts/PS\\x\\..\\Ink.8bf", L"\\\\?\\C:\\Hosts\\PS\\Ink.8bf"},
        {L"\\\\server\\share\\QuillonTools\\Ink.8bf",
         L"\\\\?\\UNC\\server\\share\\QuillonTools\\Ink.8bf"},
        {L"\\\\?\\C:\\Already\\Long", L"\\\\?\\C:\\Already\\Long"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WideString(c.longForm), ExtendedLengthPath(c.path));
}

TEST(LongPathTest, TemporaryFileOfATargetThatFillsMaxPathIsNamedInTheLongForm) {
    // 259 characters, the longest plain path; the temporary name adds a dozen more.
    WideString target = L"C:\\";
    while (target.size() + 41 + 8 < 259)
        target += WideString(40, L'd') + L"\\";
    target += WideString(259 - 8 - target.size(), L'e') + L"\\Ink.8bf";
    ASSERT_EQ(259u, target.size());
    const WideString longTarget = ExtendedLengthPath(target);
    EXPECT_EQ(L"\\\\?\\" + target, longTarget);
    EXPECT_EQ(longTarget + L".4242-7.~qt", TemporaryPathFor(longTarget, 4242, 7));
}
} // namespace
