// The category list with its icons, opening a category at a page, and paging.
#include <algorithm>

#include "EditorDialogs_win.h"
#include "EditorIds.h"
#include "Paging.h"
#include "PictureEx_win.h"
#include "ZevezEZDlg_win.h"
#include "winfx/Gdi.h"

namespace editor {

namespace {

constexpr int kIconSize = 16;

}  // namespace

// Draws the stored 16 x 16 JPEG into a bitmap the image list can copy.
static winfx::UniqueBitmap IconBitmap(CPictureEx& painter, const std::vector<uint8_t>& jpeg) {
    winfx::UniqueBitmap bitmap;
    if (jpeg.empty() || !painter.LoadImageBytes(jpeg.data(), jpeg.size())) return bitmap;
    painter.DrawFirstFrame();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    bitmap.Reset(CreateCompatibleBitmap(screen, kIconSize, kIconSize));
    ReleaseDC(nullptr, screen);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap.Get());
        RECT all{0, 0, kIconSize, kIconSize};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        painter.CopySurface(memory, 0, 0);
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    painter.ReleaseImage();
    return bitmap;
}

void CZevezEZDlg::LoadCategoryList() {
    m_syncingList = true;
    m_images.Clear();
    m_list.Clear();
    std::vector<CategoryRow> rows;
    m_library->ListCategories(rows);
    if (rows.empty() && m_library->EnsureDefaultCategory() > 0) m_library->ListCategories(rows);
    for (const CategoryRow& row : rows) AddCategoryItem(row);
    m_syncingList = false;
}

// A category without an icon shows none (not its neighbour's).
int CZevezEZDlg::AddCategoryItem(const CategoryRow& row, int at) {
    int image = -1;
    if (!row.icon.empty()) {
        if (!m_iconPainter) {
            m_iconPainter = std::make_unique<CPictureEx>();
            m_iconPainter->Create(nullptr, RECT{0, 0, kIconSize, kIconSize}, 0);
        }
        winfx::UniqueBitmap bitmap = IconBitmap(*m_iconPainter, row.icon);
        if (bitmap) image = m_images.AddMasked(bitmap.Get(), RGB(255, 255, 255));
    }
    bool syncing = m_syncingList;
    m_syncingList = true;
    int item = m_list.InsertItem(at, row.name, image, row.id);
    m_syncingList = syncing;
    return item;
}

void CZevezEZDlg::SetCategoryIcon(int position, const std::vector<uint8_t>& jpeg) {
    if (position < 0 || jpeg.empty()) return;
    if (!m_iconPainter) {
        m_iconPainter = std::make_unique<CPictureEx>();
        m_iconPainter->Create(nullptr, RECT{0, 0, kIconSize, kIconSize}, 0);
    }
    winfx::UniqueBitmap bitmap = IconBitmap(*m_iconPainter, jpeg);
    if (!bitmap) return;
    int image = m_list.ItemImage(position);
    if (image >= 0 && image < m_images.Count()) {
        m_images.ReplaceMasked(image, bitmap.Get(), RGB(255, 255, 255));
    } else {
        image = m_images.AddMasked(bitmap.Get(), RGB(255, 255, 255));
        if (image >= 0) m_list.SetItemImage(position, image);
    }
    InvalidateRect(m_list.Hwnd(), nullptr, TRUE);
}

// The first face of a category made its icon: show it in the list.
void CZevezEZDlg::RefreshCategoryIcon(int position) {
    if (position < 0) return;
    int id = static_cast<int>(m_list.ItemData(position));
    std::vector<CategoryRow> rows;
    if (!m_library->ListCategories(rows)) return;
    for (const CategoryRow& row : rows)
        if (row.id == id) SetCategoryIcon(position, row.icon);
}

// An import fills categories on its worker, which must not touch the list: once it is over,
// every category whose first face made an icon shows it.
void CZevezEZDlg::RefreshMissingCategoryIcons() {
    std::vector<CategoryRow> rows;
    if (!m_library->ListCategories(rows)) return;
    for (const CategoryRow& row : rows) {
        if (row.icon.empty()) continue;
        const int position = PositionOfCategory(row.id);
        if (position < 0) continue;
        const int image = m_list.ItemImage(position);
        if (image < 0 || image >= m_images.Count()) SetCategoryIcon(position, row.icon);
    }
}

int CZevezEZDlg::PositionOfCategory(int id) const {
    if (id <= 0) return -1;
    return m_list.FindData(id);
}

std::vector<std::string> CZevezEZDlg::CategoryNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_list.Count(); ++i) names.push_back(m_list.ItemText(i, 0));
    return names;
}

