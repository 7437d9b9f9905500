#include "FolderBrowser_win.h"

#include <commctrl.h>

#include <vector>

#include "EditorDriver_win.h"
#include "TestKit.h"

namespace edtest {

namespace {

constexpr UINT kAnswerMs = 30000;  // expanding a folder lists it in the browser's process

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindClass(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<ClassSearch*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpiW(cls, s->className) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    ClassSearch s{className, nullptr};
    EnumChildWindows(parent, FindClass, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

LRESULT Ask(HWND tree, UINT msg, WPARAM wp, HTREEITEM item) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(tree, msg, wp, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                        testkit::ScaledMs(kAnswerMs), &result);
    return static_cast<LRESULT>(result);
}

HTREEITEM Next(HWND tree, UINT how, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(Ask(tree, TVM_GETNEXTITEM, how, item));
}

// Selecting an item is what makes the dialog write its name into the name field.
std::string NameOf(HWND browser, HWND tree, HTREEITEM item) {
    Ask(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return SelectedFolderName(browser);
}

bool SameName(const std::string& a, const std::string& b) {
    return lstrcmpiW(Wide(a).c_str(), Wide(b).c_str()) == 0;
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
    Ask(tree, TVM_EXPAND, TVE_EXPAND, parent);
    std::vector<HTREEITEM> children;
    for (HTREEITEM c = Next(tree, TVGN_CHILD, parent); c && children.size() < 500;
         c = Next(tree, TVGN_NEXT, c))
        children.push_back(c);
    return children;
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

HWND WaitFolderBrowser(DWORD pid, DWORD ms) {
    HWND found = nullptr;
    testkit::WaitUntil(
        [&] {
            found = nullptr;
            for (HWND w = GetTopWindow(nullptr); w && !found; w = GetWindow(w, GW_HWNDNEXT)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == pid && IsWindowVisible(w) && ChildOfClass(w, WC_TREEVIEWW)) found = w;
            }
            return found != nullptr;
        },
        std::chrono::milliseconds(ms));
    return found;
}

std::string SelectedFolderName(HWND browser) {
    HWND field = ChildOfClass(browser, L"Edit");
    return field ? TextOf(field) : std::string();
}

bool SelectFolder(HWND browser, const std::string& path) {
    HWND tree = ChildOfClass(browser, WC_TREEVIEWW);
    std::vector<std::string> parts = Components(path);
    if (!tree || parts.empty()) return false;
    // The drive is a child of the desktop's "My Computer": look one and two levels down.
    HTREEITEM at = nullptr;
    auto isDrive = [&](HTREEITEM item) {
        return NameOf(browser, tree, item).find(parts[0]) != std::string::npos;
    };
    HTREEITEM desktop = Next(tree, TVGN_ROOT, nullptr);
    for (HTREEITEM child : Children(tree, desktop)) {
        if (isDrive(child)) at = child;
        for (HTREEITEM grandchild : at ? std::vector<HTREEITEM>{} : Children(tree, child))
            if (!at && isDrive(grandchild)) at = grandchild;
        if (at) break;
    }
    for (size_t i = 1; at && i < parts.size(); ++i) {
        HTREEITEM step = nullptr;
        for (HTREEITEM child : Children(tree, at))
            if (!step && SameName(NameOf(browser, tree, child), parts[i])) step = child;
        at = step;
    }
    if (!at) return false;
    Ask(tree, TVM_SELECTITEM, TVGN_CARET, at);
    return true;
}

}  // namespace edtest
