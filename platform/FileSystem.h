#pragma once
// The file-system operations the installer needs. Paths are ANSI texts with '\'
// separators; the plug-in files, whose names the code page may not hold, are copied by
// wide paths.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>

// True when a file or a folder of that name exists; nothing else is told apart.
bool PathExists(const std::string& path);

// Creates one folder; whether it worked is judged afterwards with PathExists.
void CreateOneFolder(const std::string& path);

// A path as ANSI text that names it exactly: its long form when the code page holds
// every character of it, otherwise its short (8.3) form when it has one that converts
// exactly. False when neither does: the ANSI calls would give a substituted name, which
// is another file or folder, or none.
bool ToAnsiPath(const WideString& path, std::string& ansi);

// The running executable's folder as ANSI text that names it exactly (ToAnsiPath).
bool GetExecutableFolder(std::string& folder);

// The process's current directory, or the empty text when it does not fit MAX_PATH.
std::string GetCurrentDir();

// The form of path that the wide calls take at any length (\\?\C:\... or
// \\?\UNC\server\share\...): made absolute and with '\' separators first, as
// Windows reads a plain path, since the long form is taken as it stands.
WideString ExtendedLengthPath(const WideString& path);

// Writes the bytes at offset whole; after a short or failed write the file is cut
// back to offset. True when every byte was written; otherwise GetLastError tells why.
bool WriteWholeAt(HANDLE file, LARGE_INTEGER offset, const std::string& bytes);

// Which file of a copy an error came from: the plug-in read, or its copy written and
// put in place.
enum class CopySide { Source, Target };

// What InstallCopy answers when a folder has the target's name: the system's
// ERROR_DIRECTORY_NOT_SUPPORTED, which the headers at hand lack.
constexpr DWORD kTargetIsAFolder = 336;

struct CopyResult {
    DWORD error = ERROR_SUCCESS;
    CopySide side = CopySide::Target;
};

// Puts a copy of source in place of target, so that target is never seen
// half-written: the bytes go to a temporary file in target's folder first, which then
// replaces target in one step. On any failure the temporary file is removed and an
// existing target is left as it was. The copy is never read-only, and a read-only
// target is replaced all the same, unless it is a link to another file: that one is
// left as it is (access denied). A target that fits MAX_PATH is installed although
// the temporary name is longer. Wide paths: files keep their own names, whatever
// the code page holds. ERROR_SUCCESS, or the system's error code and its side; a
// folder of target's name is kTargetIsAFolder, and a target that a
// running program holds or has loaded is ERROR_SHARING_VIOLATION.
CopyResult InstallCopy(const WideString& source, const WideString& target);

// The same for a path whose name the code page may not hold.
bool PathExists(const WideString& path);

// What is at a destination's path now: nothing, a real folder, or something else in
// the way (a file, or a link or junction leading elsewhere).
enum class FolderKind { Missing, RealFolder, InTheWay };
FolderKind KindOfFolder(const std::string& path);

// True when both paths name one and the same existing folder, however they are spelt
// (short names, case, links): compared by the file system's identity of the folder.
bool IsSameFolder(const std::string& first, const std::string& second);
