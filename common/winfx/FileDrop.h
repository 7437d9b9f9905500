// A window's OLE drop target for files (the shell's CF_HDROP list): registered for as long
// as the owner keeps it, it hands the dropped paths (UTF-8) to a callback. The callback
// runs inside the drag source's call, so it should only note the paths and post.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace winfx {

class FileDrop {
public:
    using Handler = std::function<void(const std::vector<std::string>& paths)>;

    FileDrop() = default;
    ~FileDrop() { Revoke(); }
    FileDrop(const FileDrop&) = delete;
    FileDrop& operator=(const FileDrop&) = delete;

    // Registers (replacing any target the window had); needs OLE on this thread.
    bool Register(HWND window, Handler onDrop);
    void Revoke();
    bool Registered() const { return m_target != nullptr; }

    // Longer names are no files anyone opens; they are left out.
    static constexpr size_t kMaxPathChars = 260;

private:
    class Target;
    HWND m_window = nullptr;
    Target* m_target = nullptr;
};

}  // namespace winfx
