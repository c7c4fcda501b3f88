#include "framework/Text.h"

WideString ToWide(const std::string& text, UINT codePage) {
    if (text.empty())
        return WideString();
    const int size = static_cast<int>(text.size());
    WideString wide(
        static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)),
        L'\0');
    if (!wide.empty())
        ::MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0],
                              static_cast<int>(wide.size()));
    return wide;
}

bool ToAnsiExactly(const WideString& text, std::string& ansi, UINT codePage) {
    ansi.clear();
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int bytes =
        ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    ansi.resize(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(codePage, 0, text.data(), size, &ansi[0], bytes, nullptr, nullptr);
    // Whatever the system substituted, the way back does not lead to the same text.
    return ToWide(ansi, codePage) == text;
}

WideString DecimalText(unsigned long long number) {
    wchar_t digits[20];
    size_t first = sizeof(digits) / sizeof(digits[0]);
    do {
        digits[--first] = static_cast<wchar_t>(L'0' + number % 10);
        number /= 10;
    } while (number != 0);
    return WideString(digits + first, sizeof(digits) / sizeof(digits[0]) - first);
}

bool SplitAtLastSeparator(const WideString& path, WideString& folder, WideString& name) {
    const size_t separator = path.rfind(L'\\');
    if (separator == WideString::npos)
        return false;
    folder = path.substr(0, separator);
    name = path.substr(separator + 1);
    return true;
}
