#include "EditorDialogs_win.h"

#include "BitmapBtn_win.h"
#include "PictureEx_win.h"
#include "winfx/DialogTemplate.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

std::vector<BYTE> EmptyTemplate(const std::string& title) {
    winfx::DialogTemplate t(title, WS_POPUP | WS_SYSMENU, 0, 0, 100, 60);
    return t.Bytes();
}

constexpr int kFieldLimitPosition = 10;

}  // namespace

EditorDialog::EditorDialog(const std::string& programDir, const std::string& section,
                           const std::string& title, SIZE size)
    : CSkinDialog(EmptyTemplate(title)), m_size(size) {
    SetSkinFile(programDir + "skin\\default\\skinED.xml");
    SetSkinSection(section);
}

EditorDialog::~EditorDialog() { Destroy(); }

bool EditorDialog::OnInitDialog() {
    SetWindowPos(Hwnd(), nullptr, 0, 0, m_size.cx, m_size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    const bool result = CSkinDialog::OnInitDialog();
    winfx::HwndCenterOn(Hwnd(), GetParent(Hwnd()));
    Build();
    return result;
}

void EditorDialog::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (button && button->Name() == "close") {
        End(IDCANCEL);
        return;
    }
    CSkinDialog::OnSkinButtonClick(index);
}

HWND EditorDialog::AddControl(const wchar_t* className, const std::string& text, DWORD style,
                              RECT r, int id, DWORD exStyle) {
    HWND h = CreateWindowExW(exStyle, className, winfx::ToWide(text).c_str(),
                             WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, Hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winfx::ThisModule(),
                             nullptr);
    if (h) SendMessageW(h, WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    return h;
}

HWND EditorDialog::AddLabel(const std::string& text, RECT rect) {
    return AddControl(L"Static", text, SS_LEFT | SS_NOPREFIX, rect, 0xFFFF);
}

HWND EditorDialog::AddEdit(int id, const std::string& text, RECT rect, int limit) {
    HWND h = AddControl(L"Edit", text, ES_AUTOHSCROLL | WS_TABSTOP, rect, id, WS_EX_CLIENTEDGE);
    if (h && limit > 0) SendMessageW(h, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    return h;
}

CBitmapBtn* EditorDialog::AddButton(int id, const std::string& text, RECT rect) {
    auto button = std::make_unique<CBitmapBtn>();
    if (!button->CreateButton(Hwnd(), rect, text, id)) return nullptr;
    if (HBITMAP image = DefaultButtonImage()) SetButtonImage(*button, image);
    SendMessageW(button->Hwnd(), WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    m_buttons.push_back(std::move(button));
    return m_buttons.back().get();
}

void EditorDialog::AddOkCancel() {
    const int y = m_size.cy - 36;
    AddButton(IDOK, "确 定", RECT{m_size.cx - 164, y, m_size.cx - 92, y + 24});
    AddButton(IDCANCEL, "取 消", RECT{m_size.cx - 84, y, m_size.cx - 12, y + 24});
}

//--- CEntryEditDlg

CEntryEditDlg::CEntryEditDlg(const std::string& programDir)
    : EditorDialog(programDir, "entry_window", "请输入分类名", SIZE{320, 130}) {}

void CEntryEditDlg::Build() {
    AddLabel("分类名称：", RECT{16, 46, 84, 64});
    HWND edit = AddEdit(IDC_NAME, m_text, RECT{86, 42, 304, 64}, 156);
    AddOkCancel();
    SetFocus(edit);
}

void CEntryEditDlg::OnOK() {
    m_text = ItemText(IDC_NAME);
    End(IDOK);
}

//--- CMoveFacePosDlg

CMoveFacePosDlg::CMoveFacePosDlg(const std::string& programDir, int place)
    : EditorDialog(programDir, "movepos_window", "移动到指定位置", SIZE{320, 130}), m_place(place) {}

void CMoveFacePosDlg::Build() {
    AddLabel("指定表情位置：", RECT{16, 46, 110, 64});
    HWND edit = AddEdit(IDC_POSITION, std::to_string(m_place), RECT{112, 42, 304, 64},
                        kFieldLimitPosition);
    AddOkCancel();
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void CMoveFacePosDlg::OnOK() {
    m_text = ItemText(IDC_POSITION);
    End(IDOK);
}

//--- CChangeFaceToDlg

CChangeFaceToDlg::CChangeFaceToDlg(const std::string& programDir, std::vector<std::string> names)
    : EditorDialog(programDir, "changeto_window", "选择分类", SIZE{320, 300}),
      m_names(std::move(names)) {}

void CChangeFaceToDlg::Build() {
    HWND list = AddControl(L"ListBox", "", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP,
                           RECT{16, 36, 304, 250}, IDC_CATEGORIES, WS_EX_CLIENTEDGE);
    for (const std::string& name : m_names)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(winfx::ToWide(name).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    AddOkCancel();
    SetFocus(list);
}

bool CChangeFaceToDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_CATEGORIES && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return EditorDialog::OnCommand(id, code, control);
}

void CChangeFaceToDlg::OnOK() {
    m_position = static_cast<int>(SendMessageW(Item(IDC_CATEGORIES), LB_GETCURSEL, 0, 0));
    End(IDOK);
}

//--- CFaceDemoDlg

CFaceDemoDlg::CFaceDemoDlg(const std::string& programDir, std::string name, std::vector<uint8_t> image)
    : EditorDialog(programDir, "facedemo_window", "表情重命名", SIZE{320, 150}),
      m_text(std::move(name)),
      m_image(std::move(image)) {}

CFaceDemoDlg::~CFaceDemoDlg() {
    if (m_picture) m_picture->HaltShow();
    Destroy();
}

void CFaceDemoDlg::Build() {
    m_picture = std::make_unique<CPictureEx>();
    if (m_picture->Create(Hwnd(), RECT{16, 40, 76, 100}, 0xFFFF)) {
        m_picture->SetAnimate(true);
        if (!m_image.empty() && m_picture->LoadImageBytes(m_image.data(), m_image.size()))
            m_picture->BeginShow();
        OtherWindows().push_back(m_picture->GetHwnd());
    }
    AddLabel("表情名称：", RECT{88, 46, 156, 64});
    HWND edit = AddEdit(IDC_NAME, m_text, RECT{88, 66, 304, 88}, 50);
    AddOkCancel();
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void CFaceDemoDlg::OnOK() {
    m_text = ItemText(IDC_NAME);
    if (m_picture) m_picture->HaltShow();
    End(IDOK);
}

//--- CAboutDlg

CAboutDlg::CAboutDlg(const std::string& programDir)
    : EditorDialog(programDir, "about_window", "关于 PeluQQ表情编辑器", SIZE{320, 180}) {}

void CAboutDlg::Build() {
    AddLabel("PeluQQ表情编辑器 1.0 版", RECT{24, 48, 300, 66});
    AddLabel("整理你的表情：分类、添加、排序、移动和删除。", RECT{24, 74, 300, 92});
    AddButton(IDOK, "确 定", RECT{236, 140, 308, 164});
}

}  // namespace editor
