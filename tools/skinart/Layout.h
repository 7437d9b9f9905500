// Geometry shared by the pictures and the skin files. The skin files repeat
// these numbers; the skin test checks that both agree.
#pragma once

namespace skinart::layout {

// frame.bmp: a miniature window cut into the eight frame pieces.
constexpr int kCorner = 8;          // width of the corner and side pieces
constexpr int kCaption = 26;        // height of the top pieces (caption band)
constexpr int kBottom = 8;          // height of the bottom pieces
constexpr int kRadius = 6;          // outer corner radius
constexpr int kFrameWidth = 3 * kCorner;
constexpr int kFrameHeight = kCaption + 8 + kBottom;

// Caption buttons: 26 x 20, on the caption band at y = 3.
constexpr int kCapButtonW = 26, kCapButtonH = 20, kCapButtonTop = 3;
// Push buttons: 72 x 24.
constexpr int kPushW = 72, kPushH = 24;
// Check boxes and radio buttons: 16 x 16 boxes.
constexpr int kTick = 16;
// Toolbar: 24 x 96 client, four 22 x 22 buttons at x = 1.
constexpr int kToolbarW = 24, kToolbarH = 96, kToolButton = 22, kToolButtonLeft = 1;
// Options window: 320 x 334 client with two white panels behind the radio groups.
constexpr int kConfigW = 320, kConfigH = 334;
struct Rect { int left, top, right, bottom; };
constexpr Rect kConfigDockPanel{12, 58, 308, 134};
constexpr Rect kConfigUpdatePanel{12, 166, 308, 286};

}  // namespace skinart::layout
