#include "framework/MbcsText.h"

namespace {
// Calls f(position) for the first byte of every character, left to right.
template <class F> void ForEachCharacter(const std::string& text, UINT codePage, F f) {
    for (size_t i = 0; i < text.size(); ++i) {
        f(i);
        const auto byte = static_cast<BYTE>(text[i]);
        // A lead byte at the very end has no trail byte and stands alone.
        if (i + 1 < text.size() && ::IsDBCSLeadByteEx(codePage, byte))
            ++i;
    }
}
} // namespace

std::vector<size_t> CharacterStarts(const std::string& text, UINT codePage) {
    std::vector<size_t> starts;
    ForEachCharacter(text, codePage, [&](size_t i) { starts.push_back(i); });
    starts.push_back(text.size());
    return starts;
}

size_t FindLastSeparator(const std::string& text, UINT codePage) {
    size_t found = std::string::npos;
    ForEachCharacter(text, codePage, [&](size_t i) {
        if (text[i] == '\\')
            found = i;
    });
    return found;
}

size_t FindLastCharacter(const std::string& text, UINT codePage) {
    size_t last = std::string::npos;
    ForEachCharacter(text, codePage, [&](size_t i) { last = i; });
    return last;
}

bool EndsWithSeparator(const std::string& text, UINT codePage) {
    const size_t last = FindLastCharacter(text, codePage);
    return last != std::string::npos && text[last] == '\\';
}

std::string WithoutTrailingSeparator(const std::string& text, UINT codePage) {
    return EndsWithSeparator(text, codePage) ? text.substr(0, text.size() - 1) : text;
}

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
