#include "GalleryDialog_win.h"

#include <commctrl.h>

#include "GalleryProtocol.h"
#include "winfx/DialogTemplate.h"
#include "winfx/Wide.h"

namespace gallery {

namespace {

std::vector<BYTE> EmptyTemplate(const std::string& title) {
    // A borderless pop-up: the skin draws the frame and the caption.
    winfx::DialogTemplate t(title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 100, 60);
    return t.Bytes();
}

}  // namespace

GalleryDialog::GalleryDialog(SectionInfo info, const std::string& skinPath, POINT place, SIZE client,
                             const FaceBytes& faces, std::function<void()> onGone)
    : CSkinDialog(EmptyTemplate(info.title)),
      m_info(std::move(info)),
      m_place(place),
      m_client(client),
      m_faces(faces),
      m_onGone(std::move(onGone)),
      m_whiteBrush(CreateSolidBrush(RGB(255, 255, 255))) {
    SetSkinFile(skinPath);
    SetSkinSection(m_info.section);
    if (!m_info.frame) SetFrameFlags(0);
    if (m_info.updater) SetSkinReader(skin::SkinReader::kUpdater);
}

GalleryDialog::~GalleryDialog() {
    // Players draw into the window: stop them before it goes.
    for (auto& p : m_pictures) p->HaltShow();
    Destroy();
}

bool GalleryDialog::OnInitDialog() {
    // The window gets the section's size before the skin shapes it.
    SetWindowPos(Hwnd(), nullptr, m_place.x, m_place.y, m_client.cx, m_client.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const bool result = CSkinDialog::OnInitDialog();
    BuildContent();
    TagWindows();
    return result;
}

void GalleryDialog::OnDestroy() {
    for (auto& p : m_pictures) p->HaltShow();
    for (const TagEntry& t : m_tags) {
        RemovePropW(t.hwnd, t.prop);
        GlobalDeleteAtom(t.atom);
    }
    m_tags.clear();
    if (m_onGone) m_onGone();
}

LRESULT GalleryDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= kMsgPictureCount && msg <= kMsgPictureFrames) return OnPictureMessage(msg, wp, lp);
    if (msg == WM_CTLCOLORSTATIC) return OnColourStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    return CSkinDialog::OnMessage(msg, wp, lp);
}

// Plain labels draw straight onto the skin; the browser stand-in is white, page
// links take the picker's link colour.
LRESULT GalleryDialog::OnColourStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == kIdWhitePanel) {
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(110, 120, 135));
        return reinterpret_cast<LRESULT>(m_whiteBrush.Get());
    }
    if (SkinControl::FromHwnd(control)) return CSkinDialog::OnMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, id == kIdPageLink ? RGB(35, 90, 140) : RGB(32, 38, 46));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT GalleryDialog::OnPictureMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgPictureCount) return static_cast<LRESULT>(m_pictures.size());
    if (wp >= m_pictures.size()) return -1;
    CPictureEx& p = *m_pictures[wp];
    switch (msg) {
    case kMsgPictureFrame: return static_cast<LRESULT>(p.GetCurrentFrame());
    case kMsgPictureFrames: return static_cast<LRESULT>(p.GetFrameCount());
    case kMsgPictureDelay: {
        const std::vector<uint32_t> schedule = p.GetSchedule();
        if (lp < 0 || static_cast<size_t>(lp) >= schedule.size()) return -1;
        return static_cast<LRESULT>(schedule[static_cast<size_t>(lp)]);
    }
    case kMsgPicturePlaying: return p.IsPlaying() ? 1 : 0;
    case kMsgPictureHalt: {
        const ULONGLONG start = GetTickCount64();
        p.HaltShow();
        return static_cast<LRESULT>(GetTickCount64() - start);
    }
    case kMsgPictureStart: p.BeginShow(); return 1;
    default: return -1;
    }
}

