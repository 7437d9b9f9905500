// The skin pictures, each made by a function of its own.
#pragma once
#include <string>
#include <vector>

#include "Raster.h"

namespace skinart {

struct ArtFile {
    std::string name;   // file name inside skin/default
    Bitmap bitmap;
};

// Every picture of the default skins, in a fixed order.
std::vector<ArtFile> GenerateAll();

// Writes them all into `dir` (which must exist); false with a message on failure.
bool WriteAll(const std::string& dir, std::string& error);

// Window furniture (FrameArt.cpp).
Bitmap MakeFrame();
Bitmap MakeBackground();
Bitmap MakeToolbarBackground();
Bitmap MakeConfigBackground();
Bitmap MakeAppIcon();
Color CaptionColorAt(double y);        // caption band colour on row y of a window
Color ToolbarColorAt(double x);        // toolbar background colour at column x

// Buttons and ticks (ButtonArt.cpp).
Bitmap MakePushButton();
Bitmap MakeCaptionMinimize();
Bitmap MakeCaptionClose();
Bitmap MakeCaptionPin();
Bitmap MakeCheckBox();
Bitmap MakeRadioButton();

// Toolbar buttons (ToolIcons.cpp).
Bitmap MakeToolMainFace();
Bitmap MakeToolEditFace();
Bitmap MakeToolDownFace();
Bitmap MakeToolSettings();

}  // namespace skinart
