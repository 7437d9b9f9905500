// The three views of the main window (a category, the frequent faces, search results),
// the category selector, the page controls and the search.
#include <windows.h>

#include <algorithm>
#include <map>

#include "CategoryIcon_win.h"
#include "MienkoMainDlg_win.h"
#include "Paging.h"
#include "PanelGeometry.h"
#include "PelumoRes.h"
#include "UsageOrder.h"
#include "winfx/Controls.h"
#include "winfx/Hwnd.h"

namespace {

constexpr const char* kFrequentName = "我的常用表情";
constexpr const char* kEnterSearch = "请先输入要搜索的字符串！";

bool ParseTable(const std::string& table, int& id) {
    if (table.empty() || table.size() > 9) return false;
    int v = 0;
    for (char c : table) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    id = v;
    return true;
}

PanelFace ToPanelFace(FaceRow&& row) {
    PanelFace f;
    f.id = std::move(row.digest);
    f.fileName = std::move(row.fileName);
    f.tip = std::move(row.name);
    f.thumbnail = std::move(row.thumbnail);
    f.image = std::move(row.image);
    return f;
}

}  // namespace

void CMienkoMainDlg::LoadCategories(bool reopen) {
    if (reopen) {
        OpenLibrary();
        m_panel.ForgetThumbnails();  // faces may have new thumbnails under the same digest
    }
    m_categories.clear();
    std::vector<CategoryRow> rows;
    if (!m_library.ListCategories(rows) || rows.empty()) return;
    m_images.Clear();
    if (HICON icon = static_cast<HICON>(LoadImageW(winfx::ThisModule(), MAKEINTRESOURCEW(IDI_PELUMO), IMAGE_ICON,
                                                   16, 16, 0))) {
        m_images.AddIcon(icon);
        DestroyIcon(icon);
    }
    for (CategoryRow& row : rows) {
        int image = 0;
        winfx::UniqueBitmap bmp = DecodeCategoryIcon(row.icon, 16);
        if (bmp) {
            const int added = m_images.AddMasked(bmp.Get(), RGB(255, 255, 255));
            if (added >= 0) image = added;
        }
        m_categories.push_back(Category{row.id, row.name, image});
    }
}

void CMienkoMainDlg::BuildCategorySelector() {
    winfx::ComboBoxEx selector(Hwnd(), IDC_CATEGORY);
    m_selectorGuard = false;
    selector.Clear();
    std::vector<int> ids;
    for (const Category& c : m_categories) ids.push_back(c.id);
    m_selector = usage::BuildSelector(ids, m_config.TableList(), m_useCounts);
    for (size_t pos = 0; pos < m_selector.size(); ++pos) {
        const int e = m_selector[pos];
        if (e < 0)
            selector.Insert(static_cast<int>(pos), kFrequentName, 0, usage::kFrequentEntry);
        else
            selector.Insert(static_cast<int>(pos), m_categories[static_cast<size_t>(e)].name,
                            m_categories[static_cast<size_t>(e)].image, e);
    }
    const int position = (m_frequent.empty() && !m_categories.empty()) ? 1 : 0;
    selector.Select(position);
    m_selectorGuard = true;
    m_viewMode = position == 1 ? kCategoryView : kFrequentView;
    ShowView(true, m_selector[static_cast<size_t>(position)], 0, true, 0);
}

void CMienkoMainDlg::OnCategoryChanged() {
    if (!m_selectorGuard) return;
    winfx::ComboBoxEx selector(Hwnd(), IDC_CATEGORY);
    const int position = selector.Selection();
    m_viewMode = kCategoryView;
    if (position <= 0 || position >= static_cast<int>(m_selector.size()) ||
        m_selector[static_cast<size_t>(position)] < 0) {
        ShowView(true, -1, 0, true, 0);
        return;
    }
    const int a = m_selector[static_cast<size_t>(position)];
    m_selectorGuard = false;
    const std::vector<int> before = m_selector;
    usage::ChooseCategory(m_selector, m_useCounts, static_cast<size_t>(position));
    // Rebuild the entries that moved; their icons and item data travel with them.
    for (size_t pos = 1; pos < m_selector.size(); ++pos) {
        if (pos < before.size() && before[pos] == m_selector[pos]) continue;
        const int e = m_selector[pos];
        selector.Remove(static_cast<int>(pos));
        selector.Insert(static_cast<int>(pos), m_categories[static_cast<size_t>(e)].name,
                        m_categories[static_cast<size_t>(e)].image, e);
    }
    selector.Select(1);
    m_selectorGuard = true;
    ShowView(true, a, 0, true, 0);
}

