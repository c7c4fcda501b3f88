#pragma once
// Texts shown in message boxes. A message box grows with its longest line and never
// breaks a path, so a path longer than a box can hold on the screen is shown shortened
// in the middle: its drive and first folders, and its last names, which tell the user
// most.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>

// The most characters of a path a message box shows on one line.
constexpr size_t kDisplayedPathLength = 80;

// The text whole when it has at most maxCharacters characters, otherwise its start and
// its end around "...", maxCharacters in all. A double-byte character of the code
// page, or a surrogate pair, counts as one and is never cut.
std::string ShortenedInTheMiddle(const std::string& text,
                                 size_t maxCharacters = kDisplayedPathLength,
                                 UINT codePage = CP_ACP);
WideString ShortenedInTheMiddle(const WideString& text,
                                size_t maxCharacters = kDisplayedPathLength);
