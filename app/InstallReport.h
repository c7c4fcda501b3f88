#pragma once
// What went wrong in one install, told to the user in one box when it ends: the
// plug-ins that could not be put in place, grouped by what the user can do about
// them, and the destinations the uninstall log does not hold. The box offers Retry
// when the user can clear some of it while it waits: a program holding a file, a
// full disk.
#include "framework/Win32.h"
#include "framework/WideString.h"

#include <string>
#include <vector>

class CInstallReport {
public:
    // Which of a copy's two files failed: the package's plug-in, read, or its copy in
    // the destination, written and put in place.
    enum class Side { Package, Destination };

    // path: the file of that side; error: the system's error code.
    void AddFailedCopy(const WideString& path, DWORD error, Side side);
    // A destination that holds plug-ins but whose log record is missing; error: why the
    // log could not take it.
    void AddUnloggedDestination(const std::string& destination, DWORD error);
    // The log was left as it is: its name is a link to another file, or a folder.
    void SetLogRefused() { m_logRefused = true; }

    bool IsEmpty() const;
    // True when some of it may be cleared by the user while the box waits.
    bool CanRetry() const;
    // Wide: plug-ins are named by their real names.
    WideString Message(const std::string& logPath) const;

private:
    enum Cause {
        kPackageInUse,
        kPackageUnreadable,
        kInUse,
        kFolderInTheWay,
        kAccessDenied,
        kDiskFull,
        kBadFolder,
        kOther,
        kCauseCount
    };
    static Cause CauseOf(DWORD error, Side side);
    static bool IsClearable(DWORD error);

    std::vector<WideString> m_failed[kCauseCount];
    std::vector<WideString> m_unlogged;
    bool m_unloggedClearable = false;
    bool m_logRefused = false;
};
