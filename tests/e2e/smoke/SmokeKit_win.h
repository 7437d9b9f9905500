// What a sending program does to a chat window, done by hand: the picture file, the
// clipboard, the foreground window and the two shortcuts.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace smoke {

// A 1x1 GIF89a: small, but a picture any decoder accepts.
const std::vector<unsigned char>& SmileGif();

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// The messenger's rich-edit fragment naming one picture file, as the main program writes it.
std::string Fragment(const std::string& path);

// Owns a hidden window for the length of a test: the clipboard needs an owner for
// SetClipboardData to work, and keeps its content while the owner lives.
class ClipboardOwner {
public:
    ClipboardOwner();
    ~ClipboardOwner();
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    // Replaces the clipboard with the fragment under "QQ_RichEdit_Format" and the ANSI text
    // under CF_TEXT; an empty one is left out.
    bool Put(const std::string& fragment, const std::string& text);

private:
    HWND m_hwnd = nullptr;
};

// SetForegroundWindow, then waits until the window is in front and the focus sits on
// `focus` (when given).
bool BringForward(HWND window, HWND focus);

// The window that has the keyboard focus in the thread owning `window`.
HWND FocusOf(HWND window);

// Modifier down, key down, modifier up, key up: the order the main program uses.
void TypeChord(BYTE modifier, BYTE key);

}  // namespace smoke
