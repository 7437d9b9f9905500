#include "ControlCommand.h"

#include <charconv>
#include <vector>

namespace fakeqq {
namespace {

struct VerbInfo {
    const char* name;
    Verb verb;
    int numbers;     // integer arguments, the window id first
    bool freeText;   // the rest of the line after the numbers
};

constexpr VerbInfo kVerbs[] = {
    {"ping", Verb::Ping, 0, false},         {"hwnd", Verb::Hwnd, 1, false},
    {"input", Verb::Input, 1, false},       {"activate", Verb::Activate, 1, false},
    {"move", Verb::Move, 3, false},         {"resize", Verb::Resize, 3, false},
    {"minimize", Verb::Minimize, 1, false}, {"restore", Verb::Restore, 1, false},
    {"show", Verb::Show, 1, false},         {"hide", Verb::Hide, 1, false},
    {"close", Verb::Close, 1, false},       {"dock", Verb::Dock, 1, false},
    {"settext", Verb::SetText, 1, true},    {"mark", Verb::Mark, 0, true},
    {"quit", Verb::Quit, 0, false},         {"selfdestruct", Verb::SelfDestruct, 1, false},
};

std::string_view NextWord(std::string_view* rest) {
    size_t start = rest->find_first_not_of(' ');
    if (start == std::string_view::npos) {
        *rest = {};
        return {};
    }
    size_t end = rest->find(' ', start);
    std::string_view word = rest->substr(start, end - start);
    *rest = end == std::string_view::npos ? std::string_view() : rest->substr(end + 1);
    return word;
}

bool ToInt(std::string_view w, int* out) {
    if (w.empty()) return false;
    auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), *out);
    return ec == std::errc() && p == w.data() + w.size();
}

}  // namespace

std::optional<Command> ParseCommand(std::string_view text) {
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    std::string_view rest = text;
    std::string_view name = NextWord(&rest);
    for (const auto& v : kVerbs) {
        if (name != v.name) continue;
        Command c;
        c.verb = v.verb;
        int numbers[3] = {};
        for (int i = 0; i < v.numbers; ++i)
            if (!ToInt(NextWord(&rest), &numbers[i])) return std::nullopt;
        if (v.numbers > 0) {
            c.window = numbers[0];
            if (c.window <= 0) return std::nullopt;
            c.a = numbers[1];
            c.b = numbers[2];
        }
        if (v.verb == Verb::Resize && (c.a <= 0 || c.b <= 0)) return std::nullopt;
        if (v.freeText) {
            c.text = std::string(rest);
        } else if (!NextWord(&rest).empty()) {
            return std::nullopt;
        }
        return c;
    }
    return std::nullopt;
}

}  // namespace fakeqq
