#include "folders/FolderRules.h"

#include "folders/DisplayText.h"
#include "folders/MbcsText.h"
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

bool IsControlCharacter(char c) {
    return c > 0 && static_cast<unsigned char>(c) < 32;
}

// The component whose first character is starts[first], read to the next separator
// or the end of the text: the index in starts where it ends, and whether it is a valid
// folder name. A double-byte character is one character: its second byte can be any
// byte, '\' included, and is never a separator or a forbidden character.
struct Component {
    size_t end;
    bool valid;
};

Component ReadComponent(const std::string& text, const std::vector<size_t>& starts, size_t first) {
    bool forbidden = false;
    size_t index = first;
    for (; starts[index] < text.size(); ++index) {
        if (starts[index + 1] - starts[index] != 1)
            continue;
        const char c = text[starts[index]];
        if (c == '\\')
            break;
        forbidden = forbidden || kForbidden.find(c) != std::string_view::npos;
    }
    const size_t begin = starts[first];
    const size_t end = starts[index];
    // A line break in a folder name would also break the uninstall log's lines. No code
    // page uses bytes below 32 inside a double-byte character.
    const bool valid = end > begin && !forbidden && !IsEdgeCharacter(text[begin]) &&
                       !(starts[index - 1] + 1 == end && IsEdgeCharacter(text[end - 1])) &&
                       std::none_of(text.begin() + begin, text.begin() + end, IsControlCharacter);
    return {index, valid};
}

// A path read once from its root: where each level ends, as far as the rules hold, and
// whether they hold to the end. A bare drive root has no levels.
struct FolderLevels {
    int verdict = kFolderInvalid;
    std::vector<size_t> ends;
};

// roomBelow: the characters a caller will add below the folder, which must fit too.
FolderLevels ReadLevels(const std::string& path, UINT codePage, size_t roomBelow) {
    FolderLevels levels;
    const size_t root = RootLength(path);
    if (path.size() + roomBelow > kMaxPathLength || root == 0)
        return levels;
    if (path.size() == root) {
        // Two separators alone name no server.
        if (root == kDriveRootLength)
            levels.verdict = kFolderReady;
        return levels;
    }
    // The root is plain ASCII: its bytes are its characters.
    const std::vector<size_t> starts = CharacterStarts(path, codePage);
    for (size_t first = root;;) {
        const Component component = ReadComponent(path, starts, first);
        // An empty component (a doubled or trailing separator) breaks the rules too.
        if (!component.valid)
            return levels;
        levels.ends.push_back(starts[component.end]);
        if (starts[component.end] == path.size()) {
            levels.verdict = kFolderReady;
            return levels;
        }
        first = component.end + 1;
    }
}

// Creates the levels the rules allowed, from the root down, so that a path broken
// further down keeps the levels above the break. A bare drive root is only looked for.
int CreateLevels(const std::string& path, const FolderLevels& levels) {
    if (levels.verdict == kFolderReady && levels.ends.empty())
        return PathExists(path) ? kFolderReady : kFolderNotCreated;
    for (const size_t end : levels.ends) {
        const std::string level = path.substr(0, end);
        CreateOneFolder(level);
        if (!PathExists(level))
            return kFolderNotCreated;
    }
    return levels.verdict;
}
} // namespace

bool IsValidFolderName(const std::string& name, UINT codePage) {
    const std::vector<size_t> starts = CharacterStarts(name, codePage);
    const Component component = ReadComponent(name, starts, 0);
    return component.valid && starts[component.end] == name.size();
}

int CreateFolderPath(const std::string& path, FolderWork work, UINT codePage) {
    const FolderLevels levels = ReadLevels(path, codePage, 0);
    return work == FolderWork::CheckOnly ? levels.verdict : CreateLevels(path, levels);
}

int EnsureFolder(const std::string& path, FolderCreation creation, size_t roomBelow) {
    // A box grows with its longest line: a path longer than a box can hold on the
    // screen, a text typed far beyond any path included, is shown shortened.
    const std::string shown = ShortenedInTheMiddle(path);
    // One place tells the user why a folder cannot be used, whichever step found it.
    const auto refused = [&shown](int result) {
        const std::string message =
            result == kFolderInvalid
                ? "The folder:\n\n" + shown + "\n\nis invalid. Please reenter."
                : "The folder:\n\n" + shown + "\n\ncan not be created. Please double check.";
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return result;
    };
    const FolderLevels levels = ReadLevels(path, CP_ACP, roomBelow);
    if (levels.verdict != kFolderReady)
        return refused(levels.verdict);
    if (PathExists(path))
        return kFolderReady;
    if (creation == FolderCreation::AskFirst) {
        // The path is shown as data: a folder named with % signs appears as typed.
        const std::string question =
            "The folder:\n\n" + shown + "\n\ndoes not exist. Do you want the folder to be created?";
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return kFolderDeclined;
    }
    const int result = CreateLevels(path, levels);
    return result == kFolderReady ? kFolderReady : refused(result);
}

int PrepareFolder(const std::string& path) {
    std::string folder = WithoutTrailingSeparator(path);
    if (folder.size() < kDriveRootLength)
        folder += '\\';
    return EnsureFolder(folder, FolderCreation::Silent);
}
