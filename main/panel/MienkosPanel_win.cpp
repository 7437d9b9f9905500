// The faces panel: owns the cells and the preview, places them, and turns the mouse
// gestures on cells into the owner's calls.
#include "MienkosPanel_win.h"

#include <commctrl.h>

#include <utility>

#include "PictureEx_win.h"

namespace {

// Gestures are posted to the panel and run after the cell's own message is over, so an
// owner that refills the page never pulls a cell out from under its own handler.
constexpr UINT kDeliverMessage = WM_APP + 41;

}  // namespace

// Watches one cell's mouse buttons for the panel, below the picture control's own
// subclass (hover, marking). A subclass id of its own: a window carries one winfx::Subclass.
class CMienkosPanel::CellHook {
public:
    CellHook(CMienkosPanel& panel, int index) : m_panel(panel), m_index(index) {}
    ~CellHook() { Detach(); }
    CellHook(const CellHook&) = delete;
    CellHook& operator=(const CellHook&) = delete;

    bool Attach(HWND hwnd) {
        if (m_hwnd || !SetWindowSubclass(hwnd, &CellHook::Proc, kId, reinterpret_cast<DWORD_PTR>(this)))
            return false;
        m_hwnd = hwnd;
        return true;
    }
    void Detach() {
        if (m_hwnd)
            RemoveWindowSubclass(m_hwnd, &CellHook::Proc, kId);
        m_hwnd = nullptr;
    }

private:
    static constexpr UINT_PTR kId = 0x50414E4C;  // "PANL"

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
        auto* self = reinterpret_cast<CellHook*>(ref);
        if (self && self->m_hwnd == hwnd) {
            try {
                self->OnMessage(msg);
            } catch (...) {
                // A gesture lost to a failed allocation; never unwind into user32.
            }
            if (msg == WM_NCDESTROY)
                self->Detach();
        }
        return DefSubclassProc(hwnd, msg, wp, lp);
    }

    void OnMessage(UINT msg) {
        switch (msg) {
        case WM_LBUTTONDOWN:
            m_panel.OnCellLeftDown(m_index);
            break;
        case WM_LBUTTONDBLCLK:
            m_panel.OnCellDoubleClick(m_index);
            break;
        case WM_RBUTTONDOWN:
            m_panel.OnCellRightDown(m_index);
            break;
        default:
            break;
        }
    }

    CMienkosPanel& m_panel;
    int m_index;
    HWND m_hwnd = nullptr;
};

struct CMienkosPanel::Cell {
    CPictureEx picture;
    CellHook hook;
    PanelFace face;
    bool hasFace = false;
    unsigned generation = 0;  // changes with every new face, so stale gestures are dropped
    Cell(CMienkosPanel& panel, int index) : hook(panel, index) {}
};

struct CMienkosPanel::PendingGesture {
    int cell;
    panel::Gesture gesture;
    unsigned generation;
    POINT screen;
};

CMienkosPanel::CMienkosPanel() : m_clicks(GetDoubleClickTime()) {}

CMienkosPanel::~CMienkosPanel() {
    // The cells and the preview are children: destroy them (and halt their players) while
    // the objects that serve their messages still exist.
    Destroy();
    m_cells.clear();
    m_preview.reset();
}

bool CMienkosPanel::Create(HWND parent, const RECT& rect, UINT id) {
    winfx::WindowArgs args;
    args.className = "MienkosPanel";
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    args.parent = parent;
    args.idOrMenu = id;
    args.x = rect.left;
    args.y = rect.top;
    args.width = rect.right - rect.left;
    args.height = rect.bottom - rect.top;
    args.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!winfx::Window::Create(args))
        return false;
    m_tooltip.Create(Hwnd());
    return true;
}

void CMienkosPanel::OnDestroy() {
    if (Hwnd()) {
        KillTimer(Hwnd(), kClickTimer);
        KillTimer(Hwnd(), kPrefetchTimer);
    }
    m_prefetch.clear();
    m_prefetchNext = 0;
    m_clicks.ForgetAll();
    m_gestures.clear();
    for (auto& cell : m_cells)
        cell->picture.HaltShow();
    if (m_preview)
        m_preview->HaltShow();
}

//--- grid

