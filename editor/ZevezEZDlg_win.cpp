// The editor window: controls, the library connection, command lines and closing.
#include "ZevezEZDlg_win.h"

#include <commctrl.h>

#include "BitmapBtn_win.h"
#include "DragDrop_win.h"
#include "EditorDialogs_win.h"
#include "EditorIds.h"
#include "FaceDatabase.h"
#include "Paging.h"
#include "PictureEx_win.h"
#include "PictureFaceRenderer_win.h"
#include "SingleInstance_win.h"
#include "WinFiles_win.h"
#include "winfx/DialogTemplate.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

constexpr int kWidth = 600, kHeight = 420;
constexpr UINT_PTR kCloseRetryTimer = 7;
constexpr UINT kCloseRetryMs = 200;
constexpr const char* kProgramName = "PeluQQ表情编辑器";
constexpr const char* kOpenFailed =
    "错误:表情数据读取失败.可能数据已损坏!\n\n请重新安装PeluQQ表情精灵!";

std::vector<BYTE> MainTemplate() {
    // A borderless pop-up: the skin draws the frame and the caption.
    winfx::DialogTemplate t(winfx::ToUtf8(kEditorTitle),
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 400, 280);
    return t.Bytes();
}

struct ButtonSpec {
    int id;
    const char* text;
};

}  // namespace

CZevezEZDlg::CZevezEZDlg(std::string programDir, std::string commandLine)
    : CSkinDialog(MainTemplate()),
      m_programDir(std::move(programDir)),
      m_commandLine(std::move(commandLine)),
      m_grid(kFacesPerPage) {
    SetSkinFile(m_programDir + "skin\\default\\skinED.xml");
    SetSkinSection("main_window");
}

CZevezEZDlg::~CZevezEZDlg() { Destroy(); }

bool CZevezEZDlg::OnInitDialog() {
    SetWindowPos(Hwnd(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    const bool result = CSkinDialog::OnInitDialog();
    winfx::HwndSetText(Hwnd(), winfx::ToUtf8(kEditorTitle));
    winfx::HwndCenterOn(Hwnd(), nullptr);

    m_dropTarget = CDragDrop::Register(Hwnd(), *this);
    CreateControls();
    if (HMENU system = GetSystemMenu(Hwnd(), FALSE)) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, L"关于 PeluQQ表情精灵 (&A)...");
    }

    m_renderer = std::make_unique<PictureFaceRenderer>();
    m_files = std::make_unique<WinFiles>();
    m_importer = MakePackImporter(*this);
    m_recordset.SetConnection(&m_connection);
    m_library = std::make_unique<FaceLibrary>(m_connection, m_recordset, m_renderer.get());
    m_adder = std::make_unique<FaceAdder>(*m_library, *m_files, *this);
    if (!OpenLibrary()) {
        MessageBox(kOpenFailed, MB_OK);
        return result;
    }
    m_inTransaction = m_connection.BeginTrans() > 0;
    LoadCategoryList();
    OpenCategoryAt(0, 0, true, false);
    if (ParseEditorCommand(m_commandLine).kind == CommandKind::OpenPack) {
        // The window stays for this one: its import starts once the window shows, so the
        // progress window comes up over it rather than alone before it.
        m_deferredCommands.push_back(m_commandLine);
        PostMessageW(Hwnd(), UM_RUN_COMMAND, 0, 0);
    } else if (HandleCommandLine(m_commandLine, true)) {
        PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
    }
    return result;
}

