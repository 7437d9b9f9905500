// Showing and playing: the GDI side of the frame player and its worker thread.
#include "PictureEx_win.h"

#include "FramePlayer.h"

namespace {

std::vector<player::Frame> PlayerFrames(const std::vector<FrameRecord>& records) {
    std::vector<player::Frame> frames;
    frames.reserve(records.size());
    for (const FrameRecord& r : records) {
        player::Frame f;
        f.hasPicture = static_cast<bool>(r.picture);
        f.left = r.left;
        f.top = r.top;
        f.width = r.width;
        f.height = r.height;
        f.delay = r.delay;
        f.disposal = r.disposal;
        frames.push_back(f);
    }
    return frames;
}

RECT ToRect(const PixelRect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

bool RenderPicture(IPicture* picture, HDC dc, const PixelRect& r) {
    if (!picture || r.width <= 0 || r.height <= 0)
        return false;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    return SUCCEEDED(picture->Render(dc, r.x, r.y, r.width, r.height, 0, h, w, -h, nullptr));
}

// The stop flag, and the event that cuts a frame's wait short.
class EventStop : public player::StopSignal {
public:
    EventStop(const std::atomic<bool>& stop, HANDLE event) : m_stop(stop), m_event(event) {}
    bool StopRequested() const override { return m_stop.load(); }
    bool WaitForStop(uint32_t ms) override {
        WaitForSingleObject(m_event, ms);
        return m_stop.load();
    }

private:
    const std::atomic<bool>& m_stop;
    HANDLE m_event;
};

}  // namespace

// The control's off-screen surfaces as the player sees them. Each call takes the surface
// lock, so a paint on the window thread never copies a half-drawn operation.
class PictureCanvas : public player::Canvas {
public:
    explicit PictureCanvas(CPictureEx& pic) : m_pic(pic) {}

    void ClearAll() override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        FillSolid(All(), m_pic.m_background);
    }
    void FillBackground(const PixelRect& r) override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        FillSolid(ToRect(r), m_pic.m_background);
    }
    void SaveArea(const PixelRect& r) override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        widgets::Surface& saved = m_pic.m_saved;
        if (!m_pic.m_surface || (!(saved.Width() == r.width && saved.Height() == r.height) &&
                                 !saved.Create(r.width, r.height))) {
            saved.Reset();
            return;
        }
        BitBlt(saved.Dc(), 0, 0, r.width, r.height, m_pic.m_surface.Dc(), r.x, r.y, SRCCOPY);
        m_pic.m_savedRect = ToRect(r);
    }
    bool RestoreArea() override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        widgets::Surface& saved = m_pic.m_saved;
        if (!saved || !m_pic.m_surface)
            return false;
        const RECT& r = m_pic.m_savedRect;
        BitBlt(m_pic.m_surface.Dc(), r.left, r.top, saved.Width(), saved.Height(), saved.Dc(), 0,
               0, SRCCOPY);
        saved.Reset();
        return true;
    }
    bool RenderFrame(size_t index, const PixelRect& r) override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        if (!m_pic.m_surface || index >= m_pic.m_frames.size())
            return false;
        return RenderPicture(m_pic.m_frames[index].picture.Get(), m_pic.m_surface.Dc(), r);
    }
    void DrawBorder() override {
        std::lock_guard<std::mutex> lock(m_pic.m_surfaceLock);
        if (m_pic.m_surface)
            widgets::FrameSolid(m_pic.m_surface.Dc(), All(), CPictureEx::kPlayBorder);
    }
    void Invalidate() override { m_pic.Invalidate(); }

private:
    RECT All() const { return {0, 0, m_pic.m_surface.Width(), m_pic.m_surface.Height()}; }
    void FillSolid(const RECT& r, COLORREF colour) {
        if (m_pic.m_surface)
            widgets::FillSolid(m_pic.m_surface.Dc(), r, colour);
    }
    CPictureEx& m_pic;
};

