// Adding faces: the file dialog, the folder import, drops, and the pack queue.
#include "EditorIds.h"
#include "FileDialogs_win.h"
#include "NewFaceDlg_win.h"
#include "Paging.h"
#include "WinFiles_win.h"
#include "ZevezEZDlg_win.h"

namespace editor {

namespace {

constexpr const char* kFaceFilter =
    "GIF, JPG 文件(*.gif;*.jpg)|*.gif;*.jpg;*.jpeg|GIF 文件(*.gif)|*.gif;|JPG 文件(*.jpg)|"
    "*.jpg;*.jpeg|所有文件 (*.*)|*.*||";
constexpr const char* kPackFilter =
    "Zip压缩包或表情包(*.zip; *.mpk)|*.zip;*.mpk|Zip压缩包(*.zip)|*.zip|表情包文件 (*.mpk)|*.mpk|"
    "All Files (*.*)|*.*||";
constexpr size_t kMaxDroppedPath = 260;

bool IsPackPath(const std::string& path) {
    std::string extension = LowerExtension(path);
    return extension == "zip" || extension == "mpk";
}

}  // namespace

AddResult CZevezEZDlg::AddFile(const std::string& path, const std::string& name, bool interactive) {
    AddResult result = m_adder->AddFile(m_category, m_maxOrder, path, name, interactive);
    if (result.iconSet) RefreshCategoryIcon(m_position);
    return result;
}

// The add-face dialog; on OK the chosen category is the open one.
bool CZevezEZDlg::AskAddFaceDialog(std::string& name, std::string& path) {
    NewFaceDlg dialog(*this, m_programDir, name, path);
    if (dialog.DoModal(Hwnd()) != IDOK) return false;
    name = dialog.m_name;
    path = dialog.m_path;
    if (dialog.m_position >= 0 && dialog.m_position != m_position)
        OpenCategoryAt(dialog.m_position, 0, true, true);
    return true;
}

void CZevezEZDlg::AddFacesCommand() {
    std::vector<std::string> paths = AskOpenFiles(Hwnd(), kFaceFilter, true);
    if (paths.empty()) return;
    if (paths.size() == 1) {
        std::string name = FaceNameOf(paths[0]), path = paths[0];
        if (AskAddFaceDialog(name, path)) AddFile(path, name, true);
    } else {
        for (const std::string& path : paths) {
            if (AddFile(path, FaceNameOf(path), false).outcome == AddOutcome::Failed) break;
        }
    }
    OpenCategoryAt(m_position, -1, true, true);  // the last page shows the new faces
}

void CZevezEZDlg::ImportFolder(const std::string& folder) {
    bool iconSet = false;
    m_adder->ImportFolder(m_category, m_maxOrder, folder, &iconSet);
    if (iconSet) RefreshCategoryIcon(m_position);
    WriteBackMaxOrder();
    CommitAndNotify(false);
}

void CZevezEZDlg::ImportFolderCommand() {
    std::string folder = AskFolder(Hwnd(), "选择路径");
    if (folder.empty()) return;
    ImportFolder(folder);
    // The faces went into the open category; the list's last category is shown.
    OpenCategoryAt(m_list.Count() - 1, 0, true, false);
}

void CZevezEZDlg::ImportPackCommand() {
    std::vector<std::string> paths = AskOpenFiles(Hwnd(), kPackFilter, false, "mpk");
    if (!paths.empty()) QueuePack(paths[0]);
}

void CZevezEZDlg::QueuePack(const std::string& path) {
    if (!m_importer || path.empty()) return;
    // While an import runs, the library is its worker's: the pack only joins the queue.
    if (!m_importer->IsRunning()) WriteBackMaxOrder();
    m_importer->QueuePack(path);
}

void CZevezEZDlg::QueueDroppedPath(const std::string& path) {
    if (path.empty() || path.size() > kMaxDroppedPath * 4) return;  // UTF-8: up to 4 bytes a character
    m_pendingDrops.push_back(path);
}

void CZevezEZDlg::ProcessDrops() {
    if (m_pendingDrops.empty() || !m_libraryOpen) return;
    std::vector<std::string> drops;
    drops.swap(m_pendingDrops);
    if (m_importer && m_importer->IsRunning()) {
        // Packs join the running import; pictures and folders wait for its end, as the
        // library is the worker's until then.
        for (const std::string& path : drops) {
            if (IsPackPath(path))
                QueuePack(path);
            else
                m_pendingDrops.push_back(path);
        }
        return;
    }
    if (drops.size() == 1) {
        HandleDroppedPath(drops[0], true);
        return;
    }
    for (size_t i = 0; i < drops.size(); ++i) {
        const std::string& path = drops[i];
        if (path.find('.') == std::string::npos && !m_files->IsFolder(path)) continue;
        if (IsPackPath(path)) {
            // The import runs modally from here: the rest is handed to it (packs join
            // its queue) and what is left is handled when it is over.
            m_pendingDrops.insert(m_pendingDrops.end(), drops.begin() + i + 1, drops.end());
            if (!m_pendingDrops.empty()) PostMessageW(Hwnd(), UM_FILES_DROPPED, 0, 0);
            QueuePack(path);
            return;
        }
        HandleDroppedPath(path, false);
    }
}

void CZevezEZDlg::HandleDroppedPath(const std::string& path, bool withDialog) {
    if (IsAcceptedPicture(path)) {
        std::string name = FaceNameOf(path), file = path;
        if (withDialog && !AskAddFaceDialog(name, file)) return;
        AddFile(file, name, withDialog);
        RequeryPage();
    } else if (IsPackPath(path)) {
        QueuePack(path);
    } else if (m_files->IsFolder(path)) {
        ImportFolder(path);
        RequeryPage();
    }
}

int CZevezEZDlg::OpenImportCategory(const std::string& name, int pack) {
    int id = m_library->CreateCategory(CutToChars(name, kCategoryNameChars), pack);
    if (id <= 0) return -1;
    int position = PositionOfCategory(id);
    if (position < 0) {
        CategoryRow row;
        m_library->ReadCategory(id, row);
        row.id = id;
        position = AddCategoryItem(row);
    }
    OpenCategoryAt(position, 0, false, true);
    return id;
}

void CZevezEZDlg::OnImportFinished() {
    RefreshMissingCategoryIcons();
    OpenCategoryAt(m_position, 0, true, true);
    CommitAndNotify(true);  // the picker shows the imported faces at once
    if (!m_deferredCommands.empty()) PostMessageW(Hwnd(), UM_RUN_COMMAND, 0, 0);
    if (!m_pendingDrops.empty()) PostMessageW(Hwnd(), UM_FILES_DROPPED, 0, 0);
}

}  // namespace editor
