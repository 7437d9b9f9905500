// Push buttons, caption buttons, check boxes and radio buttons. Every strip
// holds four states left to right: normal, hover, pressed, disabled.
#include "Art.h"
#include "Layout.h"
#include "Palette.h"

namespace skinart {

namespace pal = palette;
using namespace layout;

namespace {

enum class State { Normal, Hover, Pressed, Disabled };
constexpr State kStates[] = {State::Normal, State::Hover, State::Pressed, State::Disabled};

struct Look {
    Color border, top, bottom;
};

Look PushLook(State s) {
    switch (s) {
    case State::Hover: return {Rgb(92, 146, 210), Rgb(248, 251, 255), Rgb(220, 233, 249)};
    case State::Pressed: return {Rgb(72, 118, 178), Rgb(198, 217, 240), Rgb(214, 229, 246)};
    case State::Disabled: return {Rgb(200, 205, 211), Rgb(245, 245, 245), Rgb(238, 238, 238)};
    case State::Normal: break;
    }
    return {Rgb(150, 165, 186), Rgb(255, 255, 255), Rgb(232, 237, 244)};
}

Bitmap PushState(State s) {
    const Look look = PushLook(s);
    Canvas c(kPushW, kPushH);
    Shape outer = RoundBox(0, 0, kPushW, kPushH, 3);
    Shape inner = RoundBox(1, 1, kPushW - 1, kPushH - 1, 2);
    c.Fill(outer, Solid(look.border));
    c.Fill(inner, VerticalGradient(1, look.top, kPushH - 1, look.bottom));
    if (s != State::Pressed && s != State::Disabled)
        c.Fill(Intersect(inner, Box(0, 1, kPushW, 2)), Solid(pal::White()), 0.8);
    return Flatten(c, 0.5, Solid(pal::Body()));
}

// Caption buttons sit on the caption band, so their soft glyph edges are
// blended with the band colour of the rows they cover.
Paint CaptionUnderlay() {
    return [](double, double y) { return CaptionColorAt(y + kCapButtonTop); };
}

using GlyphFn = void (*)(Canvas&, Color);

void MinimizeGlyph(Canvas& c, Color color) { c.Fill(Box(8, 13, 18, 14), Solid(color)); }

void CloseGlyph(Canvas& c, Color color) {
    c.Fill(Union(Segment(9, 6, 17, 14, 0.75), Segment(17, 6, 9, 14, 0.75)), Solid(color));
}

// A push pin: the main window's "minimize" button docks it to the chat window.
void PinGlyph(Canvas& c, Color color) {
    c.Fill(Box(10, 4, 16, 5), Solid(color));
    c.Fill(Box(11, 5, 12, 9), Solid(color));
    c.Fill(Box(14, 5, 15, 9), Solid(color));
    c.Fill(Box(8, 9, 18, 11), Solid(color));
    c.Fill(Box(12, 11, 14, 17), Solid(color));
}

Bitmap CaptionState(State s, GlyphFn glyph, bool danger) {
    Canvas c(kCapButtonW, kCapButtonH);
    Shape tile = RoundBox(0, 0, kCapButtonW, kCapButtonH, 3);
    Color ink = pal::Glyph();
    if (s == State::Hover || s == State::Pressed) {
        bool hover = s == State::Hover;
        if (danger) {
            c.Fill(tile, Solid(hover ? pal::Danger() : pal::DangerDark()));
            ink = pal::White();
        } else {
            c.Fill(tile, Solid(hover ? pal::HoverBorder() : pal::PressedBorder()));
            c.Fill(RoundBox(1, 1, kCapButtonW - 1, kCapButtonH - 1, 2),
                   Solid(hover ? pal::HoverFill() : pal::PressedFill()));
        }
    } else if (s == State::Disabled) {
        ink = pal::GlyphDisabled();
    }
    glyph(c, ink);
    // Opaque everywhere: a button repaints alone when its hover state changes,
    // so a transparent normal state would keep the hover tile visible.
    return Flatten(c, -1, CaptionUnderlay());
}

Bitmap CaptionStrip(GlyphFn glyph, bool danger) {
    std::vector<Bitmap> states;
    for (State s : kStates) states.push_back(CaptionState(s, glyph, danger));
    return Strip(states);
}

// Ticks sit on the white option panels.
Bitmap Tick(State s, bool radio) {
    Canvas c(kTick, kTick);
    Shape outer = radio ? Circle(8, 8, 7) : RoundBox(1, 1, 15, 15, 2.5);
    Shape inner = radio ? Circle(8, 8, 6) : RoundBox(2, 2, 14, 14, 1.5);
    const bool on = s == State::Pressed;
    if (s == State::Disabled) {
        c.Fill(outer, Solid(Rgb(198, 204, 212)));
        c.Fill(inner, Solid(Rgb(244, 244, 244)));
    } else if (on && !radio) {
        c.Fill(outer, Solid(pal::AccentDark()));
        c.Fill(inner, VerticalGradient(2, Rgb(72, 134, 206), 14, pal::Accent()));
        c.Fill(Union(Segment(4.6, 8.3, 7, 10.7, 0.95), Segment(7, 10.7, 11.6, 5.4, 0.95)),
               Solid(pal::White()));
    } else {
        Color border = s == State::Normal ? Rgb(134, 149, 168) : pal::Accent();
        c.Fill(outer, Solid(border));
        Color fillTop = s == State::Hover ? Rgb(238, 245, 253) : pal::White();
        c.Fill(inner, VerticalGradient(2, fillTop, 14, Rgb(240, 244, 249)));
        if (on) c.Fill(Circle(8, 8, 3.5), VerticalGradient(4.5, Rgb(72, 134, 206), 11.5, pal::Accent()));
    }
    return Flatten(c, 0.08, Solid(pal::Panel()));
}

Bitmap TickStrip(bool radio) {
    std::vector<Bitmap> states;
    for (State s : kStates) states.push_back(Tick(s, radio));
    return Strip(states);
}

}  // namespace

Bitmap MakePushButton() {
    std::vector<Bitmap> states;
    for (State s : kStates) states.push_back(PushState(s));
    return Strip(states);
}

Bitmap MakeCaptionMinimize() { return CaptionStrip(MinimizeGlyph, false); }
Bitmap MakeCaptionClose() { return CaptionStrip(CloseGlyph, true); }
Bitmap MakeCaptionPin() { return CaptionStrip(PinGlyph, false); }
Bitmap MakeCheckBox() { return TickStrip(false); }
Bitmap MakeRadioButton() { return TickStrip(true); }

}  // namespace skinart
