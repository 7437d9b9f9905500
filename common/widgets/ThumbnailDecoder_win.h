// Decodes thumbnails into CellBitmaps for a window that shows many: JPEG (every stored
// thumbnail) through the system imaging component with the decoder's class object kept,
// several times faster than the picture loader, which looks its decoder up for every
// picture. Anything else, a system without the component, or a failure there goes to
// CellBitmap::Decode. The same pixels either way. For one thread; COM is set up with it.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <cstddef>
#include <memory>

#include "CellBitmap_win.h"
#include "winfx/Com.h"

namespace widgets {

class ThumbnailDecoder {
public:
    ThumbnailDecoder() = default;
    ThumbnailDecoder(const ThumbnailDecoder&) = delete;
    ThumbnailDecoder& operator=(const ThumbnailDecoder&) = delete;

    std::shared_ptr<const CellBitmap> Decode(const void* data, size_t size, int width, int height);
    // False once the imaging component could not be had: every picture takes the loader.
    bool UsesImaging() const { return !m_failed; }

private:
    bool Ready();
    std::shared_ptr<const CellBitmap> DecodeJpeg(const BYTE* data, size_t size, int width, int height);

    winfx::OleInit m_ole;  // first in, last out: the COM pointers go before it
    winfx::ComPtr<IWICImagingFactory> m_factory;
    winfx::ComPtr<IClassFactory> m_jpeg;
    bool m_failed = false;
};

}  // namespace widgets
