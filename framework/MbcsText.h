#pragma once
// Text is ANSI, in the system's code page. On a double-byte code page a trail byte can
// equal '\', so a search for the last separator must step over whole characters.
#include "framework/Win32.h"
#include "framework/WideString.h"

#include <string>
#include <vector>

// Where each character of the text starts (its lead byte for a double-byte one), and
// the text's length as a last entry.
std::vector<size_t> CharacterStarts(const std::string& text, UINT codePage = CP_ACP);

// Position of the last '\' that is a character of its own, or npos.
size_t FindLastSeparator(const std::string& text, UINT codePage = CP_ACP);

// Position of the last character of the text (its lead byte when it is a double-byte
// character), or npos for the empty text.
size_t FindLastCharacter(const std::string& text, UINT codePage = CP_ACP);

// True when the last character is '\' (a double-byte character ending in that byte
// does not count).
bool EndsWithSeparator(const std::string& text, UINT codePage = CP_ACP);

// The text without its last character when that is '\'.
std::string WithoutTrailingSeparator(const std::string& text, UINT codePage = CP_ACP);

// The text in UTF-16; every text of a code page converts exactly.
WideString ToWide(const std::string& text, UINT codePage = CP_ACP);

// The UTF-16 text in the code page, only when the code page holds every character of
// it: the system would otherwise put a default character or a look-alike in its place
// (a best fit), and a path changed so names another file or none.
bool ToAnsiExactly(const WideString& text, std::string& ansi, UINT codePage = CP_ACP);
