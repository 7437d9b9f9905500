// Adding picture files to the open category: one operation behind the file dialog,
// the folder import, the drop and the "-AddFace " command line. It applies the
// library's duplicate rules and asks or reports only when the add is interactive.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FaceLibrary.h"

namespace editor {

// The questions and notices of adding, shown by the window (message boxes) or recorded.
class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;
    virtual void Notice(const std::string& text) = 0;   // OK button, no icon
    virtual bool Confirm(const std::string& text) = 0;  // OK / Cancel, question icon; true on OK
};

enum class ReadStatus { Ok, Unreadable, TooLarge };

// The files a face comes from.
class FileAccess {
public:
    virtual ~FileAccess() = default;
    // The whole file, opened so that others may read but not write it meanwhile.
    // TooLarge when it exceeds `limit` bytes (nothing is read then).
    virtual ReadStatus ReadWhole(const std::string& path, size_t limit,
                                 std::vector<uint8_t>& bytes) = 0;
    // The files directly inside `folder` (ending with its separator), as names, in the
    // order the system lists them; subfolders are left out. False when it cannot be listed.
    virtual bool ListFiles(const std::string& folder, std::vector<std::string>& names) = 0;
    virtual bool IsFolder(const std::string& path) = 0;
};

enum class AddOutcome {
    Added,
    AlreadyInCategory,
    Declined,
    Unreadable,   // cannot be opened or read (missing, held open by another program)
    TooLarge,     // over kMaxPictureBytes
    NotAPicture,  // empty, or not GIF, JPEG or BMP bytes whatever its name says
    Failed,       // the store refused it
};

struct AddResult {
    AddOutcome outcome = AddOutcome::Failed;
    bool iconSet = false;  // the face was the first of its category and gave it its icon
};

constexpr const char* kAlreadyInCategory = "表情已在当前分类中。";
constexpr const char* kInOtherCategory = "发现在其它分类中有相同的表情,是否要添加到当前分类。";
constexpr const char* kAppendFailed = "Append chunk failed!";
// Told only for a file added on its own (the add-face dialog); a batch skips such files.
constexpr const char* kCannotRead = "无法读取文件,表情未添加:\n";
constexpr const char* kTooLarge = "文件太大,表情未添加:\n";
constexpr const char* kNotAPicture = "文件不是GIF、JPG或BMP图片,表情未添加:\n";
// Larger files are not taken: a face this big is no face, and memory stays bounded.
constexpr size_t kMaxPictureBytes = 64u * 1024 * 1024;

// GIF, JPEG or BMP by their first bytes: the pictures a face can be.
bool LooksLikePicture(const std::vector<uint8_t>& bytes);

// Widths of the library's text columns, in characters. Longer texts do not fit, so the
// editor cuts them instead of failing the add.
constexpr size_t kFaceNameChars = 50;
constexpr size_t kFileNameChars = 150;
constexpr size_t kCategoryNameChars = 156;
// The first `chars` characters of a UTF-8 text (never a split character).
std::string CutToChars(const std::string& text, size_t chars);

class FaceAdder {
public:
    FaceAdder(FaceLibrary& library, FileAccess& files, EditorPrompts& prompts)
        : m_library(library), m_files(files), m_prompts(prompts) {}

    // `maxOrder` is the window's in-memory value for `category`; it grows by one per face.
    AddResult AddFile(int category, int& maxOrder, const std::string& path,
                      const std::string& faceName, bool interactive);

    // Every accepted picture directly in `folder`, not interactively, named after its
    // file. The number of faces added; -1 when the folder cannot be listed.
    int ImportFolder(int category, int& maxOrder, const std::string& folder,
                     bool* iconSet = nullptr);

private:
    // Added when the bytes are a picture to store; otherwise what is wrong with the file.
    AddOutcome ReadPicture(const std::string& path, std::vector<uint8_t>& bytes, bool interactive);

    FaceLibrary& m_library;
    FileAccess& m_files;
    EditorPrompts& m_prompts;
};

// A folder path with its trailing backslash (the editor's form for listing).
std::string WithTrailingSeparator(const std::string& folder);

}  // namespace editor
