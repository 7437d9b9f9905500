// Window furniture: the frame pieces, backgrounds and the small program icon.
#include "Art.h"
#include "Layout.h"
#include "Palette.h"

namespace skinart {

namespace pal = palette;
using namespace layout;

namespace {

Paint CaptionPaint() { return VerticalGradient(1, pal::CaptionTop(), kCaption - 1, pal::CaptionBottom()); }

Paint ToolbarPaint() {
    return HorizontalGradient(1, Rgb(252, 253, 255), kToolbarW - 1, Rgb(226, 235, 246));
}

// A white panel with a hairline border and softly rounded corners.
void DrawPanel(Canvas& c, const Rect& r) {
    Shape outer = RoundBox(r.left, r.top, r.right, r.bottom, 4);
    Shape inner = RoundBox(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, 3);
    c.Fill(outer, Solid(pal::PanelBorder()));
    c.Fill(inner, Solid(pal::Panel()));
}

}  // namespace

Color CaptionColorAt(double y) { return CaptionPaint()(0, y); }

Color ToolbarColorAt(double x) { return ToolbarPaint()(x, 0); }

// The eight pieces come from one miniature window: corners of kCorner x kCaption
// on top and kCorner x kBottom below, 8-pixel middle parts that stretch. The
// corner pieces are opaque inside the outline, because every magenta pixel of
// a corner is cut out of the window; the side and bottom middles are magenta
// inside so the window background shows through.
Bitmap MakeFrame() {
    const int w = kFrameWidth, h = kFrameHeight;
    Canvas c(w, h);
    Shape outer = RoundBox(0, 0, w, h, kRadius);
    Shape inner = RoundBox(1, 1, w - 1, h - 1, kRadius - 1);
    c.Fill(Intersect(inner, Box(0, 0, w, kCaption - 1)), CaptionPaint());
    c.Fill(Intersect(inner, Box(0, 1, w, 2)), Solid(pal::White()), 0.9);
    c.Fill(Intersect(inner, Box(0, kCaption - 1, w, kCaption)), Solid(pal::CaptionRule()));
    c.Fill(Intersect(inner, Box(0, h - kBottom, kCorner, h)), Solid(pal::Body()));
    c.Fill(Intersect(inner, Box(w - kCorner, h - kBottom, w, h)), Solid(pal::Body()));
    c.Fill(Subtract(outer, inner), Solid(pal::Border()));
    return Flatten(c, 0.5, Solid(pal::Body()));
}

// Plain body colour; stretched over any window size without artefacts.
Bitmap MakeBackground() {
    Canvas c(16, 16);
    c.FillAll(Solid(pal::Body()));
    return Flatten(c, 0.5, Solid(pal::Body()));
}

// The toolbar draws no frame pieces, so its background carries the outline.
Bitmap MakeToolbarBackground() {
    Canvas c(kToolbarW, kToolbarH);
    Shape outer = RoundBox(0, 0, kToolbarW, kToolbarH, kRadius);
    Shape inner = RoundBox(1, 1, kToolbarW - 1, kToolbarH - 1, kRadius - 1);
    c.Fill(inner, ToolbarPaint());
    c.Fill(Subtract(outer, inner), Solid(pal::Border()));
    return Flatten(c, 0.5, ToolbarPaint());
}

// The options window's background: body colour with a panel behind each radio
// group (drawn here rather than as controls, so nothing overlaps the buttons).
Bitmap MakeConfigBackground() {
    Canvas c(kConfigW, kConfigH);
    c.FillAll(Solid(pal::Body()));
    DrawPanel(c, kConfigDockPanel);
    DrawPanel(c, kConfigUpdatePanel);
    return Flatten(c, 0.5, Solid(pal::Body()));
}

// A round face in the accent colour.
Bitmap MakeAppIcon() {
    Canvas c(16, 16);
    c.Fill(Circle(8, 8, 7.5), Solid(pal::AccentDark()));
    c.Fill(Circle(8, 8, 6.5), VerticalGradient(2, Rgb(92, 152, 222), 14, pal::Accent()));
    c.Fill(Circle(5.8, 6.6, 1.1), Solid(pal::White()));
    c.Fill(Circle(10.2, 6.6, 1.1), Solid(pal::White()));
    c.Fill(Arc(8, 8, 3.6, 0.5, 2.64, 0.65), Solid(pal::White()));
    return Flatten(c, 0.5, Solid(pal::CaptionTop()));
}

}  // namespace skinart
