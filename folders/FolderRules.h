#pragma once
// Whether a folder path is acceptable, and creating a missing folder one level at a
// time. A path is absolute: a drive root (letter, ':', '\') or the two separators of a
// network path, followed by components separated by '\'; a double-byte character of
// the code page is one character, never a separator or a forbidden character.
#include "framework/Win32.h"

#include <string>

// The results of CreateFolderPath and EnsureFolder.
enum FolderResult : int {
    kFolderDeclined = -1,  // the user did not want the folder created
    kFolderReady = 0,      // it exists or was created
    kFolderInvalid = 1,    // the path breaks the rules
    kFolderNotCreated = 2, // it cannot be created (or a bare drive root does not exist)
};

// One component: not empty, no tab, space or full stop at either end, none of
// " * / : < > ? \ | and no control character. Every other byte is allowed.
bool IsValidFolderName(const std::string& name, UINT codePage = CP_ACP);

// Whether CreateFolderPath only judges the path or also creates what is missing.
enum class FolderWork { CheckOnly, Create };

// Checks the path component by component and, for Create, creates each missing level.
// Levels created before a failing one remain.
int CreateFolderPath(const std::string& path, FolderWork work, UINT codePage = CP_ACP);

// Whether EnsureFolder asks the user before it creates a missing folder.
enum class FolderCreation { AskFirst, Silent };

// Makes sure the folder exists: checks the whole path first, asks before creating
// when told to, and tells the user what went wrong. roomBelow: the characters the
// caller will add below the folder; a folder that leaves no room for them within
// MAX_PATH is invalid.
int EnsureFolder(const std::string& path, FolderCreation creation, size_t roomBelow = 0);

// Makes sure a destination's folder exists without asking: one trailing separator is
// dropped (a bare drive keeps its root separator). The result of EnsureFolder.
int PrepareFolder(const std::string& path);
