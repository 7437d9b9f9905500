#include "UpdateDlg_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <thread>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "CommandLine.h"
#include "DownloadName.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "FaceLink.h"
#include "winfx/DialogTemplate.h"
#include "text/Utf.h"
#include "winfx/Wide.h"

using winfx::ToWide;

namespace {

std::vector<BYTE> WindowTemplate(const std::string& title) {
    // A borderless pop-up: the skin draws the frame and the caption.
    winfx::DialogTemplate t(title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | DS_CENTER, 0, 0, 300, 180);
    return t.Bytes();
}

std::string FolderOfModule() {
    const std::string path = winfx::ModuleFileName();
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

constexpr SIZE kClient{500, 300};

// Names from the server or from decoded links are bytes: UTF-8 when they are well formed,
// else the GBK text a Chinese server sends.
std::string ShownText(const std::string& bytes) {
    if (text::IsValidUtf8(bytes)) return bytes;
    const int n = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return bytes;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return winfx::ToUtf8(wide);
}

}  // namespace

CUpdateDlg::CUpdateDlg(std::string commandLine, std::string title)
    : CSkinDialog(WindowTemplate(title)), m_commandLine(std::move(commandLine)), m_title(std::move(title)) {
    SetSkinReader(skin::SkinReader::kUpdater);
}

CUpdateDlg::~CUpdateDlg() { Destroy(); }

bool CUpdateDlg::OnInitDialog() {
    m_programFolder = FolderOfModule();
    SetSkinFile(m_programFolder + "\\skin\\default\\skinED.xml");
    SetSkinSection("volte_window");
    SetWindowPos(Hwnd(), nullptr, 0, 0, kClient.cx, kClient.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    const bool result = CSkinDialog::OnInitDialog();

    if (HMENU menu = GetSystemMenu(Hwnd(), FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kCmdAbout, L"关于 PeluQQ表情下载(&A)...");
    }
    if (HICON icon = LoadIconW(winfx::ThisModule(), MAKEINTRESOURCEW(128))) {
        SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    CreateControls();
    SetUpList();

    m_appVer = m_store.ReadDword(update::kValueAppVer);
    m_cid = update::EnsureCid(m_store);
    m_http.m_pContext = this;
    m_http.m_pfnProgress = &CUpdateDlg::ListProgress;
    const update::ServerChoice server = update::ChooseServer();
    m_udp.Resolve(server.first, server.second, server.port);

    Dispatch(m_commandLine);
    if (m_close) End(IDCANCEL);
    return result;
}

void CUpdateDlg::CreateControls() {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
    m_list = winfx::ListView::Create(Hwnd(), kIdList, RECT{10, 34, 490, 252}, LVS_SHOWSELALWAYS);
    SendMessageW(m_list.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_cancel = std::make_unique<CBitmapBtn>();
    if (m_cancel->CreateButton(Hwnd(), RECT{418, 262, 490, 286}, "取消", IDCANCEL)) {
        if (HBITMAP image = DefaultButtonImage()) SetButtonImage(*m_cancel, image);
        SendMessageW(m_cancel->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // Hidden: starts a fresh program update when clicked by a peer.
    m_upgrade = CreateWindowExW(0, L"Button", L"升级", WS_CHILD | BS_PUSHBUTTON, 10, 262, 72, 24, Hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdUpgrade)), winfx::ThisModule(), nullptr);
}

void CUpdateDlg::SetUpList() {
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
    m_images = winfx::ImageList(20, 20, ILC_COLOR16 | ILC_MASK, 0, 4);
    if (HBITMAP strip = LoadBitmapW(winfx::ThisModule(), MAKEINTRESOURCEW(129))) {
        m_images.AddMasked(strip, RGB(255, 0, 255));
        DeleteObject(strip);
    }
    m_list.SetImageList(m_images.Get(), LVSIL_SMALL);
    const std::pair<const char*, int> columns[] = {{"文件名", 100}, {"大小", 70}, {"进 度", 150}, {"速度", 60}, {"版本号", 80}};
    for (const auto& [title, width] : columns) m_list.AddColumn(title, width, LVCFMT_CENTER);
    m_columns = m_list.ColumnCount();
}

//--- command dispatch

void CUpdateDlg::Dispatch(const std::string& commandLine) {
    std::lock_guard<std::mutex> hold(m_dispatchLock);
    const std::string text = update::StripDispatchQuotes(commandLine);
    const update::Mode mode = update::ModeOf(text);
    if (mode == update::Mode::Idle) return;
    if (mode == update::Mode::Upgrade || mode == update::Mode::UpgradeSilent) {
        update::CheckEnv env{m_udp, m_store, m_clock, *this};
        const int result = update::RunProgramCheck(env, m_cid, m_appVer, mode == update::Mode::UpgradeSilent, m_updateItems);
        if (result < 0) m_close = true;
        else StartProgramWorker();
        return;
    }
    DispatchFaces(text);
}

bool CUpdateDlg::OpenLibrary() {
    if (!m_dbOpen) {
        m_db = std::make_unique<CAdoConnection>();
        m_dbOpen = FaceDatabase::Open(*m_db, m_programFolder + "\\" + FaceDatabase::kRelativePath);
        if (m_dbOpen) {
            m_rs = std::make_unique<CAdoRecordSet>();
            m_rs->SetConnection(m_db.get());
        }
    }
    return m_dbOpen;
}

void CUpdateDlg::DispatchFaces(const std::string& text) {
    if (!OpenLibrary()) {
        MessageBoxW(Hwnd(), L"数据库连接失败,程序无法继续运行!", L"", MB_OK);
        m_close = true;
        return;
    }
    if (text == "-FaceUpdate") {
        std::vector<std::string> packLists;
        FaceLibrary library(*m_db, *m_rs, nullptr);
        library.ListPackLists(packLists);
        update::CheckEnv env{m_udp, m_store, m_clock, *this};
        const int result = update::RunFaceCheck(env, m_cid, m_appVer, packLists, m_faces);
        if (result < 0) {
            m_close = true;
            return;
        }
        for (size_t n = m_faces.PendingCount(); n > 0; --n) StartFaceWorker();
        return;
    }
    int row = -1;
    const update::LibraryProbe probe = [this](const std::string& sql) {
        return m_rs->Open(sql, adCmdText) && !m_rs->IsEOF();
    };
    if (update::DispatchLink(text, m_faces, *this, probe, row) == update::LinkOutcome::Queued) StartFaceWorker();
}

void CUpdateDlg::StartProgramWorker() {
    ++m_running;
    std::thread([this] {
        update::HttpDownloader downloader(m_http);
        update::RunProgramUpdate(m_updateItems, m_programFolder, downloader, m_launcher, *this);
        --m_running;
        PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
    }).detach();
}

void CUpdateDlg::StartFaceWorker() {
    ++m_running;
    std::thread([this] {
        CMyHttp http;
        http.m_pContext = this;
        http.m_pfnProgress = &CUpdateDlg::ListProgress;
        update::HttpDownloader downloader(http);
        update::ShellLauncher launcher;
        update::RunFaceWorker(m_faces, m_programFolder, downloader, launcher, *this);
        --m_running;
    }).detach();
}

//--- messages

LRESULT CUpdateDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (!data || !data->lpData) return FALSE;
        const std::string ansi = update::ForwardedText(static_cast<const char*>(data->lpData), data->cbData);
        // Forwarded lines travel in the system code page.
        const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
        Dispatch(winfx::ToUtf8(wide));
        return TRUE;
    }
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == kCmdAbout) {
        MessageBoxW(Hwnd(), L"PeluQQ表情下载\n下载程序更新和表情包。", L"关于 PeluQQ表情下载", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}

bool CUpdateDlg::OnCommand(int id, int code, HWND control) {
    if (id == kIdUpgrade) {
        ShellExecuteW(nullptr, L"open", ToWide(m_programFolder + "\\Volte.exe").c_str(), L"-upgrade", nullptr, SW_SHOW);
        return true;
    }
    return CSkinDialog::OnCommand(id, code, control);
}

//--- update::UpdateView

void CUpdateDlg::ShowUpToDate() {
    MessageBoxW(Hwnd(), L"当前已是最新版, 无需升级!", L"PeluQQ表情精灵", MB_OK | MB_ICONINFORMATION);
}

void CUpdateDlg::CloseSiblings() {
    for (const wchar_t* title : {L"PeluQQ表情精灵", L"PeluQQ表情编辑器"}) {
        if (HWND window = FindWindowW(L"#32770", title)) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        }
    }
}

void CUpdateDlg::AddRow(int row, const std::string& name, const std::string& size, const std::string& version) {
    {
        std::lock_guard<std::mutex> hold(m_rowLock);
        if (static_cast<size_t>(row) >= m_rows.size()) m_rows.resize(static_cast<size_t>(row) + 1);
    }
    m_list.InsertItem(row, ShownText(name));
    m_list.SetItemText(row, 1, size);
    m_list.SetItemText(row, 2, "0%");
    m_list.SetItemText(row, 4, ShownText(version));
}

void CUpdateDlg::RowFailed(int row) {
    {
        std::lock_guard<std::mutex> hold(m_rowLock);
        if (static_cast<size_t>(row) < m_rows.size()) m_rows[static_cast<size_t>(row)].failed = true;
    }
    m_list.SetItemText(row, 2, "下载失败");
}

void CUpdateDlg::RowDone(int row) { SetProgressText(row, 100); }

void CUpdateDlg::ShowDuplicate() { MessageBoxW(Hwnd(), L"添加的文件已存在！", L"重复添加", MB_OK); }

bool CUpdateDlg::AskRedownload() {
    return MessageBoxW(Hwnd(), L"表情包已经存在，是否重新下载！", ToWide(m_title).c_str(), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void CUpdateDlg::SetButtonText(const std::string& text) {
    if (!m_cancel) return;
    m_cancel->m_strCaption = text;
    SetWindowTextW(m_cancel->Hwnd(), ToWide(text).c_str());
    InvalidateRect(m_cancel->Hwnd(), nullptr, FALSE);
}

//--- progress

void CUpdateDlg::ListProgress(void* context, int item, uint32_t total, uint32_t received, uint32_t speed) {
    static_cast<CUpdateDlg*>(context)->OnProgress(item, total, received, speed);
}

// Runs for every block on the downloading thread: list cells change only when their text
// does, since each change is a message to the window's thread.
void CUpdateDlg::OnProgress(int row, uint32_t total, uint32_t received, uint32_t speed) {
    bool newSpeed = false;
    {
        std::lock_guard<std::mutex> hold(m_rowLock);
        if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
        RowState& state = m_rows[static_cast<size_t>(row)];
        newSpeed = state.speed != speed;
        state.speed = speed;
    }
    if (received == 0) m_list.SetItemText(row, 1, update::TotalSizeText(total));
    SetProgressText(row, update::ProgressPercent(total, received));
    if (newSpeed && m_columns > 3) m_list.SetItemText(row, 3, update::SpeedText(speed));
}

void CUpdateDlg::SetProgressText(int row, int percent) {
    {
        std::lock_guard<std::mutex> hold(m_rowLock);
        if (static_cast<size_t>(row) >= m_rows.size()) return;
        RowState& state = m_rows[static_cast<size_t>(row)];
        if (state.percent == percent && percent != 0) return;  // one redraw per step
        state.percent = percent;
    }
    m_list.SetItemText(row, 2, std::to_string(percent) + "%");
}

LRESULT CUpdateDlg::OnNotify(NMHDR& header) {
    if (header.idFrom == kIdList && header.code == NM_CUSTOMDRAW)
        return DrawProgressCell(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    return CSkinDialog::OnNotify(header);
}

// The progress column: a bar with its percentage centred on it; a failed row says so.
LRESULT CUpdateDlg::DrawProgressCell(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: break;
    default: return CDRF_DODEFAULT;
    }
    if (draw.iSubItem != 2) return CDRF_DODEFAULT;
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    RowState state;
    {
        std::lock_guard<std::mutex> hold(m_rowLock);
        if (static_cast<size_t>(row) < m_rows.size()) state = m_rows[static_cast<size_t>(row)];
    }
    const HDC dc = draw.nmcd.hdc;
    RECT cell = m_list.CellRect(row, 2);
    FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT bar{cell.left + 3, cell.top + 2, cell.right - 3, cell.bottom - 2};
    std::wstring text;
    if (state.failed) {
        text = L"下载失败";
        SetTextColor(dc, RGB(200, 30, 30));
    } else {
        winfx::UniqueBrush frame(CreateSolidBrush(RGB(120, 150, 190)));
        winfx::UniqueBrush fill(CreateSolidBrush(RGB(90, 170, 90)));
        FrameRect(dc, &bar, frame.Get());
        RECT done = bar;
        InflateRect(&done, -1, -1);
        done.right = done.left + (done.right - done.left) * state.percent / 100;
        if (done.right > done.left) FillRect(dc, &done, fill.Get());
        text = std::to_wstring(state.percent) + L"%";
        SetTextColor(dc, RGB(0, 0, 0));
    }
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), -1, &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return CDRF_SKIPDEFAULT;
}
