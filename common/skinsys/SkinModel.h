// What a skin file says about one window, read from the parsed tree into plain data:
// images (full paths), frame pieces, background and the section's controls in order.
// The dialogs load and draw from this; nothing here touches the file system.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SkinGeometry.h"
#include "XmlNode.h"

namespace skin {

enum class SkinReader {
    kFull,     // main program and editor
    kUpdater,  // no check boxes and radio buttons
};

struct PieceSpec {
    std::string image;  // full path
    Rect rect;          // part of the image; see WholeImage()
    bool WholeImage() const { return rect.left == rect.right && rect.top == rect.bottom; }
};

enum class ControlKind { kSysButton, kButton, kStatic, kCheckBox, kRadioButton };

struct ControlSpec {
    ControlKind kind = ControlKind::kButton;
    std::string name;  // element name as written; a button's name
    Rect position;     // client coordinates
    std::string image; // full path: buttons' state strip (default button image already
                       // chosen), labels' background, check and radio strips; empty: none
    std::string text;
    std::string hint;  // buttons
    bool checked = false;  // buttons
    std::optional<std::uint32_t> colour;  // labels; COLORREF
    std::string font;     // labels, check boxes, radio buttons; empty keeps the face
    int fontSize = 0;
    bool bold = false;
    std::string id;       // check boxes and radio buttons
    bool group = false;   // radio buttons: starts a new group
};

struct SkinSpec {
    std::string folder;  // of the skin file, with its trailing separator
    bool hasChildren = false;  // a root without children applies nothing
    // Each "skinbutton" element, in order (the dialog is told of each one).
    std::vector<std::string> defaultButtonImages;
    std::string checkImage, radioImage;  // last given
    std::string background;              // last non-empty one, in document order
    std::string closeImage, iconImage;
    std::array<std::optional<PieceSpec>, kPieceCount> pieces;
    std::vector<ControlSpec> controls;  // every element of every matching section, in order
    bool sectionFound = false;
};

// Folder part of a path, up to and including the last "\" or "/"; empty when none.
std::string SkinFolder(std::string_view skinFilePath);

// Reads the section of the window named section (compared without regard to case).
SkinSpec ReadSkin(const CXMLElement& root, std::string_view section, std::string_view skinFilePath,
                  SkinReader reader = SkinReader::kFull);

// Frame pieces larger than this per side, or cut beyond +-kMaxCoordinate, are refused
// rather than allocated.
constexpr int kMaxPieceSide = 4096;
// Controls wider or taller than this, or placed beyond +-kMaxCoordinate, are not created.
constexpr int kMaxControlSide = 8192;
constexpr int kMaxCoordinate = 32767;

}  // namespace skin
