// Driving the real picker: a library made for the test, the program started and found,
// its controls read and clicked from outside as another program would.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pelumo {

constexpr int kCategoryCombo = 1039;
constexpr int kSearchBox = 1046;
constexpr int kSearchButton = 1001;
constexpr int kPrevPage = 1016;
constexpr int kNextPage = 1017;
constexpr int kPage1 = 1018;
constexpr int kPageLabel = 1049;
constexpr UINT kLibraryChanged = WM_USER + 11;
constexpr UINT kChatActive = WM_USER + 101;

struct LibraryCategory {
    std::string name;
    int faces = 0;
};

// Replaces the program folder's library: categories in order (ids 1, 2, ...), faces named
// "smile 1", "微笑 2", ... alternately, each a distinct GIF with a thumbnail.
bool MakeLibrary(const std::string& app, const std::vector<LibraryCategory>& categories);
// Adds faces firstFace ... firstFace + count - 1 to the category of that name (made when
// missing) of the existing library, as the editor would while the picker runs.
bool AddToLibrary(const std::string& app, const std::string& category, int firstFace, int count);

// Stores faces exactly as given (digest, names, thumbnail and picture bytes, however odd)
// at the end of the category of that name (made when missing) of the existing library.
struct RawFace {
    std::string digest;
    std::string name;
    std::string fileName;
    std::vector<uint8_t> thumbnail;
    std::vector<uint8_t> picture;
};
bool AddRawFaces(const std::string& app, const std::string& category, const std::vector<RawFace>& faces);
// Adds one picture the way the editor does (thumbnail drawn from it) to the category of
// that name (made when missing).
bool AddPicture(const std::string& app, const std::string& category, const std::string& name,
                const std::string& fileName, const std::vector<uint8_t>& picture);

// The picture of the index-th face MakeLibrary stores (file name "f<index>.gif").
std::vector<uint8_t> FacePicture(int index);

// The library of most tests: "默认表情" (95 faces) and "可爱动物" (3).
bool MakeStandardLibrary(const std::string& app);

// Update bookkeeping so that no updater starts (next update far away, faces never).
void QuietUpdates();
void ClearRegistry();  // the update key and the link protocol key of this user

// A running Pelumo.exe.
class Picker {
public:
    Picker() = default;
    ~Picker();  // ends a picker still running
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    bool Start(const std::string& app, const std::string& params = "");
    // Waits for the main window (class "#32770", the program's title) of this process.
    bool WaitWindow();
    HWND Window() const { return m_window; }
    HANDLE Process() const { return m_process; }
    bool WaitExit(DWORD ms, DWORD* code = nullptr);
    void Kill();

    std::string Text(int id) const;
    bool Visible(int id) const;
    // A click on a notify static or a button, as the mouse gives it.
    void Click(int id) const;
    // Picks the selector entry at position, as the user would from the drop-down.
    void ChooseCategory(int position) const;
    void Search(const std::string& text) const;
    // Cells of the faces panel that are visible.
    int VisibleCells() const;
    // The window of cell `index` (row by row), found by its place in the panel.
    HWND Cell(int index) const;
    // The panel's hover preview (its one child wider than a cell), or null.
    HWND Preview() const;
    // A top-level window of this process with that title (a dialog it opened), or null.
    HWND FindOwnWindow(const std::string& title, DWORD timeoutMs = 20000) const;
    // The popup menu the program shows now (class "#32768"), or null after the timeout.
    HWND WaitPopupMenu(DWORD timeoutMs = 20000) const;
    // The first message box the program shows now, its text; answered with `answer`.
    std::string TakeMessageBox(int answer = IDOK, DWORD timeoutMs = 20000) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    HWND m_window = nullptr;
};

// Runs Pelumo.exe with params as a second start and waits for it to end.
bool RunSecond(const std::string& app, const std::string& params, DWORD timeoutMs = 30000);

std::string ProgramTitle();  // "PeluQQ表情精灵"
bool WaitFor(const std::function<bool()>& cond, DWORD ms = 20000);

}  // namespace pelumo
