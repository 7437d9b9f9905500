#include "SkinButton_win.h"

#include "SkinDialog_win.h"

CSkinDialog* CSkinButton::NearestSkinDialog() const {
    for (HWND h = GetParent(Hwnd()); h; h = GetParent(h)) {
        if (auto* dialog = dynamic_cast<CSkinDialog*>(winfx::Window::FromHwnd(h))) return dialog;
    }
    return nullptr;
}

void CSkinButton::OnMouseMoveNotify(POINT pt) {
    if (CSkinDialog* dialog = NearestSkinDialog()) dialog->OnSkinButtonMouseMove(Name(), pt);
}

void CSkinButton::OnLeftButtonUpInside() {
    const int index = m_nIndex;
    if (CSkinDialog* dialog = NearestSkinDialog()) dialog->OnSkinButtonClick(index);
}
