#include "EditorDriver_win.h"

#include <commctrl.h>

#include <fstream>

#include "EditorIds.h"
#include "FaceDatabase.h"
#include "PictureFaceRenderer_win.h"
#include "SampleSet.h"
#include "TestKit.h"
#include "winfx/DialogTemplate.h"

namespace edtest {

std::wstring Wide(const std::string& utf8) { return testkit::Wide(utf8); }
std::string Narrow(const std::wstring& wide) { return testkit::Narrow(wide); }

EditorProcess::~EditorProcess() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 10000);
    }
    CloseHandle(m_process);
}

bool EditorProcess::Start(const std::string& args) {
    const std::wstring exe = Wide(testkit::AppDir() + "\\Tessel.exe");
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + Wide(args);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Wide(testkit::AppDir()).c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    return true;
}

HWND EditorProcess::Window(DWORD ms) const {
    HWND found = nullptr;
    testkit::WaitUntil(
        [&] {
            found = FindWindowW(L"#32770", editor::kEditorTitle);
            return found && IsWindowVisible(found);
        },
        std::chrono::milliseconds(ms));
    return found && IsWindowVisible(found) ? found : nullptr;
}

bool EditorProcess::WaitForExit(DWORD ms, DWORD* exitCode) const {
    if (!m_process) return true;
    bool ended = testkit::WaitUntil([&] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; },
                                    std::chrono::milliseconds(ms));
    if (ended && exitCode) GetExitCodeProcess(m_process, exitCode);
    return ended;
}

bool EditorProcess::Close(DWORD ms) {
    HWND w = FindWindowW(L"#32770", editor::kEditorTitle);
    if (w) PostMessageW(w, WM_CLOSE, 0, 0);
    return WaitForExit(ms);
}

namespace {

struct DialogSearch {
    DWORD pid;
    std::wstring title;
    HWND except;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd) || hwnd == s->except) return TRUE;
    // Dialogs and message boxes only: a button's tooltip is a top-level window too.
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (lstrcmpW(cls, L"#32770") != 0) return TRUE;
    if (!s->title.empty()) {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        if (s->title != text) return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}

}  // namespace

HWND WaitDialog(DWORD pid, const std::string& title, DWORD ms) {
    DialogSearch s{pid, Wide(title), nullptr, nullptr};
    testkit::WaitUntil(
        [&] {
            s.found = nullptr;
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        std::chrono::milliseconds(ms));
    return s.found;
}

HWND OtherWindowOf(DWORD pid, HWND except) {
    DialogSearch s{pid, L"", except, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string TextOf(HWND hwnd) {
    wchar_t text[2048] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return Narrow(text);
}

std::string MessageOf(HWND box) {
    std::string message;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        if (lstrcmpiW(cls, L"Static") == 0) {
            std::string t = TextOf(c);
            if (!t.empty()) message = t;  // the last non-empty static holds the text (icon first)
        }
    }
    return message;
}

void ClickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitGone(HWND window, DWORD ms) {
    return testkit::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); },
                              std::chrono::milliseconds(ms));
}

void Settle(HWND window) {
    // Two round trips through the window's queue with a pause between them: the paint
    // messages queued by the first are handled before the second returns.
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(300));
    }
}

bool SendCommandLine(HWND editor, const std::string& text, bool withDollar) {
    // The 8-bit form of the system code page, as the programs send it.
    std::wstring wide = Wide(text);
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
    ansi.resize(ansi.size() - 1);
    std::string data = withDollar ? "$" + ansi : ansi;
    COPYDATASTRUCT cds{};
    cds.cbData = static_cast<DWORD>(data.size() + (withDollar ? 1 : 0));
    cds.lpData = data.data();
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), 0, 10000,
                               &result) != 0;
}

int CategoryCount(HWND editor) {
    return static_cast<int>(SendMessageW(GetDlgItem(editor, editor::IDC_CATEGORY_LIST), LVM_GETITEMCOUNT, 0, 0));
}

std::string PageLabel(HWND editor) { return TextOf(GetDlgItem(editor, editor::IDC_PAGE_LABEL)); }

bool IsControlVisible(HWND editor, int id) {
    HWND c = GetDlgItem(editor, id);
    return c && IsWindowVisible(c);
}

