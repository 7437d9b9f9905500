// CPictureEx: the control that shows one face - a cell of the faces panel, the enlarged
// preview, a skin gallery tile, or the off-screen source of a thumbnail.
//
// Using it:
//   CPictureEx pic;
//   pic.Create(parent, rect, id);           // or Attach() to a static from a dialog template
//   pic.SetAnimate(true);                   // play on a worker thread (false: draw once)
//   if (pic.LoadImageBytes(bytes.data(), bytes.size()))   // GIF, JPEG, BMP...
//       pic.BeginShow();                    // still pictures draw, animations start
//   ...
//   pic.HaltShow();                         // stops within one frame render, never waits on delays
//
// Create the window before loading: loading fits the picture into the client area
// (fit-to-window, the default) and prepares the off-screen surface. The control owns every
// resource it was given. Painting: with SetAnimate(true) the surface and a grey frame; a
// cell (SetAnimate(false)) shows its still image (thumbnail), else what BeginShow drew,
// else white, with the hover or mark frame when enabled. All methods are
// for the window's own thread; the player thread only draws on the surface and asks for a
// repaint. The control is a "STATIC" window with SS_NOTIFY taken over through
// winfx::Subclass, so its parent gets STN_CLICKED / STN_DBLCLK as from any static.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CellBitmap_win.h"
#include "PictureFit.h"
#include "PictureSurface_win.h"
#include "winfx/Com.h"
#include "winfx/Subclass.h"
#include "winfx/Unique.h"

// One frame of an animated GIF.
struct FrameRecord {
    winfx::ComPtr<IPicture> picture;  // may be null
    int width = 0;                    // frame size in image pixels
    int height = 0;
    int left = 0;                     // place in the logical screen
    int top = 0;
    int32_t delay = -1;               // hundredths of a second, -1 without a control extension
    int disposal = 0;
};

class CPictureEx : public winfx::Subclass {
public:
    static constexpr COLORREF kPlayBorder = RGB(175, 175, 175);
    static constexpr COLORREF kHoverBorder = RGB(0, 0, 255);
    static constexpr COLORREF kMarkBorder = RGB(255, 0, 0);
    static constexpr DWORD kHaltWaitMs = 5000;

    CPictureEx();
    ~CPictureEx() override;
    CPictureEx(const CPictureEx&) = delete;
    CPictureEx& operator=(const CPictureEx&) = delete;

    //--- window
    // A new child (or, with no parent, a hidden pop-up of that client size).
    bool Create(HWND parent, const RECT& rect, UINT id,
                DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY);
    bool Attach(HWND staticControl);  // takes over an existing static control
    HWND GetHwnd() const { return Hwnd(); }

    //--- image engine
    // Releases the old image, then loads; the control owns `memory` from here on, also
    // on failure. `size` may not exceed the block. False leaves the control empty.
    bool LoadImageData(HGLOBAL memory, DWORD size);
    bool LoadImageBytes(const void* data, size_t size);  // copies, then LoadImageData
    // At most `count` frames of a GIF are loaded from now on (1: a still of the first).
    void LimitFrames(size_t count) { m_frameLimit = count; }
    // The off-screen surface: the client size with fit-to-window, else width x height.
    bool PrepareCanvas(int width, int height);
    void BeginShow();   // draws; an animation with SetAnimate(true) starts its thread
    void HaltShow();    // stops the thread: signals, waits, closes (see kHaltWaitMs)
    // Clears the surface to the background colour and draws the first frame (or the still
    // picture) once, without a thread: thumbnails and gallery stills.
    void DrawFirstFrame();
    void ReleaseImage();

    //--- settings
    void SetAnimate(bool animate) { m_bAnimate = animate; }
    bool GetAnimate() const { return m_bAnimate; }
    void SetAutoXYPos(bool autoPos) { m_AutoXYPos = autoPos; }  // preview dodges the mouse
    void SetFitToWindow(bool fit) { m_fitToWindow = fit; }

