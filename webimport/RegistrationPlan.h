// What DllRegisterServer writes below HKEY_CLASSES_ROOT and what DllUnregisterServer removes,
// as data, so the table can be checked without a registry.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace webimport {

// One key, and optionally one string value in it (name "" is the key's default value).
struct RegEntry {
    std::string key;
    bool hasValue = false;
    std::string name;
    std::string data;
};

struct RegistrationPlan {
    std::vector<RegEntry> entries;    // in writing order, parents before children
    std::vector<std::string> fresh;   // trees removed before writing, so no stale subkey survives
    std::vector<std::string> owned;   // trees removed on unregistration
};

// The application-id part: "AppID\{appid}" and "AppID\MienkoAgent.DLL".
RegistrationPlan AppIdRegistration();
// The class part: both ProgIDs and "CLSID\{clsid}" with the server path `modulePath`.
RegistrationPlan ClassRegistration(std::string_view modulePath);

// Keys that registration shares with every other server and that unregistration must keep.
bool IsSharedParent(std::string_view key);

}  // namespace webimport
