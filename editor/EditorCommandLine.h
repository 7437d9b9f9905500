// The editor's command line: what a start (or a second start passing its command line
// on) asks for, and the "-AddFace " grammar the web component and the picker use.
#pragma once
#include <optional>
#include <string>

namespace editor {

enum class CommandKind {
    None,        // empty: the window stays
    Quit,        // "-quit": close
    AddFace,     // "-AddFace ...": add one face with the add-face dialog, then end
    ImportPack,  // "-S path": import the pack, then end
    OpenPack,    // any other text: the whole text is a pack path; the window stays
};

struct AddFaceRequest {
    int category = 0;  // category number; 0 or an unknown number keeps the open one
    std::string name;  // may be empty: the dialog lets the user type one
    std::string path;
};

struct EditorCommand {
    CommandKind kind = CommandKind::None;
    std::string packPath;                  // ImportPack and OpenPack
    std::optional<AddFaceRequest> addFace; // AddFace: empty when the grammar rejects the text
};

EditorCommand ParseEditorCommand(const std::string& commandLine);

// `text` is what follows "-AddFace ": CATEGORY|NAME|PATH or PATH alone. Empty when
// the text has one bar only or the path is no accepted picture.
std::optional<AddFaceRequest> ParseAddFace(const std::string& text);

// The text of a forwarded command line: without its leading "$", cut at the first NUL
// and at `length` (the web component sends neither "$" nor a terminator).
std::string ForwardedCommandText(const char* data, size_t length);

// --- file names ---
// After the last dot, lower-cased; empty when there is no dot.
std::string LowerExtension(const std::string& path);
// The pictures the folder import, the drop, the command line take: "jpg", "gif", "bmp".
bool IsAcceptedPicture(const std::string& path);
// The file name without folder and without the part from its last dot on.
std::string FaceNameOf(const std::string& path);

}  // namespace editor