    //--- cell and preview behaviour (the faces panel configures, the control carries)
    void SetFaceName(const std::string& name) { m_faceName = name; }
    const std::string& GetFaceName() const { return m_faceName; }
    // The thumbnail, decoded now to the client size; empty clears, garbage leaves it white
    // (false). A decoded one may come from elsewhere (a cache) and be shared.
    bool SetStillImage(const std::vector<uint8_t>& bytes);
    void SetStillBitmap(std::shared_ptr<const widgets::CellBitmap> still);
    bool HasStillImage() const { return static_cast<bool>(m_still); }
    const widgets::CellBitmap* GetStillBitmap() const { return m_still.get(); }
    void SetPendingImage(std::vector<uint8_t> bytes);  // full face, decoded on first hover
    void SetPreview(CPictureEx* preview) { m_preview = preview; }
    void EnableHoverBorder(bool on);
    void EnableMarking(bool on);
    void SetMarked(bool marked);
    bool IsMarked() const { return m_marked; }
    bool IsHovered() const { return m_hovered; }
    // Shows this control's face in `preview`, enlarged and playing.
    void HandOverTo(CPictureEx& preview);

    //--- observation (tests, renderer, gallery)
    bool IsLoaded() const { return m_loaded; }
    bool IsGif() const { return m_isGif; }
    bool IsPlaying() const { return m_running.load(); }
    size_t GetFrameCount() const { return m_frames.size(); }
    size_t GetCurrentFrame() const { return m_current.load(); }
    std::vector<uint32_t> GetSchedule() const;  // milliseconds each frame stays up
    SIZE GetImageSize() const { return m_imageSize; }
    PictureFit GetFit() const { return m_fit; }
    COLORREF GetBackground() const { return m_background; }
    // Copies the off-screen surface to `target` at (x, y); false when there is none.
    bool CopySurface(HDC target, int x, int y) const;

private:
    friend class PictureCanvas;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnPaint();
    void PaintPlaying(HDC dc, const RECT& client);
    void PaintCell(HDC dc, const RECT& client);
    void OnMouseMove();
    void OnMouseLeave();
    void OnClick();
    void Dodge();
    void Invalidate() const;

    bool LoadGif(const BYTE* data, size_t size);
    bool LoadOther(const BYTE* data, size_t size);
    void FitImage(int width, int height);
    RECT ClientRect() const;
    void FillAll(COLORREF colour);
    void ShowSingle();
    void PlayerThread();
    static DWORD WINAPI PlayerEntry(void* self);

    winfx::OleInit m_ole;
    bool m_ownsWindow = false;
    size_t m_frameLimit = static_cast<size_t>(-1);

    // image state
    winfx::UniqueGlobal m_memory;
    DWORD m_memorySize = 0;
    bool m_isGif = false;
    bool m_loaded = false;
    bool m_ready = false;
    size_t m_globalTableBytes = 0;
    SIZE m_imageSize{0, 0};
    COLORREF m_background = RGB(255, 255, 255);
    winfx::ComPtr<IPicture> m_picture;  // a still picture
    std::vector<FrameRecord> m_frames;    // an animation
    PictureFit m_fit;
    RECT m_copyRect{0, 0, 0, 0};
    bool m_fitToWindow = true;
    bool m_bAnimate = false;
    bool m_AutoXYPos = false;

    // drawing surfaces, shared with the player thread under m_surfaceLock
    mutable std::mutex m_surfaceLock;
    widgets::Surface m_surface;
    widgets::Surface m_saved;            // what a disposal-3 frame covered
    RECT m_savedRect{0, 0, 0, 0};

    // player
    std::atomic<size_t> m_current{0};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    winfx::UniqueHandle m_stopEvent;
    winfx::UniqueHandle m_thread;

    // cell
    std::string m_faceName;
    std::shared_ptr<const widgets::CellBitmap> m_still;
    winfx::UniqueMemDc m_blitDc;  // the still is selected into it only while it paints
    std::vector<uint8_t> m_pending;
    CPictureEx* m_preview = nullptr;
    bool m_hoverBorder = false;
    bool m_marking = false;
    bool m_marked = false;
    bool m_hovered = false;
    bool m_dodgeRight = true;
};
