#include "CategoryIcon_win.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>

#include "winfx/Com.h"
#include "winfx/Gdi.h"

winfx::UniqueBitmap DecodeCategoryIcon(const std::vector<uint8_t>& bytes, int size) {
    if (bytes.empty() || bytes.size() > 16 * 1024 * 1024 || size <= 0) return {};
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem) return {};
    if (void* p = GlobalLock(mem)) {
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(mem);
    }
    winfx::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, stream.Put()))) {
        GlobalFree(mem);
        return {};
    }
    winfx::ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.Put()))))
        return {};
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    winfx::UniqueBitmap bmp(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    if (!dc || !bmp) {
        if (dc) DeleteDC(dc);
        return {};
    }
    HGDIOBJ old = SelectObject(dc, bmp.Get());
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture->Render(dc, 0, 0, size, size, 0, h, w, -h, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}
