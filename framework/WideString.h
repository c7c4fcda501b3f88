#pragma once
// UTF-16 text, for names that the ANSI code page cannot hold. Its own character traits
// make it a type of this program's, built from the library's templates for just the
// operations used: the library's prebuilt std::wstring would bring all of its code
// into the shipped executable (about 20 KiB of the 32-bit one).
#include <string>

struct WideCharTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideCharTraits>;

// Splits a path at its last '\': the folder before it and the name after it. False,
// with both left as they were, when the path holds no separator.
inline bool SplitAtLastSeparator(const WideString& path, WideString& folder, WideString& name) {
    const size_t separator = path.rfind(L'\\');
    if (separator == WideString::npos)
        return false;
    folder = path.substr(0, separator);
    name = path.substr(separator + 1);
    return true;
}