void CMienkoMainDlg::ShowView(bool reload, int category, int minPage, bool refresh, int page) {
    if (m_viewMode == kSearchView) {
        m_page = page;
        if (reload) m_total = static_cast<int>(m_results.size());
    } else if (m_viewMode == kFrequentView || category == -1) {
        m_viewMode = kFrequentView;
        m_page = page;
        if (reload) {
            if (!m_frequent.empty()) {
                std::vector<std::string> ids;
                for (const FrequentFace& f : m_frequent) ids.push_back(f.id);
                // Faces the library lost leave the list only when the library answered.
                std::map<std::string, std::string> tables;
                if (m_library.TablesOf(ids, tables)) usage::PruneFrequent(m_frequent, tables);
            }
            m_total = static_cast<int>(m_frequent.size());
        }
    } else {
        const int count = static_cast<int>(m_categories.size());
        m_selected = (category >= 0 && category < count) ? category : count - 1;
        if (reload && m_selected >= 0) {
            m_lastShownId = m_categories[static_cast<size_t>(m_selected)].id;
            m_total = std::max(0, m_library.CountFaces(m_lastShownId));
            m_page = paging::ClampPage(page, m_total, m_pageSize);
            (void)minPage;  // pages are read on demand; nothing is kept ahead
        } else if (m_selected < 0) {
            m_total = 0;
            m_page = -1;
        }
    }
    if (refresh) {
        FillPanel();
        UpdatePageControls();
    }
}

void CMienkoMainDlg::GoToPage(int page) {
    if (page < 0) return;
    const long long start = static_cast<long long>(m_pageSize) * page;
    if (start >= m_total) return;
    m_page = page;
    m_panel.ResetPressed();
    FillPanel();
    UpdatePageControls();
}

// Faces from..to of a frequent or found list, read table by table in the list's order.
void CMienkoMainDlg::FetchByDigest(const std::vector<std::pair<std::string, std::string>>& faces, size_t from,
                                   size_t to, bool withImages, std::vector<FaceRow>& out) {
    out.clear();
    size_t i = from;
    while (i < to) {
        size_t j = i;
        std::vector<std::string> digests;
        while (j < to && faces[j].second == faces[i].second) digests.push_back(faces[j++].first);
        int table = 0;
        std::vector<FaceRow> rows;
        if (ParseTable(faces[i].second, table) &&
            (withImages ? m_library.Fetch(table, digests, rows) : m_library.FetchThumbnails(table, digests, rows)))
            for (FaceRow& row : rows) out.push_back(std::move(row));
        i = j;
    }
}

std::vector<std::pair<std::string, std::string>> CMienkoMainDlg::ViewDigests() const {
    std::vector<std::pair<std::string, std::string>> faces;
    if (m_viewMode == kFrequentView)
        for (const FrequentFace& f : m_frequent) faces.emplace_back(f.id, f.table);
    else
        for (const FoundFace& f : m_results) faces.emplace_back(f.id, f.table);
    return faces;
}

