#include "folders/FolderRules.h"

#include "framework/DisplayText.h"
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

// A drive root such as C:\.
constexpr size_t kDriveRootLength = 3;

bool IsEdgeCharacter(char c) {
    return c == '\t' || c == ' ' || c == '.';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The bytes before the first component: a drive root, or the two separators before a
// network path's server. Anything else (.\x, \x, x\y, C:x) is relative to a current
// folder or drive: the same text would name another folder in another process, and a
// log record must name the folder written into. Zero for such a path.
size_t RootLength(const std::string& path) {
    if (path.size() >= kDriveRootLength && IsAsciiLetter(path[0]) && path[1] == ':' &&
        path[2] == '\\')
        return kDriveRootLength;
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
        return 2;
    return 0;
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
    const size_t root = RootLength(path);
    if (root == 0)
        return kFolderInvalid;
    if (path.size() == root) {
        // Two separators alone name no server.
        if (root != kDriveRootLength)
            return kFolderInvalid;
        if (work == FolderWork::CheckOnly)
            return kFolderReady;
        return PathExists(path) ? kFolderReady : kFolderNotCreated;
    }

    // The root is plain ASCII: the first component starts right after it.
    const std::vector<size_t> starts = CharacterStarts(path, codePage);
    size_t index = 0;
    while (starts[index] < root)
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
    // A box grows with its longest line: a path longer than a box can hold on the
    // screen, a text typed far beyond any path included, is shown shortened.
    const std::string shown = ShortenedInTheMiddle(path);
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
                "The folder:\n\n" + shown +
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
                ? "The folder:\n\n" + shown + "\n\nis invalid. Please reenter."
                : "The folder:\n\n" + shown + "\n\ncan not be created. Please double check.";
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return result;
    }
}

int PrepareFolder(const std::string& path) {
    std::string folder = WithoutTrailingSeparator(path);
    if (folder.size() < kDriveRootLength)
        folder += '\\';
    return EnsureFolder(folder, FolderCreation::Silent);
}
