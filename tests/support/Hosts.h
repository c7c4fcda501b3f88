#pragma once
// The image editors the installer looks for, registered in the test prefix's registry
// where their makers' set-ups put them. A HostSandbox removes every host registration
// when it is made and again when it goes, so each test starts from a machine that has
// only the hosts it registers.
#include "tests/support/Registry.h"

#include <string>

// Every host registration lies below one of these: Adobe's under HKEY_LOCAL_MACHINE,
// JASC's under HKEY_CURRENT_USER.
constexpr char kAdobeKey[] = "Software\\Adobe";
constexpr char kJascKey[] = "Software\\JASC";

// One version of an Adobe product ("Photoshop", "Photoshop Elements"), installed in
// appPath: its plug-ins go into appPath's Plug-Ins folder.
std::string AdobeVersionKey(const std::string& product, const std::string& version);
void RegisterAdobe(const std::string& product, const std::string& version,
                   const std::string& appPath, REGSAM view = kView32);
void RegisterPhotoshop(const std::string& version, const std::string& appPath);

// A JASC product whose plug-in folder is plugInFolder, kept in the key's "Dir" value.
std::string JascPlugInsKey(const std::string& product);
void RegisterJasc(const std::string& product, const std::string& plugInFolder);

class HostSandbox : public RegistrySandbox {
public:
    HostSandbox();
};
