// RegProbe.dll: a COM-registerable stand-in for the web import component. Registering it
// records, under HKCU\Software\FacelibTest, the path it was loaded from, so a test sees that
// the system registration tool ran on exactly that file.
#include <windows.h>

static HMODULE g_self;  // this DLL, for its own path

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_self = instance;
    return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(g_self, path, MAX_PATH);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\FacelibTest", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return E_FAIL;
    RegSetValueExW(key, L"RegProbe", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), (n + 1) * sizeof(wchar_t));
    RegCloseKey(key);
    return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\FacelibTest", L"RegProbe");
    return S_OK;
}