void CMienkoMainDlg::FillPanel() {
    m_panel.ClearPreview();
    if (m_page < 0) {
        m_panel.ClearFrom(0);
        return;
    }
    // The next page's thumbnails are read and decoded once this page is on the screen.
    SetTimer(Hwnd(), kPrefetchTimer, kPrefetchDelayMs, nullptr);
    const size_t from = static_cast<size_t>(m_page) * static_cast<size_t>(m_pageSize);
    if (m_viewMode == kFrequentView || m_viewMode == kSearchView) {
        const std::vector<std::pair<std::string, std::string>> faces = ViewDigests();
        const size_t to = std::min(from + static_cast<size_t>(m_pageSize), faces.size());
        std::vector<FaceRow> rows;
        FetchByDigest(faces, std::min(from, to), to, true, rows);
        int cell = 0;
        for (FaceRow& row : rows)
            if (cell < m_pageSize) m_panel.LoadFace(cell++, ToPanelFace(std::move(row)));
        m_panel.ClearFrom(cell);
        return;
    }
    int cell = 0;
    std::vector<FaceRow> rows;
    if (m_selected >= 0 && static_cast<long long>(from) < m_total &&
        m_library.ReadPage(m_lastShownId, m_pageSize, m_page, rows)) {
        for (FaceRow& row : rows) m_panel.LoadFace(cell++, ToPanelFace(std::move(row)));
    } else if (m_selected >= 0 && static_cast<long long>(from) < m_total) {
        return;  // a failing page query leaves the panel as it was
    }
    m_panel.ClearFrom(cell);
}

void CMienkoMainDlg::PrefetchNextPage() {
    KillTimer(Hwnd(), kPrefetchTimer);
    const long long from = static_cast<long long>(m_page + 1) * m_pageSize;
    if (m_page < 0 || m_pageSize <= 0 || from >= m_total) return;
    std::vector<FaceRow> rows;
    if (m_viewMode == kFrequentView || m_viewMode == kSearchView) {
        const std::vector<std::pair<std::string, std::string>> faces = ViewDigests();
        const size_t to = std::min(static_cast<size_t>(from) + static_cast<size_t>(m_pageSize), faces.size());
        FetchByDigest(faces, static_cast<size_t>(from), to, false, rows);
    } else if (m_selected < 0 || !m_library.ReadPageThumbnails(m_lastShownId, m_pageSize, m_page + 1, rows)) {
        return;
    }
    std::vector<PanelThumbnail> thumbnails;
    for (FaceRow& row : rows) thumbnails.push_back(PanelThumbnail{std::move(row.digest), std::move(row.thumbnail)});
    m_panel.PrefetchThumbnails(std::move(thumbnails));
}

void CMienkoMainDlg::SetLabel(int id, const std::string& text) {
    HWND label = GetDlgItem(Hwnd(), id);
    if (!label || winfx::HwndGetText(label) == text) return;
    winfx::HwndSetText(label, text);
    // Labels draw straight onto the skin: the old text goes with the skin under it.
    RECT r = winfx::Control(label).RectInParent();
    InvalidateRect(Hwnd(), &r, TRUE);
}

