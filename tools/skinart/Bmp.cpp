#include "Bmp.h"

#include <fstream>
#include <iterator>

namespace skinart {

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

uint32_t Get16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

constexpr uint32_t kHeaderSize = 14 + 40;

size_t RowStride(int width) { return (size_t(width) * 3 + 3) & ~size_t(3); }

}  // namespace

std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap) {
    const size_t stride = RowStride(bitmap.width);
    const uint32_t imageSize = uint32_t(stride * size_t(bitmap.height));
    std::vector<uint8_t> b;
    b.reserve(kHeaderSize + imageSize);
    b.push_back('B');
    b.push_back('M');
    Put32(b, kHeaderSize + imageSize);
    Put32(b, 0);
    Put32(b, kHeaderSize);
    Put32(b, 40);
    Put32(b, uint32_t(bitmap.width));
    Put32(b, uint32_t(bitmap.height));   // positive: bottom-up rows
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);                          // BI_RGB
    Put32(b, imageSize);
    Put32(b, 2835);                       // 72 dpi
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        size_t row = size_t(y) * size_t(bitmap.width) * 3;
        for (int x = 0; x < bitmap.width; ++x) {
            size_t i = row + size_t(x) * 3;
            b.push_back(bitmap.rgb[i + 2]);
            b.push_back(bitmap.rgb[i + 1]);
            b.push_back(bitmap.rgb[i]);
        }
        for (size_t pad = size_t(bitmap.width) * 3; pad < stride; ++pad) b.push_back(0);
    }
    return b;
}

bool WriteBmp(const std::string& path, const Bitmap& bitmap) {
    std::vector<uint8_t> bytes = EncodeBmp(bitmap);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

std::vector<uint8_t> EncodeIco(const Bitmap& bitmap) {
    const size_t maskStride = ((size_t(bitmap.width) + 31) / 32) * 4;
    const uint32_t imageBytes =
        uint32_t(40 + size_t(bitmap.width) * size_t(bitmap.height) * 4 + maskStride * size_t(bitmap.height));
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 1);   // an icon
    Put16(b, 1);   // one image
    b.push_back(uint8_t(bitmap.width));
    b.push_back(uint8_t(bitmap.height));
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, imageBytes);
    Put32(b, 6 + 16);
    Put32(b, 40);
    Put32(b, uint32_t(bitmap.width));
    Put32(b, uint32_t(bitmap.height * 2));   // colour rows and mask rows
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 0);
    Put32(b, imageBytes - 40);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    for (int y = bitmap.height - 1; y >= 0; --y)
        for (int x = 0; x < bitmap.width; ++x) {
            size_t i = (size_t(y) * size_t(bitmap.width) + size_t(x)) * 3;
            const bool clear = bitmap.IsMagenta(x, y);
            b.push_back(clear ? 0 : bitmap.rgb[i + 2]);
            b.push_back(clear ? 0 : bitmap.rgb[i + 1]);
            b.push_back(clear ? 0 : bitmap.rgb[i]);
            b.push_back(clear ? 0 : 255);
        }
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < bitmap.width; ++x)
            if (bitmap.IsMagenta(x, y)) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

bool DecodeBmp(const std::vector<uint8_t>& b, Bitmap& out) {
    if (b.size() < kHeaderSize || b[0] != 'B' || b[1] != 'M') return false;
    const uint32_t offset = Get32(b, 10);
    const int32_t width = int32_t(Get32(b, 18));
    const int32_t rawHeight = int32_t(Get32(b, 22));
    if (Get32(b, 14) < 40 || Get16(b, 28) != 24 || Get32(b, 30) != 0) return false;
    if (width <= 0 || rawHeight == 0 || width > 16384 || rawHeight > 16384 || rawHeight < -16384)
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const size_t stride = RowStride(width);
    if (offset > b.size() || b.size() - offset < stride * size_t(height)) return false;
    out.width = width;
    out.height = height;
    out.rgb.assign(size_t(width) * size_t(height) * 3, 0);
    for (int row = 0; row < height; ++row) {
        int y = bottomUp ? height - 1 - row : row;
        size_t at = offset + size_t(row) * stride;
        for (int x = 0; x < width; ++x, at += 3) out.Set(x, y, b[at + 2], b[at + 1], b[at]);
    }
    return true;
}

bool ReadBmp(const std::string& path, Bitmap& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return DecodeBmp(bytes, out);
}

}  // namespace skinart
