#include "folders/MbcsText.h"

#include <gtest/gtest.h>

namespace {
// In code page 932 the katakana "so" is the bytes 83 5C: its trail byte is '\'.
const std::string kSo = "\x83\x5C";

TEST(MbcsTextTest, PathsAreWalkedByWholeCharacters) {
    const struct {
        std::string text;
        UINT codePage;
        std::vector<size_t> starts;
        std::string withoutTrailingSeparator;
    } cases[] = {
        {"C:\\" + kSo, 932, {0, 1, 2, 3, 5}, "C:\\" + kSo},
        {"C:\\" + kSo, 1252, {0, 1, 2, 3, 4, 5}, "C:\\\x83"},
        {"C:\\a\\", 932, {0, 1, 2, 3, 4, 5}, "C:\\a"},
        // A lead byte at the very end stands alone.
        {"C:\\\x83", 932, {0, 1, 2, 3, 4}, "C:\\\x83"},
        {"", 932, {0}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " in code page " + std::to_string(c.codePage));
        EXPECT_EQ(c.starts, CharacterStarts(c.text, c.codePage));
        EXPECT_EQ(c.withoutTrailingSeparator, WithoutTrailingSeparator(c.text, c.codePage));
    }
}
} // namespace