namespace {
// The window's own flag: while the dialog is still hidden IsWindowVisible says no for all.
bool Shown(HWND w) { return (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0; }
}  // namespace

void CMienkoMainDlg::UpdatePageControls() {
    for (int k = 1; k <= paging::kMaxPageButtons; ++k) {
        HWND button = GetDlgItem(Hwnd(), IDC_PAGE_1 + k - 1);
        const bool visible = paging::ButtonVisible(k, m_total, m_pageSize);
        if (visible != Shown(button)) {
            ShowWindow(button, visible ? SW_SHOW : SW_HIDE);
            RECT r = winfx::Control(button).RectInParent();
            InvalidateRect(Hwnd(), &r, TRUE);
        }
        // m_pageButtons holds prev, next, then pages 1 ... 9 in id order.
        const size_t index = static_cast<size_t>(IDC_PAGE_1 + k - 1 - IDC_PREV_PAGE);
        if (index < m_pageButtons.size()) m_pageButtons[index]->SetSelected(k - 1 == m_page);
    }
    const bool arrows = paging::ButtonVisible(1, m_total, m_pageSize);
    for (int id : {IDC_PREV_PAGE, IDC_NEXT_PAGE}) {
        HWND button = GetDlgItem(Hwnd(), id);
        if (arrows != Shown(button)) {
            ShowWindow(button, arrows ? SW_SHOW : SW_HIDE);
            RECT r = winfx::Control(button).RectInParent();
            InvalidateRect(Hwnd(), &r, TRUE);
        }
    }
    SetLabel(IDC_PAGE_LABEL, paging::Label(m_page, m_total, m_pageSize));
}

bool CMienkoMainDlg::DoSearch(const std::string& text) {
    if (text.empty()) {
        winfx::HwndMessageBox(Hwnd(), kEnterSearch, kTitle, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    std::vector<IndexRow> rows;
    if (m_library.Search(text, rows) && !rows.empty()) {
        m_viewMode = kSearchView;
        m_results.clear();
        for (const IndexRow& row : rows) {
            const std::string table = FirstBarEntry(row.categories);
            if (!table.empty()) m_results.push_back(FoundFace{row.digest, table});
        }
        std::stable_sort(m_results.begin(), m_results.end(),
                         [](const FoundFace& a, const FoundFace& b) { return a.table < b.table; });
        ShowView(true, m_selected, 0, true, 0);
        return true;
    }
    winfx::HwndMessageBox(Hwnd(), "没有找到与“" + text + "”相匹配的表情！", kTitle, MB_OK | MB_ICONINFORMATION);
    if (m_viewMode == kCategoryView || m_viewMode == kSearchView) {
        m_viewMode = kCategoryView;
        ShowView(true, m_selected, m_page, true, m_page);
    } else {
        ShowView(true, -1, m_page, true, m_page);
    }
    return false;
}

void CMienkoMainDlg::SearchFromBox() {
    winfx::ComboBox box(Hwnd(), IDC_SEARCH_BOX);
    const std::string text = box.Text();
    DoSearch(text);
    if (text.empty()) return;
    const int old = box.FindExact(text);
    if (old >= 0) box.Remove(old);
    box.Insert(0, text);
}

void CMienkoMainDlg::OnHistoryChosen() {
    winfx::ComboBox box(Hwnd(), IDC_SEARCH_BOX);
    const int index = box.Selection();
    if (index < 0) return;
    const std::string text = box.ItemText(index);
    if (DoSearch(text) && index > 0) {
        box.Remove(index);
        box.Insert(0, text);
        box.Select(0);
    }
}

void CMienkoMainDlg::RecordSentFace(const std::string& faceId) { usage::RecordSentFace(m_frequent, faceId); }

void CMienkoMainDlg::ResizeView(int width, int height) {
    const int dw = width - m_client.cx, dh = height - m_client.cy;
    if (dw == 0 && dh == 0) return;
    m_client = SIZE{width, height};
    m_panelSize = SIZE{m_panelSize.cx + dw, m_panelSize.cy + dh};
    SetWindowPos(m_panel.Hwnd(), nullptr, 0, 0, m_panelSize.cx, m_panelSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const panel::GridSize grid = panel::GridForSize(m_panelSize.cx, m_panelSize.cy);
    m_panel.RelayoutGrid(grid.columns, grid.rows, this);
    m_panel.SetPressedFrame(false);
    m_panel.SetHoverFrame(true);
    const int oldSize = m_pageSize;
    const int newSize = grid.columns * grid.rows;
    m_panel.ShowCells(newSize);
    m_pageSize = newSize;
    const int page = paging::PageAfterResize(m_page, oldSize, newSize);
    ShowView(m_viewMode == kCategoryView, m_viewMode == kCategoryView ? m_selected : -1, page, false, page);
    if (m_viewMode != kCategoryView) m_page = page;
    UpdatePageControls();
    if (!(m_page == 0 && newSize <= oldSize)) FillPanel();
    for (int id : {IDC_SEARCH_BOX, IDC_SEARCH}) {
        winfx::Control c(Hwnd(), id);
        RECT r = c.RectInParent();
        OffsetRect(&r, 0, dh);
        c.Move(r);
    }
    InvalidateRect(Hwnd(), nullptr, TRUE);
}
