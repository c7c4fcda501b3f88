#pragma once
// What went wrong in one install, told to the user in one box when it ends: the
// plug-ins that could not be put in place, grouped by what the user can do about
// them, and the destinations the uninstall log does not hold.
#include "framework/Win32.h"
#include "framework/WideString.h"

#include <string>
#include <vector>

class CInstallReport {
public:
    // Why plug-ins are not in place, in the order the box tells them.
    enum Cause {
        kInUse,
        kAccessDenied,
        kDiskFull,
        kBadFolder,
        kInTheWay,
        kPackageFolder,
        kNameNotHeld,
        kOther,
        kCauseCount
    };

    // target: the plug-in's path in its destination; error: the system's error code.
    void AddFailedCopy(const WideString& target, DWORD error);
    // A plug-in not even tried, because its destination was refused.
    void AddRefusedCopy(const WideString& target, Cause cause);
    // A destination whose plug-ins were installed but whose log record is missing.
    void AddUnloggedDestination(const std::string& destination);
    // The log was left as it is: its name is a link to another file, or a folder.
    void SetLogRefused() { m_logRefused = true; }

    bool IsEmpty() const;
    // Wide: plug-ins are named by their real names.
    WideString Message(const std::string& logPath) const;

private:
    static Cause CauseOf(DWORD error);

    std::vector<WideString> m_failed[kCauseCount];
    std::vector<WideString> m_unlogged;
    bool m_logRefused = false;
};
