#include "folders/MbcsText.h"

std::vector<size_t> CharacterStarts(const std::string& text, UINT codePage) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        starts.push_back(i);
        if (i + 1 < text.size() && ::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])))
            ++i;
    }
    starts.push_back(text.size());
    return starts;
}

std::string WithoutTrailingSeparator(const std::string& text, UINT codePage) {
    const std::vector<size_t> starts = CharacterStarts(text, codePage);
    const bool endsWithSeparator = starts.size() > 1 && text[starts[starts.size() - 2]] == '\\';
    return endsWithSeparator ? text.substr(0, text.size() - 1) : text;
}
