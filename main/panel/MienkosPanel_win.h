// CMienkosPanel: the grid of face cells with the hover preview, shared by the picker
// (Pelumo) and the editor (Tessel).
//
// Using it:
//   class Owner : public PanelOwner { ... };      // gets the clicks on cells with a face
//   CMienkosPanel panel;
//   panel.Create(dialog, placeholderRect, 1031); // a plain child window
//   panel.CreateGrid(5, 8, 40, &owner);          // sizes the panel to 5 x 46 by 8 x 46
//   panel.SetPressedFrame(false);                // picker: no marks; editor: true (selection)
//   panel.SetHoverFrame(true);
//   panel.LoadFace(0, face);                     // thumbnail shows now, full image on hover
//   panel.ClearFrom(n);                          // empties cells n ... end of the page
//   panel.ClearPreview();                        // before every page fill
// On WM_SIZE: GridForSize(new panel size), RelayoutGrid, SetPressedFrame, SetHoverFrame,
// ShowCells(columns x rows), then refill.
//
// Thumbnails are decoded once into cell-sized bitmaps and kept by face (ThumbnailCache,
// a few hundred faces): a page shown again needs no decoding. PrefetchThumbnails decodes
// the faces an owner expects next (the next page) while the window is idle. Owners call
// ForgetThumbnails when the library was reloaded.
//
// Clicks: a left click reaches the owner as OnFaceClick after min(double-click time,
// 350 ms) when no second click followed; a double click as OnFaceDoubleClick (no click
// before it); a right button down as OnFaceRightClick. Only cells holding a face report.
// A left click also toggles the cell's pressed (selected) flag at once, shown as a red frame
// when the pressed frame is on. Changing or clearing a cell drops a click still pending on
// it, so a page change never sends a face the user did not click.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ClickSequencer.h"
#include "PanelGeometry.h"
#include "ThumbnailCache.h"
#include "winfx/Tooltip.h"
#include "winfx/Window.h"

#include "ThumbnailDecoder_win.h"

class CPictureEx;

// One face as the panel shows and sends it.
struct PanelFace {
    std::string id;                  // 32-character digest
    std::string fileName;            // stored file name; may carry a folder part
    std::string tip;                 // the face's name, shown as the cell's tooltip
    std::vector<uint8_t> thumbnail;  // shown in the cell
    std::vector<uint8_t> image;      // the face file; decoded when first hovered, sent as is
    int row = -1;                    // free for the owner (the editor: absolute row)
};

// A face's thumbnail to decode ahead.
struct PanelThumbnail {
    std::string id;
    std::vector<uint8_t> bytes;
};

// Receives the gestures on cells that hold a face. Called on the window thread; the
// owner may change the panel (fill a new page) from inside a call.
class PanelOwner {
public:
    virtual ~PanelOwner() = default;
    virtual void OnFaceClick(int /*cell*/) {}
    virtual void OnFaceDoubleClick(int /*cell*/) {}
    virtual void OnFaceRightClick(int /*cell*/, POINT /*screen*/) {}
};

class CMienkosPanel : public winfx::Window {
public:
    static constexpr UINT kCellId = 0xFFFF;
    static constexpr UINT_PTR kClickTimer = 1;
    static constexpr UINT_PTR kPrefetchTimer = 2;
    static constexpr UINT kPrefetchSliceMs = 8;  // decoding per idle moment, then input again

    CMienkosPanel();
    ~CMienkosPanel() override;

    // A visible child of parent at rect (parent client coordinates).
    bool Create(HWND parent, const RECT& rect, UINT id);