void GalleryDialog::Tag(HWND hwnd, const wchar_t* prop, const std::string& text) {
    const ATOM atom = GlobalAddAtomW(winfx::ToWide(text).c_str());
    if (!atom) return;
    if (SetPropW(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom))))
        m_tags.push_back(TagEntry{hwnd, prop, atom});
    else
        GlobalDeleteAtom(atom);
}

// Names for outside eyes: the window by file and section, each skinned control by the
// name the programs address it with.
void GalleryDialog::TagWindows() {
    Tag(Hwnd(), kPropSection, m_info.Key());
    for (const auto& b : Buttons()) Tag(b->Hwnd(), kPropSkinName, b->Name());
    for (const auto& c : CheckControls()) Tag(c->Hwnd(), kPropSkinName, c->Id());
}

HWND GalleryDialog::AddControl(const wchar_t* className, const std::string& text, DWORD style, RECT r,
                               int id, DWORD exStyle) {
    HWND h = CreateWindowExW(exStyle, className, winfx::ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                             r.left, r.top, r.right - r.left, r.bottom - r.top, Hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), winfx::ThisModule(), nullptr);
    if (h) SendMessageW(h, WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    return h;
}

void GalleryDialog::AddLabel(const std::string& text, RECT rect, int id) {
    AddControl(L"Static", text, SS_LEFT | SS_NOPREFIX, rect, id);
}

// Push buttons of the window's own template get the skin's default button image,
// as the main window does with its buttons.
void GalleryDialog::AddPushButton(const std::string& text, RECT rect) {
    auto button = std::make_unique<CBitmapBtn>();
    if (!button->CreateButton(Hwnd(), rect, text)) return;
    if (HBITMAP image = DefaultButtonImage()) SetButtonImage(*button, image);
    SendMessageW(button->Hwnd(), WM_SETFONT, SendMessageW(Hwnd(), WM_GETFONT, 0, 0), FALSE);
    m_pushButtons.push_back(std::move(button));
}

CPictureEx* GalleryDialog::AddPicture(RECT rect, const std::vector<uint8_t>& bytes, bool animate) {
    auto picture = std::make_unique<CPictureEx>();
    if (!picture->Create(Hwnd(), rect, 0xFFFF)) return nullptr;
    picture->SetAnimate(animate);
    if (!bytes.empty() && picture->LoadImageBytes(bytes.data(), bytes.size())) picture->BeginShow();
    OtherWindows().push_back(picture->GetHwnd());
    m_pictures.push_back(std::move(picture));
    return m_pictures.back().get();
}

// Like the programs' panels: most cells show a still picture, a few play (every player
// is a thread, and a screen full of them starves a small machine).
void GalleryDialog::AddFaceGrid(int left, int top, int columns, int rows) {
    for (int i = 0; i < columns * rows; ++i) {
        const int x = left + 46 * (i % columns), y = top + 46 * (i / columns);
        AddPicture(RECT{x, y, x + 45, y + 45}, Face(static_cast<size_t>(i)), i % 4 == 0);
    }
}

HWND GalleryDialog::AddReportList(RECT rect, const std::vector<std::pair<std::string, int>>& columns) {
    HWND list = AddControl(WC_LISTVIEWW, "", LVS_REPORT | LVS_SHOWSELALWAYS, rect, 0, WS_EX_CLIENTEDGE);
    if (!list) return nullptr;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (size_t i = 0; i < columns.size(); ++i) {
        std::wstring title = winfx::ToWide(columns[i].first);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_CENTER;
        col.cx = columns[i].second;
        col.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    return list;
}

void GalleryDialog::AddListRow(HWND list, const std::vector<std::string>& cells) {
    if (!list) return;
    const int row = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (size_t i = 0; i < cells.size(); ++i) {
        std::wstring text = winfx::ToWide(cells[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(list, i == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

const std::vector<uint8_t>& GalleryDialog::Face(size_t i) const {
    return m_faces.empty() ? m_noFace : m_faces[i % m_faces.size()];
}

}  // namespace gallery
