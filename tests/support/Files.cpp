#include "tests/support/Files.h"

#include "framework/Text.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

std::string BuildFolder() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

TempFolder::TempFolder(const std::string& name, const std::string& drive) {
    // A folder of an earlier test may still be on its way out (a program that ran in
    // it has only just ended): such a name is passed over like one in use.
    const unsigned first = ::GetCurrentProcessId() % 10000;
    for (unsigned n = first; n < first + 1000; ++n) {
        m_path = drive + "\\qt-" + name + "-" + std::to_string(n);
        if (::CreateDirectoryA(m_path.c_str(), nullptr))
            return;
    }
    throw std::runtime_error("cannot create a folder " + drive + "\\qt-" + name + "-...");
}

TempFolder::~TempFolder() {
    // A program that ran in the folder may still be letting go of its files.
    for (int attempt = 0;
         attempt < 20 && ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
         ++attempt) {
        if (attempt > 0)
            ::Sleep(50);
        RemoveTree(m_path);
    }
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    WriteFileBytes(ToWide(path), bytes);
}

void WriteFileBytes(const WideString& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a file");
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
    return ReadFileBytes(ToWide(path));
}

std::string ReadFileBytes(const WideString& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<WideString> FileNames(const std::string& folder) {
    std::vector<WideString> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((ToWide(folder) + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const WideString name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
void RemoveTreeWide(const WideString& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const WideString name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const WideString child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeWide(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(path.c_str());
}
} // namespace

void RemoveTree(const std::string& path) {
    // Wide: a test's folder may hold names the code page cannot.
    RemoveTreeWide(ToWide(path));
}

void MakeHardLink(const std::string& link, const std::string& target) {
    if (!::CreateHardLinkA(link.c_str(), target.c_str(), nullptr))
        throw std::runtime_error("cannot make a hard link " + link);
}

namespace {
std::string UnixPath(const std::string& path) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixFileName != nullptr ? unixFileName(ToWide(path).c_str()) : nullptr;
    if (name == nullptr)
        throw std::runtime_error("no Unix path for " + path + " (not under Wine?)");
    std::string unixPath = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return unixPath;
}

bool NameExists(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA(path.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    return true;
}
} // namespace

void MakeSymbolicLink(const std::string& link, const std::string& target) {
    // Wine starts a Unix program from its Unix path; its process cannot be waited for,
    // so the link's name is.
    std::string command = "/bin/ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        throw std::runtime_error("cannot run ln -s for " + link);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int waited = 0; !NameExists(link); waited += 20) {
        if (waited > 10000)
            throw std::runtime_error("ln -s made no link " + link);
        ::Sleep(20);
    }
}

DWORD LinkCount(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD links = ::GetFileInformationByHandle(file, &info) ? info.nNumberOfLinks : 0;
    ::CloseHandle(file);
    return links;
}

std::string SmallDrive() {
    char drive[8] = "";
    const DWORD length = ::GetEnvironmentVariableA("QUILLON_SMALL_DRIVE", drive, sizeof(drive));
    return length > 0 && length < sizeof(drive) ? std::string(drive, length) : std::string();
}

std::string FillDisk(const std::string& folder) {
    const std::string path = folder + "\\filler.bin";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + path);
    // Ever smaller pieces, down to one byte: the last page of the disk is taken too.
    const std::string chunk(64 * 1024, 'f');
    for (DWORD piece = static_cast<DWORD>(chunk.size()); piece > 0; piece /= 2) {
        DWORD written = 0;
        while (::WriteFile(file, chunk.data(), piece, &written, nullptr) && written == piece)
            ;
    }
    ::CloseHandle(file);
    return path;
}
