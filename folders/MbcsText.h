#pragma once
// Folder paths are ANSI text in the system's code page. On a double-byte code page a
// trail byte can equal '\', so a path is walked by whole characters.
#include "framework/Win32.h"

#include <string>
#include <vector>

// Where each character of the text starts (its lead byte for a double-byte one), and
// the text's length as a last entry. A lead byte at the very end has no trail byte and
// stands alone.
std::vector<size_t> CharacterStarts(const std::string& text, UINT codePage = CP_ACP);

// The text without its last character when that is '\' (a double-byte character
// ending in that byte does not count).
std::string WithoutTrailingSeparator(const std::string& text, UINT codePage = CP_ACP);
