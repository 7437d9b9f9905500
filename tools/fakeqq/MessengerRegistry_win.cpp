#include "MessengerRegistry_win.h"

#include <windows.h>

#include "FakeQQProtocol.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (m_key) RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

}  // namespace

bool RegisterMessenger(const Registration& registration, const std::string& exePath,
                       std::string* written) {
    const std::string dir = registration.installDir.empty()
                                ? DeriveInstallDir(registration.key, exePath)
                                : registration.installDir;
    if (written) *written = dir;
    const char* path = registration.key == RegistryKey::QQ2009 ? kKeyQQ2009 : kKeyQQ;
    RegKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring value = Wide(dir);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), Wide(kInstallValue).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool UnregisterMessenger() {
    bool ok = true;
    for (const char* path : {kKeyQQ2009, kKeyQQ}) {
        const LSTATUS rc = RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(path).c_str());
        ok = ok && (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND);
    }
    return ok;
}

}  // namespace fakeqq
