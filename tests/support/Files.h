#pragma once
// Real folders and files on the test prefix's drive C:, removed again afterwards.
#include "framework/Win32.h"

#include <string>

// The folder this test executable (and the installer beside it) was built into.
std::string BuildFolder();

// A new empty folder C:\qt-<name>-<n>, removed with everything in it on destruction.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

private:
    std::string m_path;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool IsFolder(const std::string& path);
void RemoveTree(const std::string& path);
