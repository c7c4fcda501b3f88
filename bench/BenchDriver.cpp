// Measures the installer against plain baselines, side by side in one run:
//   start-up to the dialog being ready, with 3 and with 1,000 registered hosts,
//     against a bare program that shows the same dialog template;
//   installing 200 plug-ins of 1 MB into 3 hosts, against a loop of CopyFile over the
//     same files.
// Usage: bench_driver RUNS OUTPUT_FILE
#include "tests/support/Hosts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {
const char kCaption[] = "Quillon Tools deployment";
const char kWork[] = "C:\\quillon-bench";
constexpr int kPlugins = 200;
constexpr DWORD kPluginSize = 1 << 20;
const char* const kHostFolders[] = {"C:\\quillon-bench\\Host A", "C:\\quillon-bench\\Host B",
                                    "C:\\quillon-bench\\Host C"};

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Process {
    PROCESS_INFORMATION info{};
    bool Start(const std::string& exe, const std::string& folder) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + exe + "\"";
        return ::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &info) != FALSE;
    }
    void Wait() {
        if (::WaitForSingleObject(info.hProcess, 120000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "bench: the program did not end within two minutes\n");
            ::TerminateProcess(info.hProcess, 1);
            std::exit(1);
        }
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
};

// A run that goes wrong ends the benchmark with a message, never with a hang.
[[noreturn]] void Fail(Process& process, const char* what) {
    std::fprintf(stderr, "bench: %s\n", what);
    ::TerminateProcess(process.info.hProcess, 1);
    std::exit(1);
}

