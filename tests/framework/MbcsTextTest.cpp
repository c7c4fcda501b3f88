#include "framework/MbcsText.h"

#include <gtest/gtest.h>

namespace {
// In code page 932 the katakana "so" is the bytes 83 5C: its trail byte is '\'.
const std::string kSo = "\x83\x5C";

TEST(MbcsTextTest, LastSeparatorStepsOverDoubleByteCharacters) {
    const std::string path = "C:\\Filters\\" + kSo;
    EXPECT_EQ(10u, FindLastSeparator(path, 932));
    EXPECT_EQ(12u, FindLastSeparator(path, 1252));
    EXPECT_EQ(2u, FindLastSeparator("C:\\" + kSo + kSo, 932));
    EXPECT_EQ(std::string::npos, FindLastSeparator(kSo, 932));
    EXPECT_EQ(std::string::npos, FindLastSeparator("", 932));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(4u, FindLastSeparator("C:\\a\\\x83", 932));
}

TEST(MbcsTextTest, LastCharacterIsTheLeadByteOfADoubleByteCharacter) {
    EXPECT_EQ(3u, FindLastCharacter("C:\\" + kSo, 932));
    EXPECT_EQ(4u, FindLastCharacter("C:\\" + kSo, 1252));
    EXPECT_EQ(2u, FindLastCharacter("C:\\", 932));
    EXPECT_EQ(std::string::npos, FindLastCharacter("", 932));
}
} // namespace
