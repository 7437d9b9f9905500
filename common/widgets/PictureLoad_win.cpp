// Loading: GIFs are cut into frames for the system picture loader, anything else is
// handed to it whole. Limits keep a hostile file from exhausting memory or GDI handles.
#include "PictureEx_win.h"

#include <algorithm>
#include <cstring>

#include "CellBitmap_win.h"
#include "GifFormat.h"

namespace {

constexpr size_t kMaxFrames = 512;                       // each frame holds GDI bitmaps
constexpr uint64_t kMaxFramePixels = 4096ull * 4096ull;
constexpr uint64_t kMaxTotalPixels = 32ull * 1024 * 1024;  // all frames of one picture
constexpr int kMaxCanvasSide = 4096;

using widgets::LoadPicture;

}  // namespace

bool CPictureEx::LoadImageBytes(const void* data, size_t size) {
    ReleaseImage();
    if (!data || size == 0 || size > 0x7FFFFFFF)
        return false;
    winfx::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        return false;
    {
        widgets::GlobalLockGuard lock(memory.Get());
        if (!lock.Bytes())
            return false;
        std::memcpy(lock.Bytes(), data, size);
    }
    return LoadImageData(memory.Release(), static_cast<DWORD>(size));
}

bool CPictureEx::LoadImageData(HGLOBAL memory, DWORD size) {
    ReleaseImage();
    m_memory.Reset(memory);
    // The stated size is a claim about the block: never read past what it really holds.
    if (!memory || size == 0 || size > GlobalSize(memory)) {
        ReleaseImage();
        return false;
    }
    m_memorySize = size;
    bool ok = false;
    {
        widgets::GlobalLockGuard lock(m_memory.Get());
        if (lock.Bytes())
            ok = gif::HasGifSignature(lock.Bytes(), size) ? LoadGif(lock.Bytes(), size)
                                                          : LoadOther(lock.Bytes(), size);
    }
    if (!ok || !PrepareCanvas(m_imageSize.cx, m_imageSize.cy)) {
        ReleaseImage();
        return false;
    }
    m_loaded = true;
    return true;
}

bool CPictureEx::LoadGif(const BYTE* data, size_t size) {
    const auto screen = gif::ReadScreen(data, size);
    if (!screen)
        return false;
    const auto spans = gif::ListFrames(data, size, *screen);
    if (spans.empty())
        return false;
    m_isGif = true;
    m_globalTableBytes = screen->globalTableBytes;
    m_background = screen->backgroundColor;
    m_imageSize = {screen->width, screen->height};
    if (m_imageSize.cx == 0 || m_imageSize.cy == 0) {
        // A zero logical screen says nothing; the frames' extent does.
        for (const auto& s : spans) {
            m_imageSize.cx = std::max<LONG>(m_imageSize.cx, s.left + s.width);
            m_imageSize.cy = std::max<LONG>(m_imageSize.cy, s.top + s.height);
        }
        if (m_imageSize.cx == 0 || m_imageSize.cy == 0)
            return false;
    }
    FitImage(m_imageSize.cx, m_imageSize.cy);
    if (spans.size() == 1) {
        m_picture = LoadPicture(data, size);
        return static_cast<bool>(m_picture);
    }
    uint64_t budget = kMaxTotalPixels;
    for (const auto& s : spans) {
        if (m_frames.size() >= std::min(kMaxFrames, m_frameLimit))
            break;
        const uint64_t pixels = static_cast<uint64_t>(s.width) * static_cast<uint64_t>(s.height);
        if (pixels == 0 || pixels > kMaxFramePixels || pixels > budget)
            continue;  // left out, like a frame the loader cannot read
        const auto cut = gif::CutFrame(data, size, *screen, s);
        FrameRecord frame;
        frame.picture = LoadPicture(cut.data(), cut.size());
        if (!frame.picture)
            continue;
        budget -= pixels;
        frame.width = s.width;
        frame.height = s.height;
        frame.left = s.left;
        frame.top = s.top;
        frame.delay = s.delay;
        frame.disposal = s.disposal;
        m_frames.push_back(std::move(frame));
    }
    return !m_frames.empty();
}

bool CPictureEx::LoadOther(const BYTE* data, size_t size) {
    m_picture = LoadPicture(data, size);
    if (!m_picture)
        return false;
    HDC dc = GetDC(Hwnd());
    m_imageSize = widgets::PicturePixels(*m_picture.Get(), dc);
    if (dc)
        ReleaseDC(Hwnd(), dc);
    if (m_imageSize.cx <= 0 || m_imageSize.cy <= 0)
        return false;
    FitImage(m_imageSize.cx, m_imageSize.cy);
    return true;
}

void CPictureEx::FitImage(int width, int height) {
    RECT client = ClientRect();
    if (client.right <= 0 || client.bottom <= 0)
        client = {0, 0, width, height};  // no window yet: natural size
    m_fit = FitToClient(client.right, client.bottom, width, height);
}

bool CPictureEx::PrepareCanvas(int width, int height) {
    const RECT client = ClientRect();
    if (m_fitToWindow && client.right > 0 && client.bottom > 0) {
        width = client.right;
        height = client.bottom;
    }
    width = std::min(width, kMaxCanvasSide);
    height = std::min(height, kMaxCanvasSide);
    {
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        if (!m_surface.Create(width, height))
            return false;
        const RECT all{0, 0, width, height};
        FillRect(m_surface.Dc(), &all, reinterpret_cast<HBRUSH>(COLOR_MENU + 1));
    }
    m_background = RGB(255, 255, 255);
    m_ready = true;
    return true;
}

void CPictureEx::ReleaseImage() {
    HaltShow();
    m_memory.Reset();
    m_memorySize = 0;
    m_picture.Reset();
    m_frames.clear();
    {
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        m_surface.Reset();
        m_saved.Reset();
        m_savedRect = {0, 0, 0, 0};
    }
    m_isGif = false;
    m_loaded = false;
    m_ready = false;
    m_globalTableBytes = 0;
    m_imageSize = {0, 0};
    m_background = RGB(255, 255, 255);
    m_fit = PictureFit{};
    m_copyRect = {0, 0, 0, 0};
    m_current = 0;
}

bool CPictureEx::SetStillImage(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) {
        SetStillBitmap(nullptr);
        return true;
    }
    const RECT client = ClientRect();
    auto still = widgets::CellBitmap::Decode(bytes.data(), bytes.size(), client.right, client.bottom);
    const bool ok = static_cast<bool>(still);
    SetStillBitmap(std::move(still));
    return ok;
}

void CPictureEx::SetStillBitmap(std::shared_ptr<const widgets::CellBitmap> still) {
    m_still = std::move(still);
    Invalidate();
}

void CPictureEx::SetPendingImage(std::vector<uint8_t> bytes) {
    m_pending = std::move(bytes);
}
