// The chat-window toolbar's four buttons: 22 x 22 tiles with a 16-pixel icon.
#include <cmath>

#include "Art.h"
#include "Layout.h"
#include "Palette.h"

namespace skinart {

namespace pal = palette;
using namespace layout;

namespace {

enum class State { Normal, Hover, Pressed, Disabled };
constexpr State kStates[] = {State::Normal, State::Hover, State::Pressed, State::Disabled};

// Icons are drawn around (11, 11) shifted by (dx, dy); `gray` gives the disabled look.
struct Ink {
    double dx, dy;
    bool gray;
    Color operator()(Color c) const {
        if (!gray) return c;
        double l = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
        return Mix(Rgb(int(l), int(l), int(l)), pal::White(), 0.45);
    }
    Shape At(Shape s) const { return Offset(std::move(s), dx, dy); }
};

void DrawFace(Canvas& c, const Ink& ink) {
    c.Fill(ink.At(Circle(11, 11, 7.6)), Solid(ink(Rgb(201, 140, 28))));
    c.Fill(ink.At(Circle(11, 11, 6.6)),
           VerticalGradient(4 + ink.dy, ink(Rgb(255, 226, 120)), 18 + ink.dy, ink(Rgb(247, 184, 50))));
    Color feature = ink(Rgb(104, 64, 16));
    c.Fill(ink.At(Circle(8.6, 9.2, 1.15)), Solid(feature));
    c.Fill(ink.At(Circle(13.4, 9.2, 1.15)), Solid(feature));
    c.Fill(ink.At(Arc(11, 11, 4.1, 0.55, 2.59, 0.75)), Solid(feature));
}

// A pencil writing on a line: editing the face library.
void DrawPencil(Canvas& c, const Ink& ink) {
    Color outline = ink(Rgb(120, 84, 30));
    // body along the diagonal from lower left to upper right
    Shape body = Polygon({{6.2, 13.6}, {13.6, 6.2}, {16.4, 9.0}, {9.0, 16.4}});
    Shape tip = Polygon({{6.2, 13.6}, {9.0, 16.4}, {4.4, 18.2}});
    Shape cap = Polygon({{13.6, 6.2}, {15.2, 4.6}, {18.0, 7.4}, {16.4, 9.0}});
    c.Fill(ink.At(Union(Union(body, tip), cap)), Solid(outline));
    c.Fill(ink.At(Polygon({{7.3, 13.6}, {13.6, 7.3}, {15.3, 9.0}, {9.0, 15.3}})),
           Solid(ink(Rgb(250, 196, 72))));
    c.Fill(ink.At(Polygon({{7.0, 14.4}, {8.2, 15.6}, {5.8, 16.6}})), Solid(ink(Rgb(246, 226, 190))));
    c.Fill(ink.At(Polygon({{14.4, 6.4}, {15.2, 5.6}, {17.0, 7.4}, {16.2, 8.2}})),
           Solid(ink(Rgb(232, 112, 122))));
    c.Fill(ink.At(Box(11, 18, 18, 19)), Solid(ink(pal::Accent())));
}

// A green arrow into a tray: downloading face packs.
void DrawDownload(Canvas& c, const Ink& ink) {
    Color arrow = ink(Rgb(38, 150, 86));
    c.Fill(ink.At(Box(9, 3, 13, 10)), Solid(arrow));
    c.Fill(ink.At(Polygon({{5, 10}, {17, 10}, {11, 16}})), Solid(arrow));
    Color tray = ink(pal::Glyph());
    c.Fill(ink.At(Box(4, 17, 18, 19)), Solid(tray));
    c.Fill(ink.At(Box(4, 14, 6, 17)), Solid(tray));
    c.Fill(ink.At(Box(16, 14, 18, 17)), Solid(tray));
}

// A gear: the options.
void DrawGear(Canvas& c, const Ink& ink) {
    Shape gear = Circle(11, 11, 5.6);
    for (int i = 0; i < 8; ++i) {
        double a = i * 3.14159265358979323846 / 4;
        double ca = std::cos(a), sa = std::sin(a);
        auto pt = [&](double along, double across) {
            return std::make_pair(11 + ca * along - sa * across, 11 + sa * along + ca * across);
        };
        gear = Union(gear, Polygon({pt(4, -1.7), pt(8, -1.3), pt(8, 1.3), pt(4, 1.7)}));
    }
    gear = Subtract(gear, Circle(11, 11, 2.5));
    c.Fill(ink.At(gear), VerticalGradient(3 + ink.dy, ink(Rgb(112, 128, 150)), 19 + ink.dy, ink(Rgb(70, 84, 106))));
}

using IconFn = void (*)(Canvas&, const Ink&);

Bitmap ToolState(State s, IconFn icon) {
    Canvas c(kToolButton, kToolButton);
    if (s == State::Hover || s == State::Pressed) {
        bool hover = s == State::Hover;
        c.Fill(RoundBox(0, 0, kToolButton, kToolButton, 4), Solid(hover ? pal::HoverBorder() : pal::PressedBorder()));
        c.Fill(RoundBox(1, 1, kToolButton - 1, kToolButton - 1, 3),
               Solid(hover ? pal::HoverFill() : pal::PressedFill()));
    }
    const double shift = s == State::Pressed ? 1 : 0;
    icon(c, Ink{shift, shift, s == State::Disabled});
    // Opaque, blended with the toolbar background behind the button's column.
    return Flatten(c, -1, [](double x, double) { return ToolbarColorAt(x + kToolButtonLeft); });
}

Bitmap ToolStrip(IconFn icon) {
    std::vector<Bitmap> states;
    for (State s : kStates) states.push_back(ToolState(s, icon));
    return Strip(states);
}

}  // namespace

Bitmap MakeToolMainFace() { return ToolStrip(DrawFace); }
Bitmap MakeToolEditFace() { return ToolStrip(DrawPencil); }
Bitmap MakeToolDownFace() { return ToolStrip(DrawDownload); }
Bitmap MakeToolSettings() { return ToolStrip(DrawGear); }

}  // namespace skinart
