#include "PictureFaceRenderer_win.h"

#include <objidl.h>
#include <propidl.h>
// gdiplus.h needs the OLE property types that WIN32_LEAN_AND_MEAN leaves out.
#include <gdiplus.h>

#include <cstring>

#include "PictureEx_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// b96b3cae-0728-11d3-9d7b-0000f81ef32e, the format identifier GDI+ gives its JPEG codec.
const GUID kJpegFormat = {0xb96b3cae, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

bool FindJpegEncoder(CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, bytes, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (IsEqualGUID(codecs[i].FormatID, kJpegFormat)) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

class GdipImage {
public:
    ~GdipImage() {
        if (m_bitmap)
            GdipDisposeImage(m_bitmap);
    }
    GpBitmap** Put() { return &m_bitmap; }
    GpBitmap* Get() const { return m_bitmap; }

private:
    GpBitmap* m_bitmap = nullptr;
};

// A 24-bit DIB selected into a memory DC: what the encoder reads.
class DibTarget {
public:
    explicit DibTarget(int size) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = size;
        bi.bmiHeader.biHeight = size;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_dc && m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    ~DibTarget() {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_dc)
            DeleteDC(m_dc);
    }
    DibTarget(const DibTarget&) = delete;
    DibTarget& operator=(const DibTarget&) = delete;
    bool Ok() const { return m_old != nullptr; }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    void Deselect() {
        if (m_old)
            SelectObject(m_dc, m_old);
        m_old = nullptr;
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

bool StreamBytes(IStream* stream, std::vector<uint8_t>& out) {
    LARGE_INTEGER zero{};
    ULARGE_INTEGER end{};
    if (FAILED(stream->Seek(zero, STREAM_SEEK_END, &end)) || end.QuadPart == 0)
        return false;
    HGLOBAL memory = nullptr;
    if (FAILED(GetHGlobalFromStream(stream, &memory)) || !memory ||
        end.QuadPart > GlobalSize(memory))
        return false;
    widgets::GlobalLockGuard lock(memory);
    if (!lock.Bytes())
        return false;
    out.assign(lock.Bytes(), lock.Bytes() + static_cast<size_t>(end.QuadPart));
    return true;
}

}  // namespace

PictureFaceRenderer::PictureFaceRenderer() : m_thread(GetCurrentThreadId()) {
    GdiplusStartupInput input;
    m_started = GdiplusStartup(&m_gdiplus, &input, nullptr) == Ok;
}

PictureFaceRenderer::~PictureFaceRenderer() {
    m_controls.clear();
    if (m_started)
        GdiplusShutdown(m_gdiplus);
}

CPictureEx* PictureFaceRenderer::ControlFor(int size, std::unique_ptr<CPictureEx>& temporary) {
    const bool keep = GetCurrentThreadId() == m_thread;
    if (keep) {
        for (auto& [kept, control] : m_controls)
            if (kept == size)
                return control.get();
    }
    auto control = std::make_unique<CPictureEx>();
    if (!control->Create(nullptr, RECT{0, 0, size, size}, 0))
        return nullptr;
    // Only the first frame is drawn: loading the others cost more than the rest together.
    control->LimitFrames(1);
    if (!keep) {
        temporary = std::move(control);
        return temporary.get();
    }
    m_controls.emplace_back(size, std::move(control));
    return m_controls.back().second.get();
}

bool PictureFaceRenderer::RenderJpeg(const std::vector<uint8_t>& picture, int size,
                                     std::vector<uint8_t>& jpeg) {
    jpeg.clear();
    if (!m_started || picture.empty() || size <= 0 || size > kMaxSize)
        return false;
    std::unique_ptr<CPictureEx> temporary;
    CPictureEx* control = ControlFor(size, temporary);
    if (!control)
        return false;
    // A kept control lets go of the picture when done: it may be a large one.
    struct Release {
        CPictureEx& c;
        ~Release() { c.ReleaseImage(); }
    } release{*control};
    if (!control->LoadImageBytes(picture.data(), picture.size()))
        return false;
    control->DrawFirstFrame();
    DibTarget target(size);
    if (!target.Ok() || !control->CopySurface(target.Dc(), 0, 0))
        return false;
    if (m_sink)
        m_sink(target.Dc(), size);
    target.Deselect();  // GDI+ must not read a bitmap still selected into a DC
    CLSID encoder;
    GdipImage image;
    if (!FindJpegEncoder(encoder) ||
        GdipCreateBitmapFromHBITMAP(target.Bitmap(), nullptr, image.Put()) != Ok)
        return false;
    winfx::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())))
        return false;
    if (GdipSaveImageToStream(image.Get(), stream.Get(), &encoder, nullptr) != Ok)
        return false;
    return StreamBytes(stream.Get(), jpeg);
}
