#include "FileDialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include "winfx/Com.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

constexpr size_t kNamesBuffer = 64 * 1024;  // characters: many files of one folder

std::wstring FilterText(const std::string& filter) {
    std::wstring w = winfx::ToWide(filter);
    for (wchar_t& c : w)
        if (c == L'|') c = L'\0';
    w.push_back(L'\0');
    return w;
}

}  // namespace

std::vector<std::string> AskOpenFiles(HWND owner, const std::string& filter, bool multiple,
                                      const std::string& defaultExtension) {
    std::vector<std::string> paths;
    std::wstring filterText = FilterText(filter);
    std::wstring extension = winfx::ToWide(defaultExtension);
    std::vector<wchar_t> names(kNamesBuffer, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = static_cast<DWORD>(names.size());
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                (multiple ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&ofn)) return paths;
    // One file: its full path. Several: the folder, then each name, NUL-separated.
    std::wstring first(names.data());
    const wchar_t* p = names.data() + first.size() + 1;
    if (!multiple || *p == L'\0') {
        paths.push_back(winfx::ToUtf8(first));
        return paths;
    }
    std::wstring folder = first;
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    while (*p) {
        std::wstring name(p);
        paths.push_back(winfx::ToUtf8(folder + name));
        p += name.size() + 1;
    }
    return paths;
}

std::string AskFolder(HWND owner, const std::string& title) {
    std::wstring titleText = winfx::ToWide(title);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = titleText.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (!list) return {};
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(list, path) != FALSE;
    CoTaskMemFree(list);
    return ok ? winfx::ToUtf8(path) : std::string();
}

}  // namespace editor
