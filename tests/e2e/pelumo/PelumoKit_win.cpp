#include "PelumoKit_win.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "PictureFaceRenderer_win.h"
#include "SampleSet.h"
#include "TestKit.h"

namespace pelumo {

using testkit::Wide;

std::string ProgramTitle() { return "PeluQQ表情精灵"; }

bool WaitFor(const std::function<bool()>& cond, DWORD ms) {
    return testkit::WaitUntil(cond, std::chrono::milliseconds(ms));
}

// A distinct picture per index: a sample face with the index after the GIF trailer,
// which decoders ignore and the digest does not.
std::vector<uint8_t> FacePicture(int index) {
    std::vector<uint8_t> gif = samples::DelayGif(10 + index % 5);
    const std::string tag = "#" + std::to_string(index);
    gif.insert(gif.end(), tag.begin(), tag.end());
    return gif;
}

bool MakeLibrary(const std::string& app, const std::vector<LibraryCategory>& categories) {
    const std::string path = app + "\\data\\mienko.db";
    DeleteFileW(Wide(path).c_str());
    DeleteFileW(Wide(path + "-wal").c_str());
    DeleteFileW(Wide(path + "-shm").c_str());
    if (!FaceDatabase::CreateEmpty(path)) return false;
    CAdoConnection connection;
    if (!FaceDatabase::Open(connection, path)) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&connection);
    PictureFaceRenderer renderer;
    FaceLibrary library(connection, rs, &renderer);
    if (!library.EnsureTables()) return false;
    int face = 0;
    for (const LibraryCategory& c : categories) {
        const int id = library.CreateCategory(c.name, 0);
        if (id < 0) return false;
        int maxOrder = 0;
        for (int i = 0; i < c.faces; ++i, ++face) {
            const std::string name = (face % 2 ? "微笑 " : "smile ") + std::to_string(face);
            const std::string file = "C:\\faces\\f" + std::to_string(face) + ".gif";
            if (library.AddFace(id, maxOrder, file, name, FacePicture(face)) != AddFaceResult::Added)
                return false;
        }
        library.StoreMaxOrder(id, maxOrder);
    }
    connection.Close();
    return true;
}

bool AddToLibrary(const std::string& app, const std::string& category, int firstFace, int count) {
    CAdoConnection connection;
    if (!FaceDatabase::Open(connection, app + "\\data\\mienko.db")) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&connection);
    PictureFaceRenderer renderer;
    FaceLibrary library(connection, rs, &renderer);
    const int id = library.CreateCategory(category, 0);
    CategoryRow row;
    if (id < 0 || !library.ReadCategory(id, row)) return false;
    int maxOrder = row.maxOrder;
    for (int face = firstFace; face < firstFace + count; ++face) {
        const std::string name = "smile " + std::to_string(face);
        const std::string file = "C:\\faces\\f" + std::to_string(face) + ".gif";
        if (library.AddFace(id, maxOrder, file, name, FacePicture(face)) != AddFaceResult::Added) return false;
    }
    library.StoreMaxOrder(id, maxOrder);
    connection.Close();
    return true;
}

bool AddRawFaces(const std::string& app, const std::string& category, const std::vector<RawFace>& faces) {
    CAdoConnection connection;
    if (!FaceDatabase::Open(connection, app + "\\data\\mienko.db")) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&connection);
    PictureFaceRenderer renderer;
    FaceLibrary library(connection, rs, &renderer);
    const int id = library.CreateCategory(category, 0);
    if (id < 0) return false;
    std::vector<FaceRecord> records;
    for (const RawFace& f : faces) records.push_back({f.digest, f.fileName, f.name, f.thumbnail, f.picture});
    const bool ok = library.CopyFaces(records, id) == static_cast<int>(records.size());
    connection.Close();
    return ok;
}

bool AddPicture(const std::string& app, const std::string& category, const std::string& name,
                const std::string& fileName, const std::vector<uint8_t>& picture) {
    CAdoConnection connection;
    if (!FaceDatabase::Open(connection, app + "\\data\\mienko.db")) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&connection);
    PictureFaceRenderer renderer;
    FaceLibrary library(connection, rs, &renderer);
    const int id = library.CreateCategory(category, 0);
    CategoryRow row;
    if (id < 0 || !library.ReadCategory(id, row)) return false;
    int maxOrder = row.maxOrder;
    const bool ok = library.AddFace(id, maxOrder, fileName, name, picture) == AddFaceResult::Added &&
                    library.StoreMaxOrder(id, maxOrder);
    connection.Close();
    return ok;
}

bool MakeStandardLibrary(const std::string& app) {
    return MakeLibrary(app, {{"默认表情", 95}, {"可爱动物", 3}});
}

void QuietUpdates() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    auto set = [&](const wchar_t* name, DWORD v) {
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    };
    set(L"AppVer", 101);
    set(L"NextUpdate", 0x7FFFFFF0);
    set(L"NextFaceUpdateFlag", 4);
    RegCloseKey(key);
}