std::vector<HWND> Cells(HWND editor) {
    std::vector<HWND> cells;
    HWND panel = GetDlgItem(editor, editor::IDC_FACES_PANEL);
    if (!panel) return cells;
    RECT pr{};
    GetWindowRect(panel, &pr);
    // Cells sit on a 46-pixel pitch; the preview is the 91-pixel one.
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 8; ++col) {
            POINT p{pr.left + col * 46 + 22, pr.top + row * 46 + 22};
            HWND found = nullptr;
            for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(c, &r);
                if (r.right - r.left == 45 && PtInRect(&r, p)) found = c;
            }
            cells.push_back(found);
        }
    return cells;
}

HWND PreviewOf(HWND editor) {
    HWND panel = GetDlgItem(editor, editor::IDC_FACES_PANEL);
    for (HWND c = panel ? GetWindow(panel, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        if (r.right - r.left > 46) return c;
    }
    return nullptr;
}

FakePicker::FakePicker() {
    winfx::DialogTemplate t("PeluQQ表情精灵", WS_POPUP | WS_CAPTION, 0, 0, 60, 30);
    std::vector<BYTE> bytes = t.Bytes();
    m_hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), nullptr,
                                        &FakePicker::Proc, reinterpret_cast<LPARAM>(this));
}

FakePicker::~FakePicker() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

INT_PTR CALLBACK FakePicker::Proc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return TRUE;
    }
    auto* self = reinterpret_cast<FakePicker*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self && msg == editor::UM_LIBRARY_CHANGED) {
        ++self->m_reloads;
        return TRUE;
    }
    return FALSE;
}

Library::Library(const std::string& appDir) {
    m_ok = FaceDatabase::Open(m_connection, appDir + "\\data\\mienko.db");
    m_recordset.SetConnection(&m_connection);
    m_recordset.UseClientCursor();
}

std::vector<FaceRow> Library::Faces(int category) {
    std::vector<FaceRow> rows;
    m_library.ReadPage(category, 10000, 0, false, rows);
    return rows;
}

std::vector<std::string> Library::Names(int category) {
    std::vector<std::string> names;
    for (const FaceRow& r : Faces(category)) names.push_back(r.name);
    return names;
}

bool SeedLibrary(const std::vector<std::string>& names, const std::vector<int>& faces, uint8_t seed) {
    const std::string path = testkit::AppDir() + "\\data\\mienko.db";
    DeleteFileW(Wide(path).c_str());
    DeleteFileW(Wide(path + "-wal").c_str());
    DeleteFileW(Wide(path + "-shm").c_str());
    if (!FaceDatabase::CreateEmpty(path)) return false;
    CAdoConnection c;
    if (!FaceDatabase::Open(c, path)) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&c);
    rs.UseClientCursor();
    PictureFaceRenderer renderer;
    FaceLibrary library(c, rs, &renderer);
    for (size_t i = 0; i < names.size(); ++i) {
        int cat = library.CreateCategory(names[i], 0);
        if (cat <= 0) return false;
        int maxOrder = 0;
        for (int k = 0; i < faces.size() && k < faces[i]; ++k) {
            const std::string name = names[i] + "-" + std::to_string(k);
            uint8_t s = static_cast<uint8_t>(seed + i * 50 + static_cast<size_t>(k));
            if (library.AddFace(cat, maxOrder, "C:\\seed\\" + name + ".gif", name, ColourGif(s)) !=
                AddFaceResult::Added)
                return false;
        }
        if (!library.StoreMaxOrder(cat, maxOrder)) return false;
    }
    return true;
}

void RightClickCell(HWND cell) {
    PostMessageW(cell, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
}

void LeftClickCell(HWND cell) {
    PostMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

HWND WaitMenu(DWORD ms) {
    HWND menu = nullptr;
    testkit::WaitUntil(
        [&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        },
        std::chrono::milliseconds(ms));
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

std::vector<uint8_t> ColourGif(uint8_t seed) {
    const int side = 24 + seed % 20;
    return samples::ColourFramesGif(side, side,
                                    {static_cast<uint8_t>(2 + seed % 6), static_cast<uint8_t>(1 + (seed / 6) % 7)},
                                    {60, 60});
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    CloseHandle(f);
    return ok;
}

}  // namespace edtest