void CPictureEx::BeginShow() {
    if (!m_ready)
        return;
    HaltShow();  // a second start must not leave two players on one surface
    if (m_fitToWindow) {
        RECT client = ClientRect();
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        // Only what the surface holds can be copied to the window.
        const RECT surface{0, 0, m_surface.Width(), m_surface.Height()};
        IntersectRect(&m_copyRect, &client, &surface);
    }
    if (m_bAnimate)
        FillAll(m_background);
    if (m_frames.size() > 1 && m_bAnimate && m_stopEvent) {
        m_stop = false;
        ResetEvent(m_stopEvent.Get());
        m_running = true;
        m_thread.Reset(CreateThread(nullptr, 0, &CPictureEx::PlayerEntry, this, CREATE_SUSPENDED,
                                    nullptr));
        if (!m_thread) {
            m_running = false;
            return;
        }
        ResumeThread(m_thread.Get());
    } else if (!m_frames.empty()) {
        PictureCanvas canvas(*this);
        EventStop stop(m_stop, m_stopEvent.Get());
        player::Play(PlayerFrames(m_frames), m_fit, false, canvas, stop, m_current);
    } else if (m_picture) {
        ShowSingle();
    }
}

void CPictureEx::DrawFirstFrame() {
    if (!m_ready)
        return;
    HaltShow();
    FillAll(m_background);
    {
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        m_saved.Reset();
    }
    m_current = 0;
    if (!m_frames.empty()) {
        PictureCanvas canvas(*this);
        EventStop stop(m_stop, m_stopEvent.Get());
        player::Play(PlayerFrames(m_frames), m_fit, false, canvas, stop, m_current);
    } else if (m_picture) {
        ShowSingle();
    }
}

void CPictureEx::ShowSingle() {
    bool drawn = false;
    {
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        if (m_surface)
            drawn = RenderPicture(m_picture.Get(), m_surface.Dc(),
                                  PlacePicture(m_fit, m_imageSize.cx, m_imageSize.cy));
    }
    if (drawn)
        Invalidate();
}

void CPictureEx::HaltShow() {
    m_running = false;
    m_stop = true;
    if (m_stopEvent)
        SetEvent(m_stopEvent.Get());
    if (m_thread) {
        // The player only ever blocks on the stop event, so it ends within one frame
        // render. Should the bounded wait still run out, the frames it draws must not be
        // freed under it: keep waiting rather than crash.
        if (WaitForSingleObject(m_thread.Get(), kHaltWaitMs) == WAIT_TIMEOUT) {
            OutputDebugStringW(L"CPictureEx: player thread slow to stop\n");
            WaitForSingleObject(m_thread.Get(), INFINITE);
        }
        m_thread.Reset();
    }
    if (m_stopEvent)
        ResetEvent(m_stopEvent.Get());
    m_stop = false;
}

DWORD WINAPI CPictureEx::PlayerEntry(void* self) {
    static_cast<CPictureEx*>(self)->PlayerThread();
    return 0;
}

// The thread owns nothing: the control keeps its handle and closes it in HaltShow, so the
// handle is never closed twice.
void CPictureEx::PlayerThread() {
    try {
        PictureCanvas canvas(*this);
        EventStop stop(m_stop, m_stopEvent.Get());
        player::Play(PlayerFrames(m_frames), m_fit, true, canvas, stop, m_current);
    } catch (...) {
        OutputDebugStringW(L"CPictureEx: player stopped by an exception\n");
    }
    m_running = false;
}

void CPictureEx::FillAll(COLORREF colour) {
    std::lock_guard<std::mutex> lock(m_surfaceLock);
    if (m_surface)
        widgets::FillSolid(m_surface.Dc(), {0, 0, m_surface.Width(), m_surface.Height()}, colour);
}

std::vector<uint32_t> CPictureEx::GetSchedule() const {
    return player::Schedule(PlayerFrames(m_frames));
}

bool CPictureEx::CopySurface(HDC target, int x, int y) const {
    std::lock_guard<std::mutex> lock(m_surfaceLock);
    if (!m_surface || !target)
        return false;
    return BitBlt(target, x, y, m_surface.Width(), m_surface.Height(), m_surface.Dc(), 0, 0,
                  SRCCOPY) != FALSE;
}