HWND FindDialog(DWORD pid) {
    for (HWND window = ::FindWindowA("#32770", kCaption); window != nullptr;
         window = ::FindWindowExA(nullptr, window, "#32770", kCaption)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == pid && ::IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// The program's dialog once it is on the screen; at most two minutes are waited.
HWND WaitForDialog(Process& process) {
    const ULONGLONG end = ::GetTickCount64() + 120000;
    for (;;) {
        if (HWND dialog = FindDialog(process.info.dwProcessId))
            return dialog;
        if (::GetTickCount64() >= end)
            Fail(process, "the dialog did not appear within two minutes");
        ::Sleep(0);
    }
}

// Seconds from the start of the program to its dialog on the screen; then closes it.
double TimeStartup(const std::string& exe, const std::string& folder) {
    Process process;
    const double start = Now();
    if (!process.Start(exe, folder))
        return -1;
    HWND dialog = WaitForDialog(process);
    const double ready = Now() - start;
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    process.Wait();
    return ready;
}

// Seconds from pressing Install to the installer's end.
double TimeInstall(const std::string& exe, const std::string& folder) {
    Process process;
    if (!process.Start(exe, folder))
        return -1;
    HWND dialog = WaitForDialog(process);
    // The first host is ticked already; the user ticks the other two. Sent, not
    // posted: each click is handled before the clock starts.
    HWND list = ::GetDlgItem(dialog, 1000);
    const auto height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    for (int row = 1; row < 3; ++row) {
        const LPARAM point = MAKELPARAM(6, row * height + height / 2);
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(list, WM_LBUTTONDOWN, MK_LBUTTON, point, SMTO_NORMAL, 10000,
                                   &result) ||
            !::SendMessageTimeoutA(list, WM_LBUTTONUP, 0, point, SMTO_NORMAL, 10000, &result))
            Fail(process, "the host list did not take a click");
    }
    const double start = Now();
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    process.Wait();
    return Now() - start;
}

double TimeCopyLoop(const std::vector<std::string>& files) {
    const double start = Now();
    for (const char* host : kHostFolders) {
        const std::string target = std::string(host) + "\\Plug-Ins\\QuillonTools\\";
        for (const std::string& file : files)
            ::CopyFileA(file.c_str(), (target + file.substr(file.rfind('\\') + 1)).c_str(), FALSE);
    }
    return Now() - start;
}

void SetHosts(int count, const std::vector<std::string>& folders) {
    DeleteRegTree(HKEY_LOCAL_MACHINE, std::string(kAdobeKey) + "\\Photoshop");
    for (int i = 0; i < count; ++i)
        RegisterPhotoshop(std::to_string(1000 + i) + ".0",
                          folders[static_cast<size_t>(i) % folders.size()]);
}

void RemoveTargets() {
    for (const char* host : kHostFolders) {
        const std::string target = std::string(host) + "\\Plug-Ins\\QuillonTools";
        WIN32_FIND_DATAA entry;
        HANDLE find = ::FindFirstFileA((target + "\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileA((target + "\\" + entry.cFileName).c_str());
            while (::FindNextFileA(find, &entry));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(target.c_str());
        ::RemoveDirectoryA((std::string(host) + "\\Plug-Ins").c_str());
    }
    ::DeleteFileA((std::string(kWork) + "\\package\\puninst.log").c_str());
}

// How many plug-ins each host's QuillonTools folder holds, at the least.
int CopiedToEveryHost() {
    int least = kPlugins;
    for (const char* host : kHostFolders) {
        int count = 0;
        WIN32_FIND_DATAA entry;
        HANDLE find = ::FindFirstFileA(
            (std::string(host) + "\\Plug-Ins\\QuillonTools\\*.8bf").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do
                ++count;
            while (::FindNextFileA(find, &entry));
            ::FindClose(find);
        }
        least = std::min(least, count);
    }
    return least;
}

void Row(FILE* out, const char* what, double subject, double baseline, const char* target) {
    std::fprintf(out, "| %-44s | %9.1f ms | %9.1f ms | %5.2f | %-6s |\n", what, subject * 1000,
                 baseline * 1000, subject / baseline, target);
}
} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string bin = std::string(self).substr(0, std::string(self).rfind('\\'));

    const std::string package = std::string(kWork) + "\\package";
    ::CreateDirectoryA(kWork, nullptr);
    ::CreateDirectoryA(package.c_str(), nullptr);
    const std::string installer = package + "\\QuillonDeploy.exe";
    const std::string bare = package + "\\bare_dialog.exe";
    ::CopyFileA((bin + "\\QuillonDeploy.exe").c_str(), installer.c_str(), FALSE);
    ::CopyFileA((bin + "\\bare_dialog.exe").c_str(), bare.c_str(), FALSE);
    std::vector<std::string> files;
    std::string bytes(kPluginSize, '\0');
    for (int i = 0; i < kPlugins; ++i) {
        for (DWORD j = 0; j < kPluginSize; j += 4096)
            bytes[j] = static_cast<char>(i + j);
        files.push_back(package + "\\Plug-in " + std::to_string(i) + ".8bf");
        HANDLE file = ::CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), kPluginSize, &written, nullptr);
        ::CloseHandle(file);
    }
    std::vector<std::string> hostFolders(std::begin(kHostFolders), std::end(kHostFolders));
    for (const std::string& folder : hostFolders)
        ::CreateDirectoryA(folder.c_str(), nullptr);

    // Each measurement and its baseline alternate, run after run, so both see the
    // same machine; a first unmeasured round warms the caches.
    std::vector<double> start3, bare3, start1000, bare1000, install, copy;
    for (int run = 0; run <= runs; ++run) {
        const bool keep = run > 0;
        SetHosts(3, hostFolders);
        const double s3 = TimeStartup(installer, package), b3 = TimeStartup(bare, package);
        SetHosts(1000, hostFolders);
        const double s1000 = TimeStartup(installer, package), b1000 = TimeStartup(bare, package);
        SetHosts(3, hostFolders);
        RemoveTargets();
        const double i = TimeInstall(installer, package);
        if (CopiedToEveryHost() != kPlugins)
            std::fprintf(stderr, "the installer did not copy every plug-in to every host\n");
        // The loop copies the same files into fresh folders, as the installer did.
        RemoveTargets();
        for (const char* host : kHostFolders) {
            ::CreateDirectoryA((std::string(host) + "\\Plug-Ins").c_str(), nullptr);
            ::CreateDirectoryA((std::string(host) + "\\Plug-Ins\\QuillonTools").c_str(), nullptr);
        }
        const double c = TimeCopyLoop(files);
        if (CopiedToEveryHost() != kPlugins)
            std::fprintf(stderr, "the copy loop did not copy every plug-in to every host\n");
        if (keep) {
            start3.push_back(s3);
            bare3.push_back(b3);
            start1000.push_back(s1000);
            bare1000.push_back(b1000);
            install.push_back(i);
            copy.push_back(c);
        }
        std::fprintf(stderr, "run %d done\n", run);
    }
    SetHosts(0, hostFolders);
    RemoveTargets();

    FILE* out = argc > 2 ? std::fopen(argv[2], "w") : nullptr;
    for (FILE* stream : {stdout, out}) {
        if (stream == nullptr)
            continue;
        std::fprintf(stream, "QuillonDeploy benchmark under Wine: medians of %d runs\n\n", runs);
        std::fprintf(stream, "| %-44s | %12s | %12s | %5s | %-6s |\n", "measure", "installer",
                     "baseline", "ratio", "target");
        std::fprintf(stream, "|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(),
                     std::string(14, '-').c_str(), std::string(14, '-').c_str(),
                     std::string(7, '-').c_str(), std::string(8, '-').c_str());
        Row(stream, "start-up to dialog ready, 3 hosts", Median(start3), Median(bare3), "<=1.10");
        Row(stream, "start-up to dialog ready, 1,000 hosts", Median(start1000), Median(bare1000),
            "<=1.5");
        Row(stream, "install 200 x 1 MB into 3 hosts", Median(install), Median(copy), "<=1.10");
    }
    if (out != nullptr)
        std::fclose(out);
    return 0;
}
