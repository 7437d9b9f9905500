#include "FaceAdder.h"

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

AddResult FaceAdder::AddFile(int category, int& maxOrder, const std::string& path,
                             const std::string& faceName, bool interactive) {
    AddResult result;
    std::vector<uint8_t> bytes;
    // An empty file is no picture: storing it would give every empty file one face.
    if (!m_files.ReadWhole(path, kMaxPictureBytes, bytes) || bytes.empty()) {
        result.outcome = AddOutcome::Unreadable;
        return result;
    }
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
