// What the skin gallery shows to programs that look at it (the end-to-end tests):
// window properties naming each window and skinned control, and the messages that
// report on (and steer) the picture controls of a gallery window.
#pragma once
#include <windows.h>

#include "GalleryProtocolText.h"

namespace gallery {

// On every gallery window: a global atom naming it, "FILE:SECTION" ("skin.xml:main_window").
constexpr const wchar_t* kPropSection = L"FacelibGallerySection";
// On every skinned button, check box and radio button: a global atom of its skin name
// (a button's element name, a check box's or radio button's id).
constexpr const wchar_t* kPropSkinName = L"FacelibSkinName";

// Sent to a gallery window; wParam is a picture index in the window's own order.
enum : UINT {
    kMsgPictureCount = WM_APP + 40,    // -> number of picture controls
    kMsgPictureFrame = WM_APP + 41,    // -> frame now shown, -1 for a bad index
    kMsgPictureDelay = WM_APP + 42,    // lParam frame -> milliseconds it stays up, -1 if none
    kMsgPicturePlaying = WM_APP + 43,  // -> 1 while its animation thread runs
    kMsgPictureHalt = WM_APP + 44,     // stops it -> milliseconds the stop took
    kMsgPictureStart = WM_APP + 45,    // (re)starts it -> 1
    kMsgPictureFrames = WM_APP + 46,   // -> number of frames
};

// The extra window of the gallery, made from a skin file the gallery writes itself:
// every kind of skinned control, and the pictures with known frame delays.
// Picture 0 of the controls window: delays 0, 4, 5, 10 and 50 hundredths.
// Picture 1: two frames of 10 seconds each.
constexpr int kDelaysPicture = 0;
constexpr int kLongPicture = 1;

}  // namespace gallery