    //--- grid
    // Destroys all cells, then makes columns x rows cells and the preview; the panel is
    // sized to (columns x 46, rows x 46) without moving. (0, 0, 0, nullptr) only empties.
    bool CreateGrid(int columns, int rows, int pageSize, PanelOwner* owner);
    // Moves the cells to their places for the new column count and adds missing cells;
    // never deletes cells.
    bool RelayoutGrid(int columns, int rows, PanelOwner* owner);
    // Shows cells 0 ... count - 1, hides the rest; page size := count.
    void ShowCells(int count);
    void SetPressedFrame(bool on);  // red frame on pressed cells
    void SetHoverFrame(bool on);    // blue frame under the mouse
    void ResetPressed();            // every cell unpressed (every page change)

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    int CellCount() const { return static_cast<int>(m_cells.size()); }
    int PageSize() const { return m_pageSize; }

    //--- cells
    // Puts a face into a cell. An undecodable thumbnail leaves the cell white; the face
    // still counts (its full image may decode on hover). False for a bad index or a cell
    // beyond the page size (hidden cells take no faces).
    bool LoadFace(int cell, PanelFace face);
    void ClearCell(int cell);          // no picture, no tooltip, no face
    void ClearFrom(int firstCell);     // ClearCell for firstCell ... last cell
    bool HasFace(int cell) const;
    const PanelFace* Face(int cell) const;  // null without a face
    bool IsPressed(int cell) const;
    void SetPressed(int cell, bool pressed);
    bool IsHovered(int cell) const;
    // Swaps the faces (and pressed flags) of two cells on screen, for in-page reordering.
    bool SwapCells(int a, int b);

    //--- decoded thumbnails
    // Queues these thumbnails (replacing what still waits) to be decoded when the window
    // is idle; faces already decoded are skipped.
    void PrefetchThumbnails(std::vector<PanelThumbnail> faces);
    size_t PrefetchWaiting() const { return m_prefetch.size() - m_prefetchNext; }
    void ForgetThumbnails();  // also drops what waits to be decoded
    void SetThumbnailCapacity(size_t faces) { m_thumbnails.SetCapacity(faces); }
    size_t DecodedThumbnails() const { return m_thumbnails.Size(); }

    //--- preview
    void StopPreview();  // halts its animation and clears it to white, no face
    // Before a page fill: stopped and hidden, since an empty preview would cover the page's
    // first faces; the next face hovered shows it again.
    void ClearPreview();

    //--- observation (tests, owners)
    HWND CellHwnd(int cell) const;
    HWND PreviewHwnd() const;
    int CellAt(HWND hwnd) const;  // -1 when hwnd is no cell of this panel
    CPictureEx* Picture(int cell) const;
    CPictureEx* Preview() const { return m_preview.get(); }
    std::string TooltipText(int cell) const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    class CellHook;
    struct Cell;
    struct PendingGesture;
    bool AddCell(int index);
    void KeepPreviewOnTop();
    void Apply(const panel::ClickStep& step);
    void Queue(int cell, panel::Gesture gesture, POINT screen);
    void DeliverQueued();
    void OnCellLeftDown(int cell);
    void OnCellDoubleClick(int cell);
    void OnCellRightDown(int cell);
    bool ValidCell(int cell) const { return cell >= 0 && cell < CellCount(); }
    std::shared_ptr<const widgets::CellBitmap> Thumbnail(const std::string& id, const std::vector<uint8_t>& bytes);
    void PrefetchSlice();

    std::vector<std::unique_ptr<Cell>> m_cells;
    std::vector<PendingGesture> m_gestures;  // posted to this window, run in order
    std::unique_ptr<CPictureEx> m_preview;
    winfx::Tooltip m_tooltip;
    PanelOwner* m_owner = nullptr;
    panel::ClickSequencer m_clicks;
    widgets::ThumbnailDecoder m_decoder;
    panel::ThumbnailCache<std::shared_ptr<const widgets::CellBitmap>> m_thumbnails;
    std::vector<PanelThumbnail> m_prefetch;
    size_t m_prefetchNext = 0;
    int m_columns = 0;
    int m_rows = 0;
    int m_pageSize = 0;
    bool m_pressedFrame = false;
    bool m_hoverFrame = false;
};
