#include "folders/DisplayText.h"

#include <gtest/gtest.h>

namespace {
// In code page 932 the katakana "so" is the bytes 83 5C: its trail byte is '\'.
const std::string kSo = "\x83\x5C";

TEST(DisplayTextTest, LongPathsAreShortenedInTheMiddleWithoutCuttingACharacter) {
    struct Case {
        std::string text;
        size_t max;
        UINT codePage;
        std::string shown;
    };
    const Case cases[] = {
        {"C:\\Photoshop\\Plug-Ins", 80, 1252, "C:\\Photoshop\\Plug-Ins"},
        {std::string(80, 'a'), 80, 1252, std::string(80, 'a')},
        // 13 characters: 4 of the start, 3 dots, 6 of the end.
        {"C:\\abcdefghij\\x.8bf", 13, 1252, "C:\\a...\\x.8bf"},
        // The same bytes in code page 932 are as many characters when none is double.
        {"C:\\abcdefghij\\x.8bf", 13, 932, "C:\\a...\\x.8bf"},
        // Double-byte characters count as one and stay whole on either side.
        {"C:\\" + kSo + kSo + kSo + kSo + kSo + kSo + kSo + kSo + "\\" + kSo + "x", 13, 932,
         "C:\\" + kSo + "..." + kSo + kSo + kSo + "\\" + kSo + "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.shown, ShortenedInTheMiddle(c.text, c.max, c.codePage));
    }

    const WideString pair = L"\xD83D\xDE00";
    EXPECT_EQ(L"C:\\" + pair + L"..." + pair + L"\\" + pair + L"x.8bf",
              ShortenedInTheMiddle(
                  L"C:\\" + pair + pair + pair + pair + pair + pair + L"\\" + pair + L"x.8bf", 15));
    EXPECT_EQ(WideString(100, L'w').substr(0, 30) + L"..." + WideString(47, L'w'),
              ShortenedInTheMiddle(WideString(100, L'w')));
}
} // namespace
