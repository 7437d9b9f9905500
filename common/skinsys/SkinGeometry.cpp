#include "SkinGeometry.h"

#include <algorithm>
#include <limits>

namespace skin {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// One "%d": blanks, sign, at least one digit; out-of-range numbers fail.
bool ReadInt(std::string_view s, std::size_t& i, int& out) {
    while (i < s.size() && IsSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t start = i;
    long long v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        v = v * 10 + (s[i++] - '0');
        if (v > std::numeric_limits<int>::max()) return false;
    }
    if (i == start) return false;
    out = static_cast<int>(negative ? -v : v);
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<Rect> ParseRect(std::string_view s) {
    int v[4];
    std::size_t i = 0;
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            if (i >= s.size() || s[i] != ',') return std::nullopt;
            ++i;
        }
        if (!ReadInt(s, i, v[k])) return std::nullopt;
    }
    return Rect{v[0], v[1], v[2], v[3]};
}

std::optional<std::uint32_t> ParseColour(std::string_view s) {
    if (s.size() < 2 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X')) return std::nullopt;
    std::size_t i = 2;
    std::uint32_t rgb[3];
    for (std::uint32_t& c : rgb) {
        int digits = 0;
        c = 0;
        while (digits < 2 && i < s.size() && HexDigit(s[i]) >= 0) {
            c = c * 16 + static_cast<std::uint32_t>(HexDigit(s[i++]));
            ++digits;
        }
        if (digits == 0) return std::nullopt;
    }
    return rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
}

int ParseFontSize(std::string_view s) {
    std::size_t i = 0;
    int v = 0;
    if (!ReadInt(s, i, v)) return 0;
    return std::clamp(v, -512, 512);
}

std::vector<FrameDraw> LayoutFrame(int W, int H, const PieceSizes& p) {
    const Size& tl = p[kTopLeft];
    const Size& tr = p[kTopRight];
    const Size& bl = p[kBottomLeft];
    const Size& br = p[kBottomRight];
    const Size& lm = p[kLeftMid];
    const Size& rm = p[kRightMid];
    const FrameDraw all[] = {
        {kTopLeft, {0, 0, tl.w, tl.h}, false},
        {kTopMid, {tl.w, 0, W - tr.w, tl.h}, true},
        {kTopRight, {W - tr.w, 0, W, tl.h}, false},
        {kBottomLeft, {0, H - bl.h, bl.w, H}, false},
        {kLeftMid, {0, tl.h, lm.w, H - bl.h}, true},
        {kBottomMid, {bl.w, H - br.h, W - br.w, H}, true},
        {kBottomRight, {W - br.w, H - br.h, W, H}, false},
        {kRightMid, {W - rm.w, tl.h, W, H - br.h}, true},
    };
    std::vector<FrameDraw> out;
    for (const FrameDraw& d : all) {
        const Size& s = p[d.piece];
        if (s.w > 0 && s.h > 0) out.push_back(d);
    }
    return out;
}

Rect CaptionBand(int clientWidth, int topLeftWidth, int topMidHeight) {
    int right = clientWidth > 10 ? clientWidth - 10 : clientWidth;
    return Rect{std::max(topLeftWidth, 16), 2, right, topMidHeight};
}

Rect StripPiece(int stripWidth, int stripHeight, int index) {
    int w = stripWidth / 4;
    return Rect{index * w, 0, (index + 1) * w, stripHeight};
}

std::uint32_t StaticTextFlags(std::uint32_t style) {
    std::uint32_t f = 0;
    switch (style & 3) {
        case 1: f |= dt::kCenter; break;
        case 2: f |= dt::kRight; break;
        default: break;
    }
    if (style & 0x200) f |= dt::kVCenter | dt::kSingleLine;
    if (style & 0x80) f |= dt::kNoPrefix;
    // The ellipsis styles are one two-bit field: end, path or word.
    switch (style & 0xC000) {
        case 0x4000: f |= dt::kEndEllipsis; break;
        case 0x8000: f |= dt::kPathEllipsis; break;
        case 0xC000: f |= dt::kWordEllipsis; break;
        default: break;
    }
    if ((style & 0xC20C) == 0) f |= dt::kWordBreak;
    return f;
}

std::vector<Rect> PixelRuns(const std::uint32_t* pixels, int width, int height, int mode) {
    std::vector<Rect> runs;
    if (!pixels || width <= 0 || height <= 0) return runs;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        int x = 0;
        while (x < width) {
            auto member = [&](int px) {
                bool magenta = (row[px] & 0xFFFFFF) == 0xFF00FF;  // DIB order 0xRRGGBB
                return mode == 1 ? magenta : !magenta;
            };
            if (!member(x)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && member(x)) ++x;
            runs.push_back(Rect{start, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace skin
