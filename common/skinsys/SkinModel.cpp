#include "SkinModel.h"

namespace skin {

namespace {

// Within +-kMaxCoordinate every difference of two coordinates fits an int.
bool CoordinatesInRange(const Rect& r) {
    auto inRange = [](int v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; };
    return inRange(r.left) && inRange(r.top) && inRange(r.right) && inRange(r.bottom);
}

bool NameIs(const CXMLElement& e, std::string_view lowerName) {
    return XmlLowerAscii(e.GetName()) == lowerName;
}

std::string ImagePath(const SkinSpec& spec, const CXMLElement& e, std::string_view attribute) {
    std::string name = e.GetAttributeValue(attribute);
    return name.empty() ? std::string() : spec.folder + name;
}

constexpr const char* kPieceNames[kPieceCount] = {"topleft",    "topmid",      "topright",
                                                  "bottomleft", "bottommid",   "bottomright",
                                                  "leftmid",    "rightmid"};

void ReadFramePieces(const CXMLElement& window, SkinSpec& spec) {
    for (const auto& child : window.m_children) {
        for (int p = 0; p < kPieceCount; ++p) {
            if (!NameIs(*child, kPieceNames[p])) continue;
            auto rect = ParseRect(child->GetAttributeValue("rect"));
            if (!rect) break;
            PieceSpec piece{ImagePath(spec, *child, "image"), *rect};
            if (!piece.WholeImage()) {
                // Range first: a width or height past INT_MAX cannot even be computed.
                if (!CoordinatesInRange(*rect)) break;
                int w = rect->Width(), h = rect->Height();
                // A negative or huge piece would only make bitmap creation fail or balloon.
                if (w <= 0 || h <= 0 || w > kMaxPieceSide || h > kMaxPieceSide) break;
            }
            spec.pieces[static_cast<std::size_t>(p)] = piece;
            break;
        }
    }
}

void ReadDialog(const CXMLElement& dialog, SkinSpec& spec) {
    std::string background = ImagePath(spec, dialog, "background");
    if (!background.empty()) spec.background = background;
    for (const auto& child : dialog.m_children) {
        if (NameIs(*child, "window")) ReadFramePieces(*child, spec);
        else if (NameIs(*child, "close")) spec.closeImage = ImagePath(spec, *child, "image");
        else if (NameIs(*child, "icon")) spec.iconImage = ImagePath(spec, *child, "image");
    }
}

void ReadTextLook(const CXMLElement& e, ControlSpec& c) {
    c.text = e.GetAttributeValue("text");
    c.font = e.GetAttributeValue("font");
    c.fontSize = ParseFontSize(e.GetAttributeValue("fontsize"));
    c.bold = e.GetAttributeValue("bold") == "true";
}

// Beyond these a control only costs drawing time (a stretched image of a million pixels a
// side takes seconds to paint) and shows nothing more on a window.
bool SaneControlRect(const Rect& r) {
    return CoordinatesInRange(r) && r.Width() <= kMaxControlSide && r.Height() <= kMaxControlSide;
}

// The control an element describes, or nothing.
std::optional<ControlSpec> ReadControl(const CXMLElement& e, const SkinSpec& spec, SkinReader reader) {
    auto position = ParseRect(e.GetAttributeValue("position"));
    if (!position || !SaneControlRect(*position)) return std::nullopt;
    ControlSpec c;
    c.name = e.GetName();
    c.position = *position;
    const std::string type = e.GetAttributeValue("type");
    if (type == "sysbutton" || type == "button") {
        c.kind = type == "sysbutton" ? ControlKind::kSysButton : ControlKind::kButton;
        c.image = ImagePath(spec, e, "image");
        c.hint = e.GetAttributeValue("hint");
        if (c.kind == ControlKind::kButton) {
            if (c.image.empty() && !spec.defaultButtonImages.empty())
                c.image = spec.defaultButtonImages.back();
            c.text = e.GetAttributeValue("text");
            c.checked = e.GetAttributeValue("checked") == "true";
        }
        return c;
    }
    const std::string& name = e.GetName();
    if (name == "static") {
        c.kind = ControlKind::kStatic;
        ReadTextLook(e, c);
        c.image = ImagePath(spec, e, "image");
        c.colour = ParseColour(e.GetAttributeValue("color"));
        return c;
    }
    if (reader == SkinReader::kUpdater) return std::nullopt;
    if (name == "checkbox" || name == "radiobutton") {
        c.kind = name == "checkbox" ? ControlKind::kCheckBox : ControlKind::kRadioButton;
        ReadTextLook(e, c);
        c.id = e.GetAttributeValue("id");
        c.image = c.kind == ControlKind::kCheckBox ? spec.checkImage : spec.radioImage;
        c.group = c.kind == ControlKind::kRadioButton && e.GetAttributeValue("group") == "true";
        return c;
    }
    return std::nullopt;
}

void ReadSection(const CXMLElement& section, SkinSpec& spec, SkinReader reader) {
    spec.sectionFound = true;
    std::string background = ImagePath(spec, section, "background");
    if (!background.empty()) spec.background = background;
    for (const auto& child : section.m_children)
        if (auto c = ReadControl(*child, spec, reader)) spec.controls.push_back(std::move(*c));
}

}  // namespace

std::string SkinFolder(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

SkinSpec ReadSkin(const CXMLElement& root, std::string_view section, std::string_view skinFilePath,
                  SkinReader reader) {
    SkinSpec spec;
    spec.folder = SkinFolder(skinFilePath);
    spec.hasChildren = !root.m_children.empty();
    const std::string sectionName = XmlLowerAscii(section);
    const bool full = reader == SkinReader::kFull;
    for (const auto& child : root.m_children) {
        const CXMLElement& e = *child;
        if (NameIs(e, "skinbutton")) {
            std::string image = ImagePath(spec, e, "image");
            spec.defaultButtonImages.push_back(image);
        } else if (full && NameIs(e, "checkbox")) {
            spec.checkImage = ImagePath(spec, e, "image");
        } else if (full && NameIs(e, "radiobutton")) {
            spec.radioImage = ImagePath(spec, e, "image");
        } else if (NameIs(e, "dialog")) {
            ReadDialog(e, spec);
        } else if (!sectionName.empty() && NameIs(e, sectionName)) {
            ReadSection(e, spec, reader);
        }
    }
    return spec;
}

}  // namespace skin
