#include "EditorDelivery_win.h"

#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include <climits>
#include <cstring>
#include <vector>

#include "EditorCommand.h"
#include "winfx/Unique.h"

namespace webimport {
namespace {

constexpr const wchar_t* kEditorClass = L"#32770";
constexpr const wchar_t* kEditorTitle = L"PeluQQ表情编辑器";
// The vendor key: "Software\Pelux\%s" formatted with an empty name.
constexpr const wchar_t* kVendorKey = L"Software\\Pelux\\";
// A cache entry, or an installation folder, larger than this is not believed.
constexpr DWORD kMaxCacheEntryBytes = 1 << 20;
constexpr DWORD kMaxAppPathBytes = 64 * 1024;

std::string LookUp(const std::string& url) {
    DWORD size = 0;
    if (GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    if (size < sizeof(INTERNET_CACHE_ENTRY_INFOA) || size > kMaxCacheEntryBytes) return {};
    // Whole entries keep the structure at the start of the buffer aligned.
    std::vector<INTERNET_CACHE_ENTRY_INFOA> buffer((size + sizeof(INTERNET_CACHE_ENTRY_INFOA) - 1) /
                                                   sizeof(INTERNET_CACHE_ENTRY_INFOA));
    DWORD given = size;
    if (!GetUrlCacheEntryInfoA(url.c_str(), buffer.data(), &given)) return {};
    const char* begin = reinterpret_cast<const char*>(buffer.data());
    const char* end = begin + size;
    const char* name = buffer[0].lpszLocalFileName;
    // The name must lie inside the buffer and end there.
    if (!name || name < begin || name >= end) return {};
    const void* nul = memchr(name, '\0', static_cast<size_t>(end - name));
    if (!nul) return {};
    return std::string(name, static_cast<const char*>(nul));
}

std::wstring FromSystemCodePage(const std::string& text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// "AppPath" of the vendor key; only a REG_SZ counts.
std::wstring InstallFolder() {
    winfx::UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kVendorKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), L"AppPath", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || size > kMaxAppPathBytes)
        return {};
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    if (RegQueryValueExW(key.Get(), L"AppPath", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &got) !=
            ERROR_SUCCESS ||
        type != REG_SZ || got > size)
        return {};
    value.resize(got / sizeof(wchar_t));
    const size_t nul = value.find(L'\0');
    if (nul != std::wstring::npos) value.resize(nul);
    return value;
}

}  // namespace

std::string ToSystemCodePage(BSTR text) {
    const UINT length = SysStringLen(text);
    if (length == 0 || length > INT_MAX) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

std::string CachedFileOf(const std::string& url) {
    std::string file = LookUp(url);
    // A fragment never reaches the server, so the browser cached the address without it.
    if (file.empty()) {
        const std::string_view bare = WithoutFragment(url);
        if (!bare.empty()) file = LookUp(std::string(bare));
    }
    return file;
}

bool SendToRunningEditor(const std::string& command) {
    const HWND editor = FindWindowW(kEditorClass, kEditorTitle);
    if (!editor) return false;
    if (command.size() > MAXDWORD) return true;  // cannot be described; the editor still runs
    // No "$" and no terminator: the editor takes exactly cbData bytes.
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(command.size());
    data.lpData = const_cast<char*>(command.data());
    // The send waits for the editor (it may show its add dialog meanwhile); only an editor
    // that stopped answering messages altogether must not freeze the page with it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                        INFINITE, &result);
    return true;
}

void StartEditor(const std::string& command) {
    const std::wstring file = L"\"" + InstallFolder() + L"\\Tessel.exe\"";
    const std::wstring params = FromSystemCodePage(command);
    ShellExecuteW(nullptr, L"open", file.c_str(), params.c_str(), nullptr, SW_SHOWNORMAL);
}

void HandToEditor(BSTR faceFile, BSTR desc) {
    const std::string url = ToSystemCodePage(faceFile);
    const std::string description = ToSystemCodePage(desc);
    const std::string command = AddFaceCommand(description, CachedFileOf(url));
    if (!SendToRunningEditor(command)) StartEditor(command);
}

}  // namespace webimport
