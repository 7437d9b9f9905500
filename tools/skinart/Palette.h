// One palette for every skin picture: a light window with a cool blue accent.
#pragma once
#include "Raster.h"

namespace skinart::palette {

inline Color Border() { return Rgb(88, 116, 150); }
inline Color Accent() { return Rgb(47, 109, 181); }
inline Color AccentDark() { return Rgb(33, 84, 145); }
inline Color CaptionTop() { return Rgb(252, 253, 255); }
inline Color CaptionBottom() { return Rgb(219, 230, 244); }
inline Color CaptionRule() { return Rgb(178, 197, 221); }
inline Color Body() { return Rgb(240, 240, 240); }   // the system button face, so plain controls blend in
inline Color Panel() { return Rgb(255, 255, 255); }
inline Color PanelBorder() { return Rgb(208, 217, 228); }
inline Color Glyph() { return Rgb(70, 84, 104); }
inline Color GlyphDisabled() { return Rgb(170, 178, 188); }
inline Color HoverFill() { return Rgb(214, 229, 246); }
inline Color HoverBorder() { return Rgb(150, 184, 224); }
inline Color PressedFill() { return Rgb(188, 211, 238); }
inline Color PressedBorder() { return Rgb(104, 148, 204); }
inline Color Danger() { return Rgb(222, 66, 72); }
inline Color DangerDark() { return Rgb(184, 44, 52); }
inline Color White() { return Rgb(255, 255, 255); }

}  // namespace skinart::palette
