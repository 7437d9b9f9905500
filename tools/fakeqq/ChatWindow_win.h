// One top-level window of the fake messenger: a chat window (or a look-alike that must not
// count as one), its input control, and everything it logs about itself.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "FakeQQOptions.h"

namespace fakeqq {

class Log;

class ChatWindow {
public:
    ChatWindow(int id, WindowSpec spec, Log& log);
    ~ChatWindow();
    ChatWindow(const ChatWindow&) = delete;
    ChatWindow& operator=(const ChatWindow&) = delete;

    // Builds the window tree of this kind and shows it; false when a window failed.
    bool Create(HINSTANCE instance);

    int Id() const { return m_id; }
    const WindowSpec& Spec() const { return m_spec; }
    HWND Frame() const { return m_frame; }
    HWND Input() const { return m_input; }   // null for a kind without input
    Log& GetLog() { return m_log; }

    // Frame procedures hand every message here first; true: handled, *result is the answer.
    bool OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    // The input control's subclass hands its messages here (ChatInput_win.cpp).
    bool OnInputMessage(HWND input, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    // A control of this window got the focus.
    void OnFocus(HWND control);

    void Paste();
    void Send();
    void SetInputText(const std::string& text);
    void LogDocked();
    void ArmSelfDestruct();

    // Set by the shape builder (ChatShapes_win.cpp). Rows are direct children of the frame,
    // stacked top to bottom: a fixed height, or 0 to share the rest by weight.
    void Attach(HWND frame, HWND input, HWND history);
    void AddRow(HWND row, int fixedHeight, int weight);
    HFONT Font() const { return m_font; }

private:
    struct Row {
        HWND hwnd;
        int fixedHeight;
        int weight;
    };

    void Layout();
    void ScheduleDockCheck();
    bool BuildExtraTree();
    bool OnPosChanging(const WINDOWPOS& pos);  // true: the window is gone

    int m_id;
    WindowSpec m_spec;
    Log& m_log;
    HWND m_frame = nullptr;
    HWND m_input = nullptr;
    HWND m_history = nullptr;  // read-only record of what was sent
    std::vector<Row> m_rows;
    HFONT m_font = nullptr;
    bool m_live = false;
    bool m_minimized = false;
    bool m_selfDestruct = false;
};

// ChatShapes_win.cpp. The rich-edit library (RichEdit20A/W) must be loaded before a build.
bool RegisterShapeClasses(HINSTANCE instance);
bool BuildShape(ChatWindow& window, HINSTANCE instance);

// ChatInput_win.cpp
void SubclassInput(HWND input, ChatWindow& window);

// DockWatch_win.cpp
void LogDockedWindows(ChatWindow& window);

}  // namespace fakeqq
