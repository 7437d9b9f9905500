// Puts a face into the messenger's chat window from outside: the face file goes into the
// face cache folder, the messenger's rich-edit fragment naming it onto the clipboard, the
// chat window to the front, and Ctrl+V (and Ctrl+Enter to send) is typed.
#pragma once
#include <windows.h>

#include <string>

struct PanelFace;

namespace panel {

class FaceSender {
public:
    // programDir: the program folder, with or without its trailing "\" (UTF-8).
    explicit FaceSender(std::string programDir);

    // Writes the face under its own name into ProgramDir\face\ and replaces the clipboard
    // with the fragment under CF_OEMTEXT, CF_TEXT and "QQ_RichEdit_Format". False, with the
    // clipboard left as it was, when the face has no bytes or no usable name, the file
    // cannot be written, its path has no form in the system's 8-bit code page, or the
    // clipboard cannot be taken. clipboardOwner: a window of this thread.
    bool PutFaceOnClipboard(const PanelFace& face, HWND clipboardOwner);

    // The file and the exact 8-bit fragment text of the last successful put (for tests and
    // diagnostics).
    const std::string& LastFilePath() const { return m_lastPath; }
    const std::string& LastFragment() const { return m_lastFragment; }

    // Brings the chat window forward (focusing its input in a "#32770" window) and types
    // Ctrl+V, then Ctrl+Enter when send is set. False, typing nothing, when there is no
    // chat window or it is hidden.
    static bool DeliverFace(HWND chatWindow, bool send);

    // Both, the keys only when the clipboard holds this face: a failed put never pastes
    // what the clipboard held before.
    bool SendFace(const PanelFace& face, HWND clipboardOwner, HWND chatWindow, bool send);

private:
    std::string m_programDir;
    std::string m_lastPath;
    std::string m_lastFragment;
};

// The window that gets the keyboard focus in a "#32770" chat window: the first descendant
// of class "Tencent_QQBar", or of class "RichEdit20A" inside an "AfxWnd42"; null if none.
HWND FindChatInput(HWND chatWindow);

// UTF-8 path -> the system's 8-bit code page; false when a character has no form there
// (then the 8.3 short name of an existing path is tried).
bool ToAnsiPath(const std::string& path, std::string& ansi);

}  // namespace panel
