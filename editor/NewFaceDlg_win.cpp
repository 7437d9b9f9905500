#include "NewFaceDlg_win.h"

#include "EditorCommandLine.h"
#include "FaceAdder.h"
#include "FileDialogs_win.h"
#include "PictureEx_win.h"
#include "WinFiles_win.h"
#include "ZevezEZDlg_win.h"
#include "winfx/Controls.h"

namespace editor {

namespace {

constexpr const char* kBrowseFilter =
    "GIF, JPG Files (*.gif)|*.gif;*.jpg;*.jpeg|GIF Files (*.gif)|*.gif;|JPG Files (*.jpg)|"
    "*.jpg;*.jpeg|All Files (*.*)|*.*||";

}  // namespace

NewFaceDlg::NewFaceDlg(CZevezEZDlg& editor, const std::string& programDir, std::string name,
                       std::string path)
    : EditorDialog(programDir, "newface_window", "添加表情", SIZE{420, 210}),
      m_name(std::move(name)),
      m_path(std::move(path)),
      m_editor(editor) {}

NewFaceDlg::~NewFaceDlg() {
    if (m_preview) m_preview->HaltShow();
    Destroy();
}

void NewFaceDlg::Build() {
    m_preview = std::make_unique<CPictureEx>();
    if (m_preview->Create(Hwnd(), RECT{7, 30, 120, 128}, 0xFFFF)) {
        m_preview->SetAnimate(true);
        OtherWindows().push_back(m_preview->GetHwnd());
    }
    AddLabel("表情名称：", RECT{130, 40, 196, 58});
    AddEdit(IDC_NAME, m_name, RECT{198, 36, 408, 58}, static_cast<int>(kFaceNameChars));
    AddLabel("表情路径：", RECT{130, 70, 196, 88});
    AddEdit(IDC_PATH, m_path, RECT{198, 66, 408, 88}, 0);
    AddLabel("分类：", RECT{130, 100, 196, 118});
    HWND combo = AddControl(L"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                            RECT{198, 96, 330, 300}, IDC_CATEGORY);
    winfx::ComboBox categories(combo);
    for (const std::string& name : m_editor.CategoryNames()) categories.Add(name);
    m_position = m_editor.CurrentPosition();
    categories.Select(m_position);
    AddButton(IDC_NEW_CATEGORY, "新建分类", RECT{336, 95, 408, 119});
    AddButton(IDC_BROWSE, "浏览", RECT{130, Size().cy - 36, 202, Size().cy - 12});
    AddOkCancel();
    Play(m_path);
}

void NewFaceDlg::Play(const std::string& path) {
    if (!m_preview) return;
    m_preview->HaltShow();
    std::vector<uint8_t> bytes;
    WinFiles files;
    if (files.ReadWhole(path, kMaxPictureBytes, bytes) == ReadStatus::Ok &&
        LooksLikePicture(bytes) &&
        m_preview->LoadImageBytes(bytes.data(), bytes.size())) {
        m_preview->BeginShow();
    } else {
        m_preview->ReleaseImage();
    }
    InvalidateRect(m_preview->GetHwnd(), nullptr, TRUE);
}

void NewFaceDlg::Browse() {
    std::vector<std::string> paths = AskOpenFiles(Hwnd(), kBrowseFilter, false);
    if (paths.empty()) return;
    SetItemText(IDC_PATH, paths[0]);
    SetItemText(IDC_NAME, FaceNameOf(paths[0]));
    Play(paths[0]);
}

void NewFaceDlg::NewCategory() {
    int position = m_editor.CreateCategoryInteractive();
    if (position < 0) return;
    winfx::ComboBox categories(Item(IDC_CATEGORY));
    std::vector<std::string> names = m_editor.CategoryNames();
    if (categories.Count() < static_cast<int>(names.size()) &&
        position < static_cast<int>(names.size()))
        categories.Insert(position, names[static_cast<size_t>(position)]);
    categories.Select(position);
    m_position = position;
}

bool NewFaceDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_BROWSE: Browse(); return true;
    case IDC_NEW_CATEGORY: NewCategory(); return true;
    case IDC_CATEGORY:
        if (code == CBN_SELCHANGE) m_position = winfx::ComboBox(control).Selection();
        return true;
    }
    return EditorDialog::OnCommand(id, code, control);
}

void NewFaceDlg::OnOK() {
    m_name = ItemText(IDC_NAME);
    m_path = ItemText(IDC_PATH);
    if (m_preview) m_preview->HaltShow();
    End(IDOK);
}

void NewFaceDlg::OnCancel() {
    if (m_preview) m_preview->HaltShow();
    End(IDCANCEL);
}

}  // namespace editor
