#include "tests/support/Hosts.h"

std::string AdobeVersionKey(const std::string& product, const std::string& version) {
    return std::string(kAdobeKey) + "\\" + product + "\\" + version;
}

void RegisterAdobe(const std::string& product, const std::string& version,
                   const std::string& appPath, REGSAM view) {
    SetRegString(HKEY_LOCAL_MACHINE, AdobeVersionKey(product, version), "ApplicationPath", appPath,
                 view);
}

void RegisterPhotoshop(const std::string& version, const std::string& appPath) {
    RegisterAdobe("Photoshop", version, appPath);
}

std::string JascPlugInsKey(const std::string& product) {
    return std::string(kJascKey) + "\\" + product + "\\FileLocations\\PlugIns\\0";
}

void RegisterJasc(const std::string& product, const std::string& plugInFolder) {
    SetRegString(HKEY_CURRENT_USER, JascPlugInsKey(product), "Dir", plugInFolder);
}

HostSandbox::HostSandbox()
    : RegistrySandbox({{HKEY_LOCAL_MACHINE, kAdobeKey}, {HKEY_CURRENT_USER, kJascKey}}) {}