void ClearRegistry() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\mienko");
}

Picker::~Picker() { Kill(); }

void Picker::Kill() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        // Until it is gone it holds "MienkoMain": a picker started next would only forward.
        WaitForSingleObject(m_process, testkit::ScaledMs(10000));
    }
    CloseHandle(m_process);
    m_process = nullptr;
    m_window = nullptr;
}

bool Picker::Start(const std::string& app, const std::string& params) {
    std::wstring cmd = L"\"" + Wide(app + "\\Pelumo.exe") + L"\"";
    if (!params.empty()) cmd += L" " + Wide(params);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Wide(app).c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    return true;
}

bool Picker::WaitWindow() {
    const std::wstring title = Wide(ProgramTitle());
    bool ended = false;
    const bool shown = WaitFor([&] {
        if (m_process && WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0) {
            ended = true;  // no window will come
            return true;
        }
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32770", title.c_str())) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            // The main window has no owner; message boxes are owned by it.
            if (pid == m_pid && IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) {
                m_window = w;
                return true;
            }
        }
        return false;
    }, 60000);
    if (ended) {
        DWORD code = 0;
        GetExitCodeProcess(m_process, &code);
        std::fprintf(stderr, "the picker ended before it showed its window, exit code %lu\n", code);
        return false;
    }
    return shown;
}

bool Picker::WaitExit(DWORD ms, DWORD* code) {
    if (!m_process) return true;
    if (WaitForSingleObject(m_process, ms) != WAIT_OBJECT_0) return false;
    if (code) GetExitCodeProcess(m_process, code);
    return true;
}

std::string Picker::Text(int id) const {
    wchar_t buf[1024] = {};
    GetWindowTextW(GetDlgItem(m_window, id), buf, 1024);
    return testkit::Narrow(buf);
}

bool Picker::Visible(int id) const { return IsWindowVisible(GetDlgItem(m_window, id)) != FALSE; }

void Picker::Click(int id) const {
    HWND control = GetDlgItem(m_window, id);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void Picker::ChooseCategory(int position) const {
    HWND combo = GetDlgItem(m_window, kCategoryCombo);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(kCategoryCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Picker::Search(const std::string& text) const {
    HWND box = GetDlgItem(m_window, kSearchBox);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    // Posted: the search may show a message box, which the test answers.
    PostMessageW(GetDlgItem(m_window, kSearchButton), BM_CLICK, 0, 0);
}

int Picker::VisibleCells() const {
    HWND panel = GetDlgItem(m_window, 1031 + 1000);
    int n = 0;
    for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && GetDlgCtrlID(c) == 0xFFFF) {
            RECT r;
            GetWindowRect(c, &r);
            if (r.right - r.left == 45) ++n;  // cells, not the preview
        }
    return n;
}

HWND Picker::Preview() const {
    HWND panel = GetDlgItem(m_window, 1031 + 1000);
    for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        if (r.right - r.left > 46) return c;
    }
    return nullptr;
}

HWND Picker::Cell(int index) const {
    HWND panel = GetDlgItem(m_window, 1031 + 1000);
    RECT pr;
    GetClientRect(panel, &pr);
    const int columns = (pr.right + 1) / 46;
    if (columns <= 0) return nullptr;
    const POINT want{46 * (index % columns), 46 * (index / columns)};
    for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        if (r.right - r.left != 45) continue;
        POINT p{r.left, r.top};
        ScreenToClient(panel, &p);
        if (p.x == want.x && p.y == want.y) return c;
    }
    return nullptr;
}

HWND Picker::FindOwnWindow(const std::string& title, DWORD timeoutMs) const {
    const std::wstring wtitle = Wide(title);
    HWND found = nullptr;
    WaitFor([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, nullptr, wtitle.c_str())) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == m_pid && IsWindowVisible(w)) {
                found = w;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

HWND Picker::WaitPopupMenu(DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == m_pid && IsWindowVisible(w)) {
                found = w;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

std::string Picker::TakeMessageBox(int answer, DWORD timeoutMs) const {
    const std::wstring title = Wide(ProgramTitle());
    HWND box = nullptr;
    WaitFor([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32770", title.c_str())) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == m_pid && w != m_window && IsWindowVisible(w)) {
                box = w;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    if (!box) return "<no message box>";
    std::string text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        if (lstrcmpiW(cls, L"Static") == 0) {
            wchar_t buf[2048] = {};
            GetWindowTextW(c, buf, 2048);
            text += testkit::Narrow(buf);
        }
    }
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    // The program goes on only once the box is gone: the next step must not race it.
    WaitFor([&] { return !IsWindow(box); }, timeoutMs);
    return text;
}

bool RunSecond(const std::string& app, const std::string& params, DWORD timeoutMs) {
    Picker second;
    if (!second.Start(app, params)) return false;
    const bool ended = second.WaitExit(timeoutMs);
    return ended;
}

}  // namespace pelumo
