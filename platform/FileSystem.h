#pragma once
// The file-system operations the installer needs, each a thin call of the system. Paths
// are ANSI texts with '\' separators.
#include "framework/Win32.h"

#include <string>

// True when a file or a folder of that name exists; nothing else is told apart.
bool PathExists(const std::string& path);

// Creates one folder; whether it worked is judged afterwards with PathExists.
void CreateOneFolder(const std::string& path);

// The running executable's full path. False when the system cannot give it, or gives
// it only shortened: a shortened path would name the wrong folder.
bool GetExecutablePath(std::string& path);

// The process's current directory, or the empty text when it does not fit MAX_PATH.
std::string GetCurrentDir();

// Opens (or creates) a file for writing at its end, not shared and written through.
// Null when it cannot be opened.
HANDLE OpenForAppend(const std::string& path);

// Writes the bytes at the file's end; true when all of them were written.
bool WriteBytes(HANDLE file, const std::string& bytes);

void CloseFile(HANDLE file);

// Copies source to target, overwriting an existing target. True when the copy worked.
bool CopyOneFile(const std::string& source, const std::string& target);
