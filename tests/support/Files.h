#pragma once
// Real folders and files on the test prefix's drive C:, removed again afterwards.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>
#include <vector>

// The folder this test executable (and the installer beside it) was built into.
std::string BuildFolder();

// A new empty folder C:\qt-<name>-<n> (or on another drive), removed with everything
// in it on destruction.
class TempFolder {
public:
    explicit TempFolder(const std::string& name, const std::string& drive = "C:");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

private:
    std::string m_path;
};

// Paths in ANSI text or, for names the code page cannot hold, wide.
void WriteFileBytes(const std::string& path, const std::string& bytes);
void WriteFileBytes(const WideString& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
std::string ReadFileBytes(const WideString& path);
bool IsFolder(const std::string& path);
// The names in a folder, sorted, without . and ..
std::vector<WideString> FileNames(const std::string& folder);
void RemoveTree(const std::string& path);

// Links made for real, as a user planting names would: a hard link (a second name of
// target's file) and a symbolic link, which Wine makes from a Unix `ln -s` inside the
// prefix's drive (Wine's CreateSymbolicLinkW makes nothing).
void MakeHardLink(const std::string& link, const std::string& target);
void MakeSymbolicLink(const std::string& link, const std::string& target);
// How many names the file has (its hard links), 0 when it cannot be opened.
DWORD LinkCount(const std::string& path);

// The test bench's small disk (a drive such as S:), or the empty text when the bench
// could not make one.
std::string SmallDrive();
// Fills the disk that holds folder with a file in it until not one more byte fits;
// the file's path.
std::string FillDisk(const std::string& folder);
