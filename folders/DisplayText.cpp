#include "folders/DisplayText.h"

#include "folders/MbcsText.h"

#include <vector>

namespace {
const size_t kEllipsisLength = 3;

// The end keeps more than the start: a file's name and its folder say the most.
size_t HeadLength(size_t maxCharacters) {
    return (maxCharacters - kEllipsisLength) * 2 / 5;
}

// starts: where each character begins, and the text's length as a last entry.
template <class Text>
Text Shortened(const Text& text, const std::vector<size_t>& starts, size_t maxCharacters,
               const Text& ellipsis) {
    const size_t characters = starts.size() - 1;
    if (characters <= maxCharacters || maxCharacters <= kEllipsisLength)
        return text;
    const size_t head = HeadLength(maxCharacters);
    const size_t tail = maxCharacters - kEllipsisLength - head;
    return text.substr(0, starts[head]) + ellipsis + text.substr(starts[characters - tail]);
}
} // namespace

std::string ShortenedInTheMiddle(const std::string& text, size_t maxCharacters, UINT codePage) {
    return Shortened(text, CharacterStarts(text, codePage), maxCharacters, std::string("..."));
}

WideString ShortenedInTheMiddle(const WideString& text, size_t maxCharacters) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        starts.push_back(i);
        if (i + 1 < text.size() && IS_HIGH_SURROGATE(text[i]) && IS_LOW_SURROGATE(text[i + 1]))
            ++i;
    }
    starts.push_back(text.size());
    return Shortened(text, starts, maxCharacters, WideString(L"..."));
}