void CZevezEZDlg::CreateControls() {
    RECT listRect{10, 34, 130, 372};
    m_list = winfx::ListView::Create(Hwnd(), IDC_CATEGORY_LIST, listRect,
                                     LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // The dialog's font has the glyphs of Chinese category names; the list's default may not.
    SendMessageW(m_list.Hwnd(), WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    m_list.SetImageList(m_images.Get(), LVSIL_SMALL);
    RECT client = winfx::HwndGetClientRect(m_list.Hwnd());
    m_list.AddColumn("Item", client.right - 18 > 0 ? client.right - 18 : 0);

    m_panel.Create(Hwnd(), RECT{138, 34, 138 + 8 * 46, 34 + 5 * 46}, IDC_FACES_PANEL);
    m_panel.CreateGrid(kColumns, kRows, kFacesPerPage, this);
    m_panel.SetPressedFrame(true);  // the editor marks selected faces
    m_panel.SetHoverFrame(true);
    OtherWindows().push_back(m_panel.Hwnd());

    static const ButtonSpec commands[] = {
        {IDC_IMPORT_FOLDER, "导入目录"}, {IDC_ADD_FACES, "添加表情"},
        {IDC_ADD_CATEGORY, "添加分类"},  {IDC_DELETE_CATEGORY, "删除分类"},
        {IDC_IMPORT_PACK, "导入表情包"}, {IDC_DELETE_FACES, "删除表情"},
        {IDC_MOVE_FACES, "移动表情"},    {IDC_COPY_FACES, "复制表情"}};
    int y = 34;
    for (const ButtonSpec& c : commands) {
        AddButton(c.id, c.text, RECT{516, y, 588, y + 24});
        y += 28;
    }
    AddButton(IDC_QUIT, "退出", RECT{516, 384, 588, 408});

    // Page links: "上页", "1" ... "9", "下页", then the label.
    auto addPage = [this](int id, const char* text, int x, int w) {
        HWND h = AddStatic(id, text, RECT{x, 274, x + w, 290});
        auto button = std::make_unique<CStaticPageButton>();
        if (h && button->Attach(h)) m_pageButtons.push_back(std::move(button));
    };
    addPage(IDC_PREVIOUS_PAGE, "上页", 138, 28);
    for (int k = 0; k < kPageButtons; ++k)
        addPage(IDC_PAGE_FIRST + k, std::to_string(k + 1).c_str(), 172 + 20 * k, 14);
    addPage(IDC_NEXT_PAGE, "下页", 172 + 20 * kPageButtons, 28);
    AddStatic(IDC_PAGE_LABEL, "", RECT{420, 274, 506, 290});
    AddStatic(0, "提示：把图片文件或文件夹拖到窗口里即可添加表情。", RECT{138, 300, 506, 318});
}

CBitmapBtn* CZevezEZDlg::AddButton(int id, const char* text, RECT rect) {
    auto button = std::make_unique<CBitmapBtn>();
    if (!button->CreateButton(Hwnd(), rect, text, id)) return nullptr;
    if (HBITMAP image = DefaultButtonImage()) SetButtonImage(*button, image);
    SendMessageW(button->Hwnd(), WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    m_buttons.push_back(std::move(button));
    return m_buttons.back().get();
}

HWND CZevezEZDlg::AddStatic(int id, const char* text, RECT r) {
    HWND h = CreateWindowExW(0, L"Static", winfx::ToWide(text).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, Hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winfx::ThisModule(),
                             nullptr);
    if (h) SendMessageW(h, WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    return h;
}

bool CZevezEZDlg::OpenLibrary() {
    if (!FaceDatabase::Open(m_connection, m_programDir + FaceDatabase::kRelativePath)) return false;
    m_recordset.UseClientCursor();
    if (!m_library->EnsureTables()) return false;
    m_libraryOpen = true;
    return true;
}

int CZevezEZDlg::MessageBox(const std::string& text, UINT type, const char* caption) {
    return winfx::HwndMessageBox(Hwnd(), text, caption ? caption : kProgramName, type);
}

void CZevezEZDlg::Notice(const std::string& text) { MessageBox(text, MB_OK); }

bool CZevezEZDlg::Confirm(const std::string& text) {
    return MessageBox(text, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

// The first commit ends the transaction begun at start; later changes are committed
// statement by statement.
void CZevezEZDlg::CommitAndNotify(bool notify) {
    if (m_inTransaction) {
        m_connection.CommitTrans();
        m_inTransaction = false;
    }
    if (notify) NotifyPicker();
}

bool CZevezEZDlg::HandleCommandLine(const std::string& text, bool atStart) {
    EditorCommand command = ParseEditorCommand(text);
    switch (command.kind) {
    case CommandKind::None:
        return false;
    case CommandKind::Quit:
        if (!atStart) PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
        return true;
    case CommandKind::AddFace:
        if (command.addFace && m_libraryOpen) RunAddFaceCommand(*command.addFace);
        return true;
    case CommandKind::ImportPack:
        QueuePack(command.packPath);
        return true;
    case CommandKind::OpenPack:
        QueuePack(command.packPath);
        return false;
    }
    return false;
}

void CZevezEZDlg::RunAddFaceCommand(const AddFaceRequest& request) {
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    int position = PositionOfCategory(request.category);
    if (position >= 0 && position != m_position) OpenCategoryAt(position, 0, true, true);
    std::string name = request.name, path = request.path;
    if (!AskAddFaceDialog(name, path)) return;  // Cancel: the window stays topmost
    AddFile(path, name, true);
    RequeryPage();
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The sender waits in SendMessage: the text is copied and handled after it returned, so a
// second start or the web page is not held up by the add-face dialog.
void CZevezEZDlg::OnCopyData(const COPYDATASTRUCT& data) {
    if (!data.lpData || data.cbData == 0) return;
    std::string ansi = ForwardedCommandText(static_cast<const char*>(data.lpData), data.cbData);
    m_deferredCommands.push_back(Utf8FromAnsi(ansi));
    PostMessageW(Hwnd(), UM_RUN_COMMAND, 0, 0);
}

LRESULT CZevezEZDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        // A close request (the updater's, say) while a dialog or question of ours is open
        // waits until it is answered, so the operation it belongs to completes first.
        if (!IsWindowEnabled(Hwnd())) {
            SetTimer(Hwnd(), kCloseRetryTimer, kCloseRetryMs, nullptr);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wp == kCloseRetryTimer) {
            KillTimer(Hwnd(), kCloseRetryTimer);
            PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_COPYDATA:
        if (lp) OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
        return TRUE;
    case UM_RUN_COMMAND: {
        // An import works the library on its own thread: packs join its queue at once,
        // everything else waits until it is over.
        std::vector<std::string> later;
        // A modal dialog shows itself only once its queue runs dry: the command line at
        // start comes first, so the window is shown here before its import or dialog.
        if (!IsWindowVisible(Hwnd())) ShowWindow(Hwnd(), SW_SHOW);
        UpdateWindow(Hwnd());
        while (!m_deferredCommands.empty()) {
            std::string text = m_deferredCommands.front();
            m_deferredCommands.erase(m_deferredCommands.begin());
            CommandKind kind = ParseEditorCommand(text).kind;
            bool pack = kind == CommandKind::ImportPack || kind == CommandKind::OpenPack;
            if (m_importer && m_importer->IsRunning() && !pack) {
                later.push_back(text);
                continue;
            }
            HandleCommandLine(text, false);
            // An import commits and tells the picker when its queue has run empty; a pack
            // joining a running import must not commit under its worker.
            if (!pack) CommitAndNotify(true);
        }
        m_deferredCommands = later;
        return 0;
    }
    case UM_LIBRARY_CHANGED:
        CommitAndNotify(false);
        return 0;
    case UM_FILES_DROPPED:
        ProcessDrops();
        return 0;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
            CAboutDlg about(m_programDir);
            about.DoModal(Hwnd());
            return 0;
        }
        break;
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}

bool CZevezEZDlg::OnCommand(int id, int code, HWND control) {
    if (id >= IDC_PAGE_FIRST && id <= IDC_PAGE_LAST) {
        ChangePage(id - IDC_PAGE_FIRST);
        return true;
    }
    switch (id) {
    case IDC_QUIT:
        if (control) End(IDOK);  // the button, not the Enter key
        return true;
    case IDCANCEL:
        End(IDCANCEL);
        return true;
    }
    if (!m_libraryOpen) return CSkinDialog::OnCommand(id, code, control);
    switch (id) {
    case IDC_IMPORT_FOLDER: ImportFolderCommand(); return true;
    case IDC_ADD_FACES: AddFacesCommand(); return true;
    case IDC_ADD_CATEGORY: CreateCategoryCommand(); return true;
    case IDC_DELETE_CATEGORY: DeleteCategoryCommand(); return true;
    case IDC_IMPORT_PACK: ImportPackCommand(); return true;
    case IDC_DELETE_FACES: DeleteSelected(); return true;
    case IDC_MOVE_FACES: MoveOrCopySelected(true); return true;
    case IDC_COPY_FACES: MoveOrCopySelected(false); return true;
    case IDC_PREVIOUS_PAGE: ChangePage(m_page - 1); return true;
    case IDC_NEXT_PAGE: ChangePage(m_page + 1); return true;
    case ID_FACE_EARLIER: case ID_FACE_LATER: case ID_FACE_ROW_UP: case ID_FACE_ROW_DOWN:
    case ID_FACE_TO_POSITION: case ID_FACE_MOVE_TO_CATEGORY: case ID_FACE_COPY_TO_CATEGORY:
    case ID_FACE_DELETE: case ID_FACE_RENAME: case ID_FACE_SELECT_ALL:
        RunCellCommand(static_cast<UINT>(id), m_menuCell);
        return true;
    }
    return CSkinDialog::OnCommand(id, code, control);
}

void CZevezEZDlg::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (button && button->Name() == "close") {
        End(IDCANCEL);
        return;
    }
    CSkinDialog::OnSkinButtonClick(index);
}

LRESULT CZevezEZDlg::OnNotify(NMHDR& nm) {
    if (nm.idFrom != IDC_CATEGORY_LIST || m_syncingList || !m_libraryOpen) return 0;
    if (nm.code == LVN_ITEMACTIVATE) {
        auto& item = reinterpret_cast<NMITEMACTIVATE&>(nm);
        if (item.iItem >= 0) OpenCategoryAt(item.iItem, 0, true, true);
    } else if (nm.code == LVN_ITEMCHANGED) {
        auto& change = reinterpret_cast<NMLISTVIEW&>(nm);
        const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
        if (change.iItem >= 0 && (change.uChanged & LVIF_STATE) &&
            (change.uNewState & both) == both && (change.uOldState & both) != both &&
            change.iItem != m_position)
            OpenCategoryAt(change.iItem, 0, true, true);
    }
    return 0;
}

void CZevezEZDlg::OnDestroy() {
    Shutdown();
    CSkinDialog::OnDestroy();
}

void CZevezEZDlg::Shutdown() {
    m_panel.StopPreview();
    if (m_dropTarget) {
        CDragDrop::Revoke(Hwnd(), m_dropTarget);
        m_dropTarget = nullptr;
    }
    if (m_libraryOpen) {
        WriteBackMaxOrder();
        CommitAndNotify(false);
        m_recordset.Close();
        m_connection.Close();
        m_libraryOpen = false;
        NotifyPicker();
    }
}

}  // namespace editor
