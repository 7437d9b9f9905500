// CSkinDialog::ApplySkin: loads the images a skin names and creates its controls.
#include "SkinDialog_win.h"
#include "SkinImage_win.h"
#include "winfx/Gdi.h"

namespace {

RECT ToRect(const skin::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

HBITMAP CSkinDialog::CachedImage(const std::string& path) {
    if (path.empty()) return nullptr;
    for (const auto& entry : m_imageCache)
        if (entry.first == path) return entry.second.Get();
    winfx::UniqueBitmap image;
    LoadPictureFile(path, image);
    m_imageCache.emplace_back(path, std::move(image));
    return m_imageCache.back().second.Get();
}

BOOL CSkinDialog::ApplySkin(const CXMLElement& root) {
    const skin::SkinSpec spec = skin::ReadSkin(root, m_strSection, m_strSkinFile, m_reader);
    if (!spec.hasChildren) return FALSE;
    winfx::WindowDc dc(Hwnd());
    LoadImages(dc.Get(), spec);
    // Loading a skin again replaces its controls rather than stacking a second set.
    m_buttons.clear();
    m_checks.clear();
    m_labels.clear();
    CreateControls(dc.Get(), spec);
    m_imageCache.clear();
    InvalidateFrame();
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
    return TRUE;
}

void CSkinDialog::LoadImages(HDC dc, const skin::SkinSpec& spec) {
    for (const std::string& path : spec.defaultButtonImages) {
        LoadPictureFile(path, m_bmpButton);
        if (m_bmpButton) OnSkinButtonImage(m_bmpButton.Get());
    }
    if (!spec.checkImage.empty()) LoadPictureFile(spec.checkImage, m_bmpCheck);
    if (!spec.radioImage.empty()) LoadPictureFile(spec.radioImage, m_bmpRadio);
    // A named background that cannot be read leaves none: the plain dialog colour shows.
    if (!spec.background.empty()) LoadPictureFile(spec.background, m_bmpBackground);
    if (!spec.closeImage.empty()) LoadPictureFile(spec.closeImage, m_bmpClose);
    if (!spec.iconImage.empty()) LoadPictureFile(spec.iconImage, m_bmpIcon);
    for (size_t i = 0; i < spec.pieces.size(); ++i) {
        if (!spec.pieces[i]) continue;
        const skin::PieceSpec& p = *spec.pieces[i];
        HBITMAP source = CachedImage(p.image);
        CopyBitmapRect(dc, m_pieces[i], source, p.rect.left, p.rect.top, p.rect.right, p.rect.bottom);
    }
}

void CSkinDialog::CreateControls(HDC dc, const skin::SkinSpec& spec) {
    for (const skin::ControlSpec& c : spec.controls) {
        switch (c.kind) {
        case skin::ControlKind::kSysButton:
        case skin::ControlKind::kButton:
            CreateButton(dc, c);
            break;
        case skin::ControlKind::kStatic:
            CreateLabel(c);
            break;
        case skin::ControlKind::kCheckBox:
        case skin::ControlKind::kRadioButton:
            CreateCheckControl(c);
            break;
        }
    }
}

void CSkinDialog::CreateButton(HDC, const skin::ControlSpec& c) {
    auto button = std::make_unique<CSkinButton>();
    if (!button->CreateButton(Hwnd(), ToRect(c.position), std::string(), 0)) return;
    button->SetName(c.name);
    button->SetIndex(static_cast<int>(m_buttons.size()));
    if (HBITMAP strip = CachedImage(c.image)) SetButtonImage(*button, strip);
    if (c.kind == skin::ControlKind::kButton) {
        button->m_strCaption = c.text;
        if (c.checked) button->SetChecked(true);
    }
    button->SetHint(c.hint);
    m_buttons.push_back(std::move(button));
}

void CSkinDialog::CreateLabel(const skin::ControlSpec& c) {
    auto label = std::make_unique<CSkinStatic>();
    if (!label->CreateLabel(Hwnd(), ToRect(c.position), c.text)) return;
    if (!c.image.empty()) {
        winfx::UniqueBitmap background;
        LoadPictureFile(c.image, background);
        if (background) label->SetBackground(background.Release());
    }
    if (c.colour) label->SetTextColour(static_cast<COLORREF>(*c.colour));
    SetLabelFont(c.bold, *label, c.fontSize, c.font);
    m_labels.push_back(std::move(label));
}

void CSkinDialog::CreateCheckControl(const skin::ControlSpec& c) {
    auto control = std::make_unique<CXSkinButton>();
    DWORD style = c.kind == skin::ControlKind::kCheckBox ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON;
    if (c.group) style |= WS_GROUP;
    if (!control->CreateButton(Hwnd(), ToRect(c.position), c.text, style)) return;
    if (HBITMAP strip = CachedImage(c.image)) SetCheckImage(strip, *control);
    SetCheckFont(c.bold, *control, c.fontSize, c.font);
    SetCheckId(*control, c.id);
    m_checks.push_back(std::move(control));
}
