#include "ButtonLook.h"

namespace skin {

BtnImage ChooseBtnImage(const BtnState& s) {
    if (s.checked) {
        if (s.latched) return s.hover ? BtnImage::kFourth : BtnImage::kPressed;
        return s.hover ? BtnImage::kHover : BtnImage::kNormal;
    }
    if (s.latched && !s.hover) return BtnImage::kPressed;
    if (s.pressed) return BtnImage::kPressed;
    if (s.disabled) return BtnImage::kFourth;
    if (s.hover) return BtnImage::kHover;
    return BtnImage::kNormal;
}

bool BtnTextShifted(const BtnState& s) { return s.pressed || (s.checked && s.latched); }

XKind XKindFromStyle(std::uint32_t style) {
    switch (style & 0xF) {
        case 0x3: return XKind::kCheckBox;  // BS_AUTOCHECKBOX
        case 0x9: return XKind::kRadio;     // BS_AUTORADIOBUTTON
        default: return XKind::kPush;
    }
}

XImage ChooseXImage(const XState& s) {
    if (s.disabled) return XImage::kDisabled;
    if (s.pressed || s.checked) return XImage::kPressed;
    if (s.hover && s.hasHoverImage) return XImage::kHover;
    if (s.focused && s.hasFocusImage) return XImage::kFocus;
    return XImage::kNormal;
}

XLayout LayoutXButton(const Rect& item, XKind kind, int focusMargin, int imageWidth, int imageHeight) {
    XLayout l;
    const int inset = focusMargin + 2;
    l.text = Rect{item.left + inset, item.top, item.right - inset, item.bottom};
    if (kind == XKind::kPush) {
        l.centreText = true;
        return l;
    }
    const int top = item.top + (item.Height() - imageHeight) / 2;
    l.image = Rect{item.left, top, item.left + imageWidth, top + imageHeight};
    l.text.left = l.image.right + 2;
    return l;
}

bool CheckAfterClick(XKind kind, bool checked) {
    switch (kind) {
        case XKind::kCheckBox: return !checked;
        case XKind::kRadio: return true;
        default: return checked;
    }
}

}  // namespace skin