void CZevezEZDlg::SelectListItem(int position) {
    if (position < 0 || position >= m_list.Count()) return;
    m_syncingList = true;
    m_list.Select(position, true);
    m_list.EnsureVisible(position);
    m_syncingList = false;
}

void CZevezEZDlg::WriteBackMaxOrder() {
    if (m_category > 0) m_library->StoreMaxOrder(m_category, m_maxOrder);
}

void CZevezEZDlg::OpenCategoryAt(int position, int page, bool display, bool writeBack) {
    if (writeBack) WriteBackMaxOrder();
    if (position >= 0 && position < m_list.Count()) {
        m_position = position;
        m_category = static_cast<int>(m_list.ItemData(position));
        SelectListItem(position);
    }
    CategoryRow row;
    m_maxOrder = m_library->ReadCategory(m_category, row) ? row.maxOrder : 0;
    m_count = std::max(0, m_library->CountFaces(m_category));
    m_page = ClampPage(page, m_count);
    if (display) DisplayPage();
}

void CZevezEZDlg::DisplayPage() {
    m_panel.ClearPreview();
    m_panel.ResetPressed();
    std::vector<FaceRow> rows;
    if (m_page >= 0) m_library->ReadPage(m_category, kFacesPerPage, m_page, true, rows);
    const int first = m_page < 0 ? 0 : PositionOf(m_page, 0);
    m_grid.Fill(rows, first);
    int cell = 0;
    for (FaceRow& row : rows) {
        if (cell >= kFacesPerPage) break;
        PanelFace face;
        face.id = row.digest;
        face.fileName = row.fileName;
        face.tip = row.name;
        face.thumbnail = std::move(row.thumbnail);
        face.image = std::move(row.image);
        face.row = first + cell;
        m_panel.LoadFace(cell, std::move(face));
        ++cell;
    }
    m_panel.ClearFrom(cell);
    UpdatePaging();
}

void CZevezEZDlg::UpdatePaging() {
    PagingControls visible = VisiblePagingControls(m_count);
    for (auto& button : m_pageButtons) {
        int id = GetDlgCtrlID(button->Hwnd());
        bool show = false, selected = false;
        if (id == IDC_PREVIOUS_PAGE || id == IDC_NEXT_PAGE) {
            show = visible.previousNext;
        } else if (id >= IDC_PAGE_FIRST && id <= IDC_PAGE_LAST) {
            show = visible.pages[static_cast<size_t>(id - IDC_PAGE_FIRST)];
            selected = id - IDC_PAGE_FIRST == m_page;
        }
        button->SetSelected(selected);
        ShowWindow(button->Hwnd(), show ? SW_SHOW : SW_HIDE);
    }
    SetItemText(IDC_PAGE_LABEL, PageLabel(m_page, m_count));
}

void CZevezEZDlg::ChangePage(int target) {
    if (target == m_page || !IsPageWithFaces(target, m_count)) return;
    m_page = target;
    DisplayPage();
}

int CZevezEZDlg::CreateCategoryInteractive() {
    CEntryEditDlg entry(m_programDir);
    if (entry.DoModal(Hwnd()) != IDOK || entry.m_text.empty()) return -1;
    int id = m_library->CreateCategory(CutToChars(entry.m_text, kCategoryNameChars), 0);
    if (id <= 0) return -1;
    int position = PositionOfCategory(id);
    if (position < 0) {
        CategoryRow row;
        m_library->ReadCategory(id, row);
        row.id = id;
        position = AddCategoryItem(row);
    }
    return position;
}

void CZevezEZDlg::CreateCategoryCommand() {
    int position = CreateCategoryInteractive();
    if (position < 0) return;
    OpenCategoryAt(position, 0, true, true);
}

void CZevezEZDlg::DeleteCategoryCommand() {
    int position = m_list.Selection();
    if (position < 0) return;
    std::string name = m_list.ItemText(position, 0);
    if (MessageBox("确定要删除分类“" + name + "”吗? ", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    int id = static_cast<int>(m_list.ItemData(position));
    WriteBackMaxOrder();
    if (!m_library->DeleteCategory(id)) return;
    m_syncingList = true;
    m_list.Remove(position);
    m_syncingList = false;
    if (m_list.Count() == 0) {
        // The library always keeps one category to add faces to.
        LoadCategoryList();
        position = 0;
    } else if (position >= m_list.Count()) {
        position = m_list.Count() - 1;
    }
    m_category = 0;
    OpenCategoryAt(position, 0, true, false);
}

}  // namespace editor
