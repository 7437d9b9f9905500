#include "FaceAdder.h"

#include <algorithm>

#include "BarList.h"
#include "EditorCommandLine.h"
#include "Md5.h"

namespace editor {

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
    return folder + "\\";
}

std::string CutToChars(const std::string& text, size_t chars) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (seen++ == chars) return text.substr(0, i);
    }
    return text;
}

bool LooksLikePicture(const std::vector<uint8_t>& bytes) {
    auto starts = [&](const char* magic, size_t n) {
        return bytes.size() >= n &&
               std::equal(magic, magic + n, bytes.begin(),
                          [](char m, uint8_t b) { return static_cast<uint8_t>(m) == b; });
    };
    // A BMP file header is 14 bytes and its info header at least 12 more.
    return starts("GIF87a", 6) || starts("GIF89a", 6) || starts("\xFF\xD8\xFF", 3) ||
           (starts("BM", 2) && bytes.size() >= 26);
}

// A file that is no picture would be a face nobody can see or send: the picker would
// paste a broken picture into the chat.
AddOutcome FaceAdder::ReadPicture(const std::string& path, std::vector<uint8_t>& bytes,
                                  bool interactive) {
    AddOutcome outcome = AddOutcome::Added;
    const char* notice = nullptr;
    switch (m_files.ReadWhole(path, kMaxPictureBytes, bytes)) {
    case ReadStatus::Ok:
        if (!LooksLikePicture(bytes)) {
            outcome = AddOutcome::NotAPicture;
            notice = kNotAPicture;
        }
        break;
    case ReadStatus::Unreadable:
        outcome = AddOutcome::Unreadable;
        notice = kCannotRead;
        break;
    case ReadStatus::TooLarge:
        outcome = AddOutcome::TooLarge;
        notice = kTooLarge;
        break;
    }
    if (notice && interactive) m_prompts.Notice(notice + path);
    return outcome;
}

AddResult FaceAdder::AddFile(int category, int& maxOrder, const std::string& path,
                             const std::string& faceName, bool interactive) {
    AddResult result;
    std::vector<uint8_t> bytes;
    result.outcome = ReadPicture(path, bytes, interactive);
    if (result.outcome != AddOutcome::Added) return result;
    IndexRow row;
    if (m_library.FindIndexRow(FaceDigestText(bytes.data(), bytes.size()), row)) {
        if (BarListContains(row.categories, BarItem(category))) {
            if (interactive) m_prompts.Notice(kAlreadyInCategory);
            result.outcome = AddOutcome::AlreadyInCategory;
            return result;
        }
        if (interactive && !m_prompts.Confirm(kInOtherCategory)) {
            result.outcome = AddOutcome::Declined;
            return result;
        }
    }
    const int before = m_library.CountFaces(category);
    switch (m_library.AddFace(category, maxOrder, CutToChars(path, kFileNameChars),
                              CutToChars(faceName, kFaceNameChars), bytes)) {
    case AddFaceResult::Added:
        result.outcome = AddOutcome::Added;
        result.iconSet = before == 0;
        break;
    case AddFaceResult::AlreadyInCategory:
        result.outcome = AddOutcome::AlreadyInCategory;
        break;
    case AddFaceResult::Failed:
        m_prompts.Notice(path + kAppendFailed);
        result.outcome = AddOutcome::Failed;
        break;
    }
    return result;
}

int FaceAdder::ImportFolder(int category, int& maxOrder, const std::string& folder,
                            bool* iconSet) {
    const std::string base = WithTrailingSeparator(folder);
    std::vector<std::string> names;
    if (!m_files.ListFiles(base, names)) return -1;
    int added = 0;
    for (const std::string& name : names) {
        if (name == "." || name == ".." || !IsAcceptedPicture(name)) continue;
        AddResult r = AddFile(category, maxOrder, base + name, FaceNameOf(name), false);
        // A store that refused one face (a locked or full database) would refuse the
        // rest as well: one message, not one per file.
        if (r.outcome == AddOutcome::Failed) break;
        if (r.outcome != AddOutcome::Added) continue;
        ++added;
        if (r.iconSet && iconSet) *iconSet = true;
    }
    return added;
}

}  // namespace editor
