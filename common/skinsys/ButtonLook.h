// Which image and text offset the skinned buttons show for a state, and where a check
// box or radio button puts its image and text. Pure rules, drawn by the _win controls.
#pragma once
#include <cstdint>

#include "SkinGeometry.h"

namespace skin {

//--- image buttons (CBitmapBtn): images cut from a strip, left to right
enum class BtnImage { kNormal = 0, kHover = 1, kPressed = 2, kFourth = 3 };

struct BtnState {
    bool checked = false;
    bool latched = false;  // stays down as a selection (page buttons)
    bool hover = false;
    bool pressed = false;
    bool disabled = false;
};

BtnImage ChooseBtnImage(const BtnState& s);
// The caption moves one pixel right and down.
bool BtnTextShifted(const BtnState& s);

//--- check boxes, radio buttons and owner-drawn push buttons (CXSkinButton)
enum class XKind { kPush = 0, kCheckBox = 2, kRadio = 4 };

// From a button's creation style: automatic check box or automatic radio button.
XKind XKindFromStyle(std::uint32_t style);

enum class XImage { kNormal, kPressed, kDisabled, kHover, kFocus };

struct XState {
    bool disabled = false;
    bool pressed = false;  // held down with the cursor over it
    bool checked = false;
    bool hover = false;
    bool focused = false;
    bool hasHoverImage = false;
    bool hasFocusImage = false;
};
XImage ChooseXImage(const XState& s);

struct XLayout {
    Rect image;  // empty for push buttons: the image covers the item
    Rect text;
    bool centreText = false;
};
XLayout LayoutXButton(const Rect& item, XKind kind, int focusMargin, int imageWidth, int imageHeight);

// The check state a left-button release (or space) inside the control leads to.
bool CheckAfterClick(XKind kind, bool checked);

}  // namespace skin
