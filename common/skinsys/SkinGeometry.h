// Skin arithmetic shared by the dialogs and controls: rectangle and colour texts, the
// frame layout, the caption band, state strips and text flags. Plain data, no GDI.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace skin {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

constexpr std::uint32_t kMagenta = 0xFF00FF;  // COLORREF of RGB(255, 0, 255)

// "%d,%d,%d,%d": left, top, right, bottom; trailing text is ignored.
std::optional<Rect> ParseRect(std::string_view text);
// "0x%02x%02x%02x": red, green, blue; the result is laid out as a COLORREF (0x00BBGGRR).
std::optional<std::uint32_t> ParseColour(std::string_view text);
// Leading integer as atoi reads it, held to a sane font height; 0 when there is none.
int ParseFontSize(std::string_view text);

//--- frame

enum Piece : int { kTopLeft, kTopMid, kTopRight, kBottomLeft, kBottomMid, kBottomRight,
                   kLeftMid, kRightMid, kPieceCount };

struct Size {
    int w = 0, h = 0;
};
using PieceSizes = std::array<Size, kPieceCount>;  // {0, 0} for a missing piece

struct FrameDraw {
    Piece piece;
    Rect dest;
    bool stretch;  // whole piece scaled onto dest; else copied 1:1 and clipped to dest
};
// Border pieces of a W x H client area, in drawing order; missing pieces are left out.
std::vector<FrameDraw> LayoutFrame(int width, int height, const PieceSizes& pieces);

// Where a window may be dragged: x from max(top-left width, 16) to W - 10 (only when
// W > 10), y from 2 to the top-middle height; client coordinates.
Rect CaptionBand(int clientWidth, int topLeftWidth, int topMidHeight);

//--- controls

// Piece index (0..3) of a state strip cut into four equal widths; remainder columns are lost.
Rect StripPiece(int stripWidth, int stripHeight, int index);

// DrawText flags (Windows' DT_ values) for the text of a label or caption of this style.
std::uint32_t StaticTextFlags(std::uint32_t style);

namespace dt {  // the DrawText flag values used here
constexpr std::uint32_t kCenter = 0x1, kRight = 0x2, kVCenter = 0x4, kWordBreak = 0x10,
                        kSingleLine = 0x20, kNoPrefix = 0x800, kPathEllipsis = 0x4000,
                        kEndEllipsis = 0x8000, kWordEllipsis = 0x40000;
}

// Runs of member pixels per row (mode 1: exactly magenta; mode 0: any other colour) as
// one-pixel-high rectangles, rows top to bottom. Pixels are 0x00RRGGBB (a 32-bit DIB),
// top-down rows of width pixels.
std::vector<Rect> PixelRuns(const std::uint32_t* pixels, int width, int height, int mode);

}  // namespace skin
