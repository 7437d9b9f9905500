// The picker's command-line texts: the forwarded command line of a second start, what a
// dropped file asks of the editor, and the update check's verdict.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cmdline {

// Longest forwarded text taken: the longest command line the system passes on.
constexpr size_t kMaxForwarded = 32767;

// "$" + parameters + NUL, the bytes of the WM_COPYDATA (parameters already 8-bit).
std::vector<char> EncodeForward(const std::string& params);
// Sent only when the built text is longer than the "$" alone.
inline bool ShouldForward(const std::string& params) { return !params.empty(); }

enum class ForwardAction { None, Quit, Launch };
struct Forwarded {
    ForwardAction action = ForwardAction::None;
    std::string text;  // the text as received (8-bit)
};
// Reads at most `size` bytes (the data may lack its NUL), skips one leading "$".
Forwarded DecodeForward(const void* data, size_t size);

// The editor's parameters for a dropped file, or nothing (a name without an extension).
// `categoryId` is the category last shown, when one was.
std::optional<std::string> EditorParamsForDrop(const std::string& path, std::optional<int> categoryId);

enum class UpdateLaunch { None, Program, Faces };
struct UpdateValues {
    uint32_t nextUpdate = 0, faceFlag = 0, nextFaceUpdate = 0, lastFaceUpdate = 0;
};
// Which updater start is due at `now` (seconds since 1970): a program update first.
UpdateLaunch DueUpdate(int64_t now, const UpdateValues& v);

}  // namespace cmdline
