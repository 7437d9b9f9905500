#include "CellBitmap_win.h"

#include <algorithm>
#include <cstring>

#include "PictureSurface_win.h"
#include "winfx/Gdi.h"

namespace widgets {

winfx::ComPtr<IPicture> LoadPicture(const void* data, size_t size) {
    winfx::ComPtr<IPicture> picture;
    if (!data || size == 0 || size > 0x7FFFFFFF)
        return picture;
    winfx::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory)
        return picture;
    {
        GlobalLockGuard lock(memory.Get());
        if (!lock.Bytes())
            return picture;
        std::memcpy(lock.Bytes(), data, size);
    }
    winfx::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Put())))
        return picture;
    memory.Release();  // the stream frees it now
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              picture.PutVoid())))
        picture.Reset();
    return picture;
}

SIZE PicturePixels(IPicture& picture, HDC dc, SIZE* himetric) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture.get_Width(&w);
    picture.get_Height(&h);
    if (himetric)
        *himetric = {w, h};
    const int dpiX = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    const int dpiY = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    return {MulDiv(w, dpiX, 2540), MulDiv(h, dpiY, 2540)};
}

std::shared_ptr<const CellBitmap> CellBitmap::Decode(const void* data, size_t size, int width, int height) {
    winfx::ComPtr<IPicture> picture = LoadPicture(data, size);
    if (!picture)
        return nullptr;
    winfx::WindowDc screen(nullptr);
    if (!screen)
        return nullptr;
    SIZE himetric{};
    const SIZE natural = PicturePixels(*picture.Get(), screen.Get(), &himetric);
    const LONG w = himetric.cx, h = himetric.cy;
    if (width <= 0 || height <= 0) {
        width = natural.cx;
        height = natural.cy;
        if (width <= 0 || height <= 0)
            return nullptr;
    }
    width = std::min(width, kMaxSide);
    height = std::min(height, kMaxSide);
    winfx::UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
    winfx::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!dc || !bitmap)
        return nullptr;
    {
        winfx::SelectGuard select(dc.Get(), bitmap.Get());
        const RECT all{0, 0, width, height};
        FillSolid(dc.Get(), all, RGB(255, 255, 255));
        // A picture that will not render leaves the cell white, as it always has.
        picture->Render(dc.Get(), 0, 0, width, height, 0, h, w, -h, nullptr);
    }
    return std::make_shared<const CellBitmap>(std::move(bitmap), width, height);
}

bool CellBitmap::Blit(HDC target, const RECT& to, HDC scratch, const RECT& from) const {
    if (!scratch || !m_bitmap)
        return false;
    winfx::SelectGuard select(scratch, m_bitmap.Get());
    const int tw = to.right - to.left, th = to.bottom - to.top;
    const int fw = from.right - from.left, fh = from.bottom - from.top;
    if (tw == fw && th == fh)
        return BitBlt(target, to.left, to.top, tw, th, scratch, from.left, from.top, SRCCOPY) != FALSE;
    return StretchBlt(target, to.left, to.top, tw, th, scratch, from.left, from.top, fw, fh, SRCCOPY) != FALSE;
}

}  // namespace widgets
