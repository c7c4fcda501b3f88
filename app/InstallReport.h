#pragma once
// What went wrong in one install, told to the user in one box when it ends: the
// plug-ins that could not be put in place, grouped by what the user can do about
// them, and the destinations the uninstall log does not hold. The box offers Retry
// when the user can clear some of it while it waits: a program holding a file, a
// full disk.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>
#include <vector>

class CInstallReport {
public:
    // Which of a copy's two files failed: the package's plug-in, read, or its copy in
    // the destination, written and put in place.
    enum class Side { Package, Destination };

    // Why plug-ins are not in place, in the order the box tells them.
    enum Cause {
        kPackageInUse,
        kPackageUnreadable,
        kInUse,
        kFolderInTheWay,
        kAccessDenied,
        kDiskFull,
        kBadFolder,
        kInTheWay,
        kPackageFolder,
        kNameNotHeld,
        kOther,
        kCauseCount
    };

    // path: the file of that side; error: the system's error code.
    void AddFailedCopy(const WideString& path, DWORD error, Side side);
    // A plug-in not even tried, because its destination was refused.
    void AddRefusedCopy(const WideString& target, Cause cause);
    // A destination that holds plug-ins but whose log record is missing; error: why the
    // log could not take it.
    void AddUnloggedDestination(const WideString& destination, DWORD error);
    // The log was left as it is: its name is a link to another file, or a folder.
    void SetLogRefused() { m_logRefused = true; }

    bool IsEmpty() const;
    // True when some of it may be cleared by the user while the box waits.
    bool CanRetry() const;
    // Wide: plug-ins are named by their real names; the log's ANSI path is the one
    // text the report converts.
    WideString Message(const std::string& logPath) const;

    // The error's cause, for a copy that failed on that side.
    static Cause CauseOf(DWORD error, Side side);
    // True when the user can clear what the error tells while the box waits: a program
    // holding a file, a full disk.
    static bool IsClearable(DWORD error);

private:
    std::vector<WideString> m_failed[kCauseCount];
    std::vector<WideString> m_unlogged;
    bool m_unloggedClearable = false;
    bool m_logRefused = false;
};
