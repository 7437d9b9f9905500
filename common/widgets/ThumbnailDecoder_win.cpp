#include "ThumbnailDecoder_win.h"

#include <algorithm>

#include "PictureSurface_win.h"
#include "winfx/Gdi.h"
#include "winfx/Unique.h"

namespace widgets {

namespace {

constexpr uint64_t kMaxPixels = 16ull * 1024 * 1024;

bool IsJpeg(const BYTE* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

}  // namespace

std::shared_ptr<const CellBitmap> ThumbnailDecoder::Decode(const void* data, size_t size, int width, int height) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    if (bytes && IsJpeg(bytes, size) && Ready())
        if (auto decoded = DecodeJpeg(bytes, size, width, height))
            return decoded;
    return CellBitmap::Decode(data, size, width, height);
}

bool ThumbnailDecoder::Ready() {
    if (m_jpeg)
        return true;
    if (m_failed)
        return false;
    m_failed = FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, m_factory.PutVoid())) ||
               FAILED(CoGetClassObject(CLSID_WICJpegDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                       m_jpeg.PutVoid()));
    if (m_failed) {
        m_factory.Reset();
        m_jpeg.Reset();
    }
    return !m_failed;
}

// The frame's pixels go to a DIB and are stretched over white into the cell bitmap, as
// the picture loader's own bitmap is when it renders.
std::shared_ptr<const CellBitmap> ThumbnailDecoder::DecodeJpeg(const BYTE* data, size_t size, int width,
                                                               int height) {
    if (size > 0x7FFFFFFF)
        return nullptr;
    winfx::ComPtr<IWICStream> stream;
    winfx::ComPtr<IWICBitmapDecoder> decoder;
    winfx::ComPtr<IWICBitmapFrameDecode> frame;
    winfx::ComPtr<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(m_factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(m_jpeg->CreateInstance(nullptr, IID_IWICBitmapDecoder, decoder.PutVoid())) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&w, &h)))
        return nullptr;
    if (w == 0 || h == 0 || static_cast<uint64_t>(w) * h > kMaxPixels || w > 0x7FFF || h > 0x7FFF)
        return nullptr;
    if (FAILED(m_factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = -static_cast<LONG>(h);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    winfx::UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits || FAILED(converter->CopyPixels(nullptr, w * 4, w * 4 * h, static_cast<BYTE*>(bits))))
        return nullptr;

    if (width <= 0 || height <= 0) {
        width = static_cast<int>(w);
        height = static_cast<int>(h);
    }
    width = std::min(width, CellBitmap::kMaxSide);
    height = std::min(height, CellBitmap::kMaxSide);
    winfx::WindowDc screen(nullptr);
    if (!screen)
        return nullptr;
    winfx::UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
    winfx::UniqueMemDc source(CreateCompatibleDC(screen.Get()));
    winfx::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!dc || !source || !bitmap)
        return nullptr;
    {
        winfx::SelectGuard target(dc.Get(), bitmap.Get());
        winfx::SelectGuard from(source.Get(), dib.Get());
        const RECT all{0, 0, width, height};
        FillSolid(dc.Get(), all, RGB(255, 255, 255));
        StretchBlt(dc.Get(), 0, 0, width, height, source.Get(), 0, 0, static_cast<int>(w), static_cast<int>(h),
                   SRCCOPY);
    }
    return std::make_shared<const CellBitmap>(std::move(bitmap), width, height);
}

}  // namespace widgets
