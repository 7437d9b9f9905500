#include "SkinImage_win.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <vector>

#include "SkinGeometry.h"
#include "winfx/Com.h"
#include "winfx/Gdi.h"
#include "winfx/Wide.h"

using winfx::UniqueBitmap;
using winfx::UniqueRgn;

namespace {

constexpr DWORD kMaxPictureFile = 64u * 1024 * 1024;  // skins never come near this
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr DWORD kRectsPerRegion = 1000;

// A BMP too short for its own headers is refused here: the system loader may read past the
// end of such data and make a picture of whatever memory follows.
bool PlausibleBmp(const BYTE* data, DWORD size) {
    if (size < 2 || data[0] != 'B' || data[1] != 'M') return true;  // not a BMP: the loader decides
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER)) return false;
    BITMAPFILEHEADER fh;
    memcpy(&fh, data, sizeof fh);
    DWORD infoSize;
    memcpy(&infoSize, data + sizeof fh, sizeof infoSize);
    return infoSize >= sizeof(BITMAPCOREHEADER) && infoSize <= size - sizeof fh &&
           fh.bfOffBits >= sizeof fh + infoSize && fh.bfOffBits < size;
}

winfx::UniqueGlobal ReadFileToGlobal(const std::string& path, DWORD& size) {
    winfx::UniqueFile file(CreateFileW(winfx::ToWide(path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER li{};
    if (!GetFileSizeEx(file.Get(), &li) || li.QuadPart <= 0 || li.QuadPart > kMaxPictureFile)
        return {};
    size = static_cast<DWORD>(li.QuadPart);
    winfx::UniqueGlobal mem(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!mem) return {};
    void* p = GlobalLock(mem.Get());
    if (!p) return {};
    DWORD got = 0;
    BOOL ok = ReadFile(file.Get(), p, size, &got, nullptr);
    ok = ok && got == size && PlausibleBmp(static_cast<const BYTE*>(p), size);
    GlobalUnlock(mem.Get());
    if (!ok) return {};
    return mem;
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

SIZE LoadPictureFile(const std::string& path, UniqueBitmap& target) {
    target.Reset();
    DWORD size = 0;
    winfx::UniqueGlobal mem = ReadFileToGlobal(path, size);
    if (!mem) return SIZE{0, 0};
    winfx::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem.Get(), TRUE, stream.Put()))) return SIZE{0, 0};
    mem.Release();  // the stream frees it now
    winfx::ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              picture.PutVoid())))
        return SIZE{0, 0};
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle)) || !handle)
        return SIZE{0, 0};
    // The picture owns its bitmap and deletes it on release: keep a copy of our own.
    HBITMAP own = static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0,
                  LR_CREATEDIBSECTION));
    target.Reset(own);
    return BitmapSize(own);
}

void CopyBitmapRect(HDC dc, UniqueBitmap& target, HBITMAP source, int left, int top, int right,
                    int bottom) {
    target.Reset();
    if (!source) return;
    SIZE whole = BitmapSize(source);
    int w = right - left, h = bottom - top;
    if (left == right && top == bottom) {
        w = whole.cx;
        h = whole.cy;
    }
    if (w <= 0 || h <= 0) return;
    HDC ref = dc;
    winfx::WindowDc screen(nullptr);
    if (!ref) ref = screen.Get();
    winfx::UniqueMemDc src(CreateCompatibleDC(ref)), dst(CreateCompatibleDC(ref));
    if (!src || !dst) return;
    UniqueBitmap piece(CreateCompatibleBitmap(ref, w, h));
    if (!piece) return;
    {
        winfx::SelectGuard s(src.Get(), source);
        winfx::SelectGuard d(dst.Get(), piece.Get());
        BitBlt(dst.Get(), 0, 0, w, h, src.Get(), left, top, SRCCOPY);
    }
    target = std::move(piece);
}

void DrawBitmapTransparent(HDC dc, HBITMAP bitmap, bool stretch, int left, int top, int right,
                           int bottom) {
    if (!dc || !bitmap) return;
    SIZE size = BitmapSize(bitmap);
    int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0 || size.cx <= 0 || size.cy <= 0) return;
    winfx::UniqueMemDc mem(CreateCompatibleDC(dc));
    if (!mem) return;
    winfx::SelectGuard select(mem.Get(), bitmap);
    if (stretch) {
        TransparentBlt(dc, left, top, w, h, mem.Get(), 0, 0, size.cx, size.cy, kTransparent);
    } else {
        // 1:1 copies are clipped to what the DC can show: a huge piece costs nothing extra.
        RECT want{left, top, left + (w < size.cx ? w : size.cx), top + (h < size.cy ? h : size.cy)};
        RECT clip, part;
        if (GetClipBox(dc, &clip) != ERROR && clip.right > clip.left) {
            if (!IntersectRect(&part, &want, &clip)) return;
        } else {
            part = want;
        }
        TransparentBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top,
                       mem.Get(), part.left - left, part.top - top, part.right - part.left,
                       part.bottom - part.top, kTransparent);
    }
}

UniqueRgn CreateRegionFromBitmap(HBITMAP bitmap, int mode) {
    SIZE size = BitmapSize(bitmap);
    if (!bitmap || size.cx <= 0 || size.cy <= 0) return {};
    winfx::WindowDc screen(nullptr);
    if (!screen) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &bi,
                  DIB_RGB_COLORS) == 0)
        return {};
    const std::vector<skin::Rect> runs = skin::PixelRuns(pixels.data(), size.cx, size.cy, mode);

    UniqueRgn result(CreateRectRgn(0, 0, 0, 0));
    if (!result) return {};
    // Regions are built a thousand rectangles at a time: very large RGNDATA blocks are
    // refused by some systems.
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + kRectsPerRegion * sizeof(RECT));
    for (size_t start = 0; start < runs.size(); start += kRectsPerRegion) {
        const DWORD count = static_cast<DWORD>(
            runs.size() - start < kRectsPerRegion ? runs.size() - start : kRectsPerRegion);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = count;
        data->rdh.nRgnSize = count * sizeof(RECT);
        SetRect(&data->rdh.rcBound, 0, 0, size.cx, size.cy);
        auto* rects = reinterpret_cast<RECT*>(data->Buffer);
        for (DWORD i = 0; i < count; ++i) {
            const skin::Rect& r = runs[start + i];
            SetRect(&rects[i], r.left, r.top, r.right, r.bottom);
        }
        UniqueRgn part(ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + count * sizeof(RECT), data));
        if (part) CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
    }
    return result;
}
