#include "folders/FolderRules.h"

#include "framework/MbcsText.h"
#include "framework/WinApp.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {
// Paths are handled in MAX_PATH buffers by the system's ANSI calls; a longer one
// could only be cut short, and a cut path names the wrong folder.
constexpr size_t kMaxPathLength = MAX_PATH - 1;

const std::string_view kForbidden = "\"*/:<>?\\|";

// The root is a path's first three bytes: a drive root such as C:\, or what stands in
// its place in a path that starts with a separator. Folders are walked below it.
constexpr size_t kRootLength = 3;

bool IsEdgeCharacter(char c) {
    return c == '\t' || c == ' ' || c == '.';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasAcceptablePrefix(const std::string& path, const std::vector<size_t>& starts) {
    if (path.size() >= kRootLength && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    // The first or the second character: on a double-byte code page the second
    // character need not start at byte 1.
    const size_t characters = starts.size() - 1;
    return (characters >= 1 && path[starts[0]] == '\\') ||
           (characters >= 2 && path[starts[1]] == '\\');
}
} // namespace

bool HasControlCharacter(const std::string& text) {
    // No code page uses bytes below 32 inside a double-byte character.
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c > 0 && static_cast<unsigned char>(c) < 32; });
}

bool IsValidFolderName(const std::string& name, UINT codePage) {
    // A line break in a folder name would also break the uninstall log's lines.
    if (name.empty() || HasControlCharacter(name))
        return false;
    const std::vector<size_t> starts = CharacterStarts(name, codePage);
    const size_t lastStart = starts[starts.size() - 2];
    if (IsEdgeCharacter(name[0]) ||
        (lastStart + 1 == name.size() && IsEdgeCharacter(name[lastStart])))
        return false;
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        // A double-byte character can hold any byte as its second one.
        if (starts[i + 1] - starts[i] != 1)
            continue;
        if (kForbidden.find(name[starts[i]]) != std::string_view::npos)
            return false;
    }
    return true;
}

int CreateFolderPath(const std::string& path, FolderWork work, UINT codePage) {
    if (path.size() > kMaxPathLength)
        return kFolderInvalid;
    const std::vector<size_t> starts = CharacterStarts(path, codePage);
    if (!HasAcceptablePrefix(path, starts))
        return kFolderInvalid;
    // A lone separator, or one character and a separator, has no folder to name.
    if (path.size() < kRootLength)
        return kFolderInvalid;
    if (path.size() == kRootLength) {
        if (work == FolderWork::CheckOnly)
            return kFolderReady;
        return PathExists(path) ? kFolderReady : kFolderNotCreated;
    }

    // The root is the first three bytes, or up to the end of the character that
    // straddles them.
    size_t index = 0;
    while (starts[index] < kRootLength)
        ++index;
    for (;;) {
        const size_t begin = starts[index];
        size_t end = index;
        while (starts[end] < path.size() && path[starts[end]] != '\\')
            ++end;
        const size_t endByte = starts[end];
        if (!IsValidFolderName(path.substr(begin, endByte - begin), codePage))
            return kFolderInvalid;
        if (work == FolderWork::Create) {
            const std::string level = path.substr(0, endByte);
            CreateOneFolder(level);
            if (!PathExists(level))
                return kFolderNotCreated;
        }
        if (endByte == path.size())
            return kFolderReady;
        if (endByte + 1 == path.size())
            return kFolderInvalid;
        index = end + 1;
    }
}

int EnsureFolder(const std::string& path, FolderCreation creation, size_t roomBelow) {
    // One place tells the user why a folder cannot be used, whichever check found it.
    try {
        if (path.size() + roomBelow > kMaxPathLength)
            throw static_cast<int>(kFolderInvalid);
        int result = CreateFolderPath(path, FolderWork::CheckOnly);
        if (result != kFolderReady)
            throw result;
        if (PathExists(path))
            return kFolderReady;
        if (creation == FolderCreation::AskFirst) {
            // The path is shown as data: a folder named with % signs appears as typed.
            const std::string question =
                "The folder:\n\n" + path +
                "\n\ndoes not exist. Do you want the folder to be created?";
            if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return kFolderDeclined;
        }
        result = CreateFolderPath(path, FolderWork::Create);
        if (result != kFolderReady)
            throw result;
        return kFolderReady;
    } catch (int result) {
        const std::string message =
            result == kFolderInvalid
                ? "The folder:\n\n" + path + "\n\nis invalid. Please reenter."
                : "The folder:\n\n" + path + "\n\ncan not be created. Please double check.";
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return result;
    }
}