bool CMienkosPanel::CreateGrid(int columns, int rows, int pageSize, PanelOwner* owner) {
    Apply(m_clicks.ForgetAll());
    m_gestures.clear();
    for (auto& cell : m_cells) {
        m_tooltip.RemoveTool(cell->picture.GetHwnd());
        cell->picture.HaltShow();
    }
    m_cells.clear();
    if (m_preview)
        m_preview->HaltShow();
    m_preview.reset();
    const panel::GridSize grid = panel::ClampGrid(columns, rows);
    m_columns = grid.columns;
    m_rows = grid.rows;
    m_pageSize = pageSize < 0 ? 0 : pageSize;
    m_owner = owner;
    if (grid.Cells() == 0 || !Hwnd())
        return true;
    SetWindowPos(Hwnd(), nullptr, 0, 0, m_columns * panel::kPitch, m_rows * panel::kPitch,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_preview = std::make_unique<CPictureEx>();
    const RECT previewRect{0, 0, panel::kPreviewSize, panel::kPreviewSize};
    if (!m_preview->Create(Hwnd(), previewRect, kCellId)) {
        m_preview.reset();
        return false;
    }
    m_preview->SetAnimate(true);
    m_preview->SetAutoXYPos(true);
    m_preview->PrepareCanvas(panel::kPreviewSurface, panel::kPreviewSurface);
    m_cells.reserve(static_cast<size_t>(grid.Cells()));
    for (int i = 0; i < grid.Cells(); ++i)
        if (!AddCell(i))
            return false;
    KeepPreviewOnTop();
    return true;
}

bool CMienkosPanel::RelayoutGrid(int columns, int rows, PanelOwner* owner) {
    const panel::GridSize grid = panel::ClampGrid(columns, rows);
    m_columns = grid.columns;
    m_rows = grid.rows;
    m_owner = owner;
    for (int i = 0; i < CellCount(); ++i) {
        const panel::CellPlace at = panel::CellOrigin(i, m_columns);
        SetWindowPos(m_cells[static_cast<size_t>(i)]->picture.GetHwnd(), nullptr, at.x, at.y,
                     panel::kCellSize, panel::kCellSize, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    bool ok = true;
    for (int i = CellCount(); i < grid.Cells() && ok; ++i)
        ok = AddCell(i);
    KeepPreviewOnTop();
    return ok;
}

bool CMienkosPanel::AddCell(int index) {
    auto cell = std::make_unique<Cell>(*this, index);
    const panel::CellPlace at = panel::CellOrigin(index, m_columns);
    const RECT r{at.x, at.y, at.x + panel::kCellSize, at.y + panel::kCellSize};
    // Clipped against their siblings so that a cell never paints over the preview.
    if (!cell->picture.Create(Hwnd(), r, kCellId,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOTIFY))
        return false;
    cell->hook.Attach(cell->picture.GetHwnd());
    cell->picture.SetAnimate(false);
    cell->picture.SetAutoXYPos(true);
    cell->picture.SetPreview(m_preview.get());
    cell->picture.EnableHoverBorder(m_hoverFrame);
    cell->picture.EnableMarking(m_pressedFrame);
    m_tooltip.AddTool(cell->picture.GetHwnd(), "");
    m_cells.push_back(std::move(cell));
    return true;
}

void CMienkosPanel::KeepPreviewOnTop() {
    if (m_preview && m_preview->GetHwnd())
        SetWindowPos(m_preview->GetHwnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMienkosPanel::ShowCells(int count) {
    if (count < 0)
        count = 0;
    for (int i = 0; i < CellCount(); ++i) {
        const bool show = i < count;
        if (!show)
            ClearCell(i);
        ShowWindow(m_cells[static_cast<size_t>(i)]->picture.GetHwnd(), show ? SW_SHOWNA : SW_HIDE);
    }
    m_pageSize = count;
}

void CMienkosPanel::SetPressedFrame(bool on) {
    m_pressedFrame = on;
    for (auto& cell : m_cells)
        cell->picture.EnableMarking(on);
}

void CMienkosPanel::SetHoverFrame(bool on) {
    m_hoverFrame = on;
    for (auto& cell : m_cells)
        cell->picture.EnableHoverBorder(on);
}

void CMienkosPanel::ResetPressed() {
    for (auto& cell : m_cells)
        cell->picture.SetMarked(false);
}

//--- cells

bool CMienkosPanel::LoadFace(int cell, PanelFace face) {
    if (!ValidCell(cell) || cell >= m_pageSize)
        return false;
    ClearCell(cell);
    Cell& c = *m_cells[static_cast<size_t>(cell)];
    c.picture.SetFaceName(face.fileName);
    c.picture.SetStillBitmap(Thumbnail(face.id, face.thumbnail));  // garbage: the cell stays white
    c.picture.SetPendingImage(face.image);
    m_tooltip.SetToolText(c.picture.GetHwnd(), face.tip);
    c.face = std::move(face);
    c.hasFace = true;
    return true;
}

void CMienkosPanel::ClearCell(int cell) {
    if (!ValidCell(cell))
        return;
    Cell& c = *m_cells[static_cast<size_t>(cell)];
    Apply(m_clicks.Forget(cell));
    ++c.generation;
    c.picture.ReleaseImage();
    c.picture.SetStillBitmap(nullptr);
    c.picture.SetPendingImage({});
    c.picture.SetFaceName("");
    c.picture.SetMarked(false);
    if (c.hasFace)
        m_tooltip.SetToolText(c.picture.GetHwnd(), "");
    c.face = PanelFace{};
    c.hasFace = false;
}

void CMienkosPanel::ClearFrom(int firstCell) {
    for (int i = firstCell < 0 ? 0 : firstCell; i < CellCount(); ++i)
        ClearCell(i);
}

bool CMienkosPanel::HasFace(int cell) const {
    return ValidCell(cell) && m_cells[static_cast<size_t>(cell)]->hasFace;
}

const PanelFace* CMienkosPanel::Face(int cell) const {
    return HasFace(cell) ? &m_cells[static_cast<size_t>(cell)]->face : nullptr;
}

bool CMienkosPanel::IsPressed(int cell) const {
    return ValidCell(cell) && m_cells[static_cast<size_t>(cell)]->picture.IsMarked();
}

void CMienkosPanel::SetPressed(int cell, bool pressed) {
    if (ValidCell(cell))
        m_cells[static_cast<size_t>(cell)]->picture.SetMarked(pressed);
}

bool CMienkosPanel::IsHovered(int cell) const {
    return ValidCell(cell) && m_cells[static_cast<size_t>(cell)]->picture.IsHovered();
}

bool CMienkosPanel::SwapCells(int a, int b) {
    if (!ValidCell(a) || !ValidCell(b) || a >= m_pageSize || b >= m_pageSize)
        return false;
    if (a == b)
        return true;
    const bool hadA = HasFace(a), hadB = HasFace(b);
    const bool pressedA = IsPressed(a), pressedB = IsPressed(b);
    PanelFace faceA = hadA ? *Face(a) : PanelFace{};
    PanelFace faceB = hadB ? *Face(b) : PanelFace{};
    ClearCell(a);
    ClearCell(b);
    if (hadB)
        LoadFace(a, std::move(faceB));
    if (hadA)
        LoadFace(b, std::move(faceA));
    SetPressed(a, hadB && pressedB);
    SetPressed(b, hadA && pressedA);
    return true;
}

//--- decoded thumbnails

std::shared_ptr<const widgets::CellBitmap> CMienkosPanel::Thumbnail(const std::string& id,
                                                                    const std::vector<uint8_t>& bytes) {
    if (bytes.empty())
        return nullptr;
    if (const auto* kept = m_thumbnails.Find(id, bytes))
        return *kept;
    auto decoded = m_decoder.Decode(bytes.data(), bytes.size(), panel::kCellSize, panel::kCellSize);
    m_thumbnails.Put(id, bytes, decoded);
    return decoded;
}

void CMienkosPanel::PrefetchThumbnails(std::vector<PanelThumbnail> faces) {
    m_prefetch = std::move(faces);
    m_prefetchNext = 0;
    // A timer comes only when no input or paint waits: the page shown always goes first.
    if (Hwnd() && !m_prefetch.empty())
        SetTimer(Hwnd(), kPrefetchTimer, USER_TIMER_MINIMUM, nullptr);
}

void CMienkosPanel::PrefetchSlice() {
    const DWORD start = GetTickCount();
    while (m_prefetchNext < m_prefetch.size() && GetTickCount() - start < kPrefetchSliceMs) {
        const PanelThumbnail& face = m_prefetch[m_prefetchNext++];
        if (!face.id.empty() && !m_thumbnails.Contains(face.id, face.bytes))
            Thumbnail(face.id, face.bytes);
    }
    if (m_prefetchNext >= m_prefetch.size()) {
        KillTimer(Hwnd(), kPrefetchTimer);
        m_prefetch.clear();
        m_prefetchNext = 0;
    }
}

void CMienkosPanel::ForgetThumbnails() {
    m_thumbnails.Clear();
    m_prefetch.clear();
    m_prefetchNext = 0;
    if (Hwnd())
        KillTimer(Hwnd(), kPrefetchTimer);
}

//--- preview

void CMienkosPanel::StopPreview() {
    if (!m_preview)
        return;
    m_preview->ReleaseImage();
    m_preview->SetFaceName("");
    m_preview->PrepareCanvas(panel::kPreviewSurface, panel::kPreviewSurface);
    InvalidateRect(m_preview->GetHwnd(), nullptr, FALSE);
}

//--- observation

HWND CMienkosPanel::CellHwnd(int cell) const {
    return ValidCell(cell) ? m_cells[static_cast<size_t>(cell)]->picture.GetHwnd() : nullptr;
}

void CMienkosPanel::ClearPreview() {
    StopPreview();
    if (m_preview && m_preview->GetHwnd())
        ShowWindow(m_preview->GetHwnd(), SW_HIDE);
}

HWND CMienkosPanel::PreviewHwnd() const { return m_preview ? m_preview->GetHwnd() : nullptr; }

int CMienkosPanel::CellAt(HWND hwnd) const {
    for (int i = 0; i < CellCount(); ++i)
        if (m_cells[static_cast<size_t>(i)]->picture.GetHwnd() == hwnd)
            return i;
    return -1;
}

CPictureEx* CMienkosPanel::Picture(int cell) const {
    return ValidCell(cell) ? &m_cells[static_cast<size_t>(cell)]->picture : nullptr;
}

std::string CMienkosPanel::TooltipText(int cell) const {
    return ValidCell(cell) ? m_tooltip.ToolText(CellHwnd(cell)) : std::string();
}

//--- clicks

void CMienkosPanel::OnCellLeftDown(int cell) { Apply(m_clicks.LeftDown(cell)); }
void CMienkosPanel::OnCellDoubleClick(int cell) { Apply(m_clicks.DoubleClick(cell)); }
void CMienkosPanel::OnCellRightDown(int cell) { Apply(m_clicks.RightDown(cell)); }

void CMienkosPanel::OnTimer(UINT_PTR id) {
    if (id == kClickTimer)
        Apply(m_clicks.TimerFired());
    else if (id == kPrefetchTimer)
        PrefetchSlice();
}

void CMienkosPanel::Apply(const panel::ClickStep& step) {
    if (!Hwnd())
        return;
    if (step.stopTimer)
        KillTimer(Hwnd(), kClickTimer);
    POINT screen{};
    const DWORD pos = GetMessagePos();
    screen.x = static_cast<short>(LOWORD(pos));
    screen.y = static_cast<short>(HIWORD(pos));
    if (step.flushedCell >= 0)
        Queue(step.flushedCell, panel::Gesture::Single, screen);
    if (step.cell >= 0 && step.gesture != panel::Gesture::None)
        Queue(step.cell, step.gesture, screen);
    if (step.startTimer)
        SetTimer(Hwnd(), kClickTimer, m_clicks.WaitMs(), nullptr);
}

void CMienkosPanel::Queue(int cell, panel::Gesture gesture, POINT screen) {
    if (!HasFace(cell))
        return;  // empty cells do nothing
    m_gestures.push_back({cell, gesture, m_cells[static_cast<size_t>(cell)]->generation, screen});
    PostMessageW(Hwnd(), kDeliverMessage, 0, 0);
}

void CMienkosPanel::DeliverQueued() {
    std::vector<PendingGesture> gestures;
    gestures.swap(m_gestures);
    for (const PendingGesture& g : gestures) {
        // The page may have changed since the click: only the face that was clicked counts.
        if (!HasFace(g.cell) || m_cells[static_cast<size_t>(g.cell)]->generation != g.generation ||
            !m_owner)
            continue;
        switch (g.gesture) {
        case panel::Gesture::Single:
            m_owner->OnFaceClick(g.cell);
            break;
        case panel::Gesture::Double:
            m_owner->OnFaceDoubleClick(g.cell);
            break;
        case panel::Gesture::Right:
            m_owner->OnFaceRightClick(g.cell, g.screen);
            break;
        case panel::Gesture::None:
            break;
        }
    }
}

LRESULT CMienkosPanel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kDeliverMessage) {
        DeliverQueued();
        return 0;
    }
    return winfx::Window::OnMessage(msg, wp, lp);
}
