// Remote-control commands of the fake messenger (list in FakeQQProtocol.h), parsed without Win32.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace fakeqq {

enum class Verb {
    Ping, Hwnd, Input, Activate, Move, Resize, Minimize, Restore, Show, Hide, Close, Dock,
    SetText, Mark, Quit, SelfDestruct
};

struct Command {
    Verb verb = Verb::Ping;
    int window = 0;     // 1-based id, 0 when the verb takes none
    int a = 0, b = 0;   // X,Y for move, W,H for resize
    std::string text;   // settext, mark
};

// Words are separated by single or repeated spaces; trailing NULs (a C-string sender) are
// ignored. Nothing for an unknown verb, a missing or extra argument, or a non-number.
std::optional<Command> ParseCommand(std::string_view text);

}  // namespace fakeqq
