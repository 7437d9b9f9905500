#include "FaceSender_win.h"

#include <cstring>
#include <vector>

#include "FaceFragment.h"
#include "MienkosPanel_win.h"
#include "winfx/Memory.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace panel {
namespace {

bool NarrowNoLoss(const std::wstring& wide, std::string& out) {
    if (wide.empty()) {
        out.clear();
        return true;
    }
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    out.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        out.data(), n, nullptr, &usedDefault);
    return !usedDefault;
}

bool WriteWhole(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    // Other readers are kept out until the picture is complete.
    winfx::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
            break;
        done += written;
    }
    file.Reset();
    if (done != bytes.size()) {
        DeleteFileW(path.c_str());  // a cut-off picture must not be pasted
        return false;
    }
    return true;
}

HGLOBAL TextBlock(const std::string& text) {
    winfx::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, text.size() + 1));
    if (!block)
        return nullptr;
    winfx::GlobalLockGuard lock(block.Get());
    if (!lock)
        return nullptr;
    std::memcpy(lock.Data(), text.c_str(), text.size() + 1);
    return block.Release();
}

// Another program (the messenger reading its paste) may hold the clipboard for a moment.
bool OpenClipboardPatiently(HWND owner) {
    for (int i = 0; i < 50; ++i) {
        if (OpenClipboard(owner))
            return true;
        Sleep(20);
    }
    return false;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(hwnd, name, 256);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

struct InputSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindInputProc(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<InputSearch*>(lp);
    const std::wstring cls = ClassOf(hwnd);
    bool match = cls == L"Tencent_QQBar";
    if (!match && cls == L"RichEdit20A") {
        for (HWND up = GetParent(hwnd); up && !match; up = GetParent(up))
            match = ClassOf(up) == L"AfxWnd42";
    }
    if (match) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

void Key(BYTE vk, DWORD flags) {
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, 0)), flags, 0);
}

void Chord(BYTE modifier, BYTE key) {
    Key(modifier, 0);
    Key(key, 0);
    Key(modifier, KEYEVENTF_KEYUP);
    Key(key, KEYEVENTF_KEYUP);
}

// SetFocus reaches a window of another thread only while the input states are joined.
void FocusInOtherThread(HWND target) {
    const DWORD self = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(target, nullptr);
    const bool join = other != 0 && other != self && AttachThreadInput(self, other, TRUE);
    SetFocus(target);
    if (join)
        AttachThreadInput(self, other, FALSE);
}

}  // namespace

HWND FindChatInput(HWND chatWindow) {
    InputSearch search;
    if (chatWindow)
        EnumChildWindows(chatWindow, FindInputProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ToAnsiPath(const std::string& path, std::string& ansi) {
    const std::wstring wide = winfx::ToWide(path);
    if (NarrowNoLoss(wide, ansi))
        return true;
    // A name the code page cannot spell (a Chinese folder on a Western system) still has
    // its short 8.3 alias, when the volume keeps them.
    const DWORD n = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (n == 0)
        return false;
    std::wstring shortPath(n, L'\0');
    const DWORD got = GetShortPathNameW(wide.c_str(), shortPath.data(), n);
    if (got == 0 || got >= n)
        return false;
    shortPath.resize(got);
    return NarrowNoLoss(shortPath, ansi);
}

FaceSender::FaceSender(std::string programDir) : m_programDir(std::move(programDir)) {}

bool FaceSender::PutFaceOnClipboard(const PanelFace& face, HWND clipboardOwner) {
    const std::string name = FaceCacheFileName(face.fileName);
    if (name.empty() || face.image.empty())
        return false;
    const std::string folder = FaceCacheFolder(m_programDir);
    CreateDirectoryW(winfx::ToWide(folder).c_str(), nullptr);  // gone if a user deleted it
    const std::string path = folder + name;
    if (!WriteWhole(winfx::ToWide(path), face.image))
        return false;
    std::string ansiPath;
    if (!ToAnsiPath(path, ansiPath))
        return false;
    const std::string fragment = RichEditFragment(ansiPath);

    const UINT format = RegisterClipboardFormatW(L"QQ_RichEdit_Format");
    // One block per format: the clipboard owns each block it is given.
    winfx::UniqueGlobal blocks[3] = {winfx::UniqueGlobal(TextBlock(fragment)),
                                     winfx::UniqueGlobal(TextBlock(fragment)),
                                     winfx::UniqueGlobal(TextBlock(fragment))};
    for (auto& b : blocks)
        if (!b)
            return false;
    if (format == 0 || !OpenClipboardPatiently(clipboardOwner))
        return false;
    bool ok = EmptyClipboard() != FALSE;
    const UINT formats[3] = {CF_OEMTEXT, CF_TEXT, format};
    for (int i = 0; i < 3 && ok; ++i) {
        ok = SetClipboardData(formats[i], blocks[i].Get()) != nullptr;
        if (ok)
            blocks[i].Release();  // the clipboard's now
    }
    if (!ok)
        EmptyClipboard();  // never leave half a face behind
    CloseClipboard();
    if (!ok)
        return false;
    m_lastPath = path;
    m_lastFragment = fragment;
    return true;
}

bool FaceSender::DeliverFace(HWND chatWindow, bool send) {
    if (!chatWindow || !IsWindow(chatWindow) || !IsWindowVisible(chatWindow))
        return false;
    SetForegroundWindow(chatWindow);
    if (ClassOf(chatWindow) == L"#32770") {
        if (HWND input = FindChatInput(chatWindow))
            FocusInOtherThread(input);
    }
    // The keys go to whichever window is in front when they are processed; the switch to
    // another process is not instant everywhere, so give it a moment (bounded).
    for (int i = 0; i < 100 && GetForegroundWindow() != chatWindow; ++i)
        Sleep(10);
    Chord(VK_CONTROL, 'V');
    if (send)
        Chord(VK_CONTROL, VK_RETURN);
    return true;
}

bool FaceSender::SendFace(const PanelFace& face, HWND clipboardOwner, HWND chatWindow, bool send) {
    if (!PutFaceOnClipboard(face, clipboardOwner))
        return false;
    return DeliverFace(chatWindow, send);
}

}  // namespace panel
