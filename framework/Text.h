#pragma once
// The program's text crosses one edge. Folders, registry values, the uninstall log and
// the texts of the dialogs' controls are ANSI text in the system's code page
// (std::string): the log and the hosts' registry entries hold them so. The plug-ins
// beside the executable and the executable's own path are UTF-16 (WideString), as they
// are on disk: a name the code page cannot hold must still reach the very file. The
// two meet where a file is asked for: an ANSI folder becomes wide with ToWide to reach
// the files in it, and a name found on disk becomes ANSI only when ToAnsiExactly can
// give it unchanged. Message boxes, which may name plug-ins, are shown in UTF-16.
#include "framework/Win32.h"

#include <string>

// UTF-16 text. Its own character traits make it a type of this program's, built from
// the library's templates for just the operations used: the library's prebuilt
// std::wstring would bring all of its code into the shipped executable (about 20 KiB
// of the 32-bit one).
struct WideCharTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideCharTraits>;

// The text in UTF-16; every text of a code page converts exactly.
WideString ToWide(const std::string& text, UINT codePage = CP_ACP);

// The UTF-16 text in the code page, only when the code page holds every character of
// it: the system would otherwise put a default character or a look-alike in its place
// (a best fit), and a path changed so names another file or none.
bool ToAnsiExactly(const WideString& text, std::string& ansi, UINT codePage = CP_ACP);

// The number in decimal digits.
WideString DecimalText(unsigned long long number);

// Splits a path at its last '\': the folder before it and the name after it. False,
// with both left as they were, when the path holds no separator.
bool SplitAtLastSeparator(const WideString& path, WideString& folder, WideString& name);
