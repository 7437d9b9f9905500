// The shipped skin files describe finished windows: every section the programs
// read exists with the controls they address by name, pictures fit the places
// the skin gives them, and only the outer corners are cut from the windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "SkinModel.h"
#include "SkinTestFiles.h"

namespace {

using skin::ControlKind;
using skin::ControlSpec;
using skin::Rect;
using skin::SkinSpec;

struct Window {
    std::string file, section;
    SkinSpec spec;
    int width = 0, height = 0;   // the "size" the layout was drawn for
};

std::vector<Window> AllWindows() {
    std::vector<Window> out;
    for (const auto& file : skintest::SkinFiles()) {
        auto root = skintest::LoadSkinTree(file.name);
        if (!root) continue;
        for (const std::string& section : file.sections) {
            Window w{file.name, section, skin::ReadSkin(*root, section, skintest::SkinDir() + file.name), 0, 0};
            if (const CXMLElement* e = skintest::FindChild(*root, section)) {
                std::string size = e->GetAttributeValue("size");
                if (std::sscanf(size.c_str(), "%d,%d", &w.width, &w.height) != 2) w.width = w.height = 0;
            }
            out.push_back(std::move(w));
        }
    }
    return out;
}

std::string Where(const Window& w, const std::string& what = "") {
    return w.file + " " + w.section + (what.empty() ? "" : " " + what);
}

skinart::Bitmap Load(const std::string& path) {
    skinart::Bitmap b;
    EXPECT_TRUE(skintest::LoadBitmap(path, b)) << path;
    return b;
}

const ControlSpec* Named(const SkinSpec& spec, const std::string& name) {
    for (const auto& c : spec.controls)
        if ((c.kind == ControlKind::kRadioButton || c.kind == ControlKind::kCheckBox ? c.id : c.name) == name)
            return &c;
    return nullptr;
}

// The frame piece cut out of its picture.
skinart::Bitmap Cut(const skin::PieceSpec& piece) {
    skinart::Bitmap whole = Load(piece.image);
    if (piece.WholeImage()) return whole;
    skinart::Bitmap out;
    out.width = piece.rect.Width();
    out.height = piece.rect.Height();
    out.rgb.assign(size_t(out.width) * size_t(out.height) * 3, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            size_t i = (size_t(piece.rect.top + y) * size_t(whole.width) + size_t(piece.rect.left + x)) * 3;
            out.Set(x, y, whole.rgb[i], whole.rgb[i + 1], whole.rgb[i + 2]);
        }
    return out;
}

TEST(SkinLayout, EveryWindowSectionExistsWithItsSizeAndAllFramePieces) {
    auto windows = AllWindows();
    ASSERT_EQ(windows.size(), 8u);
    for (const Window& w : windows) {
        EXPECT_TRUE(w.spec.sectionFound) << Where(w);
        EXPECT_GT(w.width, 0) << Where(w, "has no size");
        EXPECT_GT(w.height, 0) << Where(w, "has no size");
        EXPECT_FALSE(w.spec.background.empty()) << Where(w);
        for (int p = 0; p < skin::kPieceCount; ++p) {
            ASSERT_TRUE(w.spec.pieces[p].has_value()) << Where(w, "piece " + std::to_string(p));
            skinart::Bitmap whole = Load(w.spec.pieces[p]->image);
            const Rect& r = w.spec.pieces[p]->rect;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= whole.width && r.bottom <= whole.height &&
                        r.left < r.right && r.top < r.bottom)
                << Where(w, "piece " + std::to_string(p) + " lies outside its picture");
        }
    }
}

TEST(SkinLayout, FramePiecesLineUp) {
    for (const Window& w : AllWindows()) {
        std::map<int, skinart::Bitmap> piece;
        for (int p = 0; p < skin::kPieceCount; ++p) piece[p] = Cut(*w.spec.pieces[p]);
        EXPECT_EQ(piece[skin::kTopLeft].height, piece[skin::kTopMid].height) << Where(w);
        EXPECT_EQ(piece[skin::kTopRight].height, piece[skin::kTopMid].height) << Where(w);
        EXPECT_EQ(piece[skin::kBottomLeft].height, piece[skin::kBottomMid].height) << Where(w);
        EXPECT_EQ(piece[skin::kBottomRight].height, piece[skin::kBottomMid].height) << Where(w);
        EXPECT_EQ(piece[skin::kLeftMid].width, piece[skin::kTopLeft].width) << Where(w);
        EXPECT_EQ(piece[skin::kRightMid].width, piece[skin::kTopRight].width) << Where(w);
        // The caption band must hold the program icon at (3, 3) and a line of text.
        EXPECT_GE(piece[skin::kTopMid].height, 22) << Where(w);
    }
}

// Each magenta pixel of a corner piece is cut from the window, so all of them must
// belong to the area outside the rounded outline: reachable from the outer corner
// through magenta pixels, none left inside the window as a hole.
TEST(SkinLayout, CornerPiecesCutOnlyTheOuterCorner) {
    struct Corner { skin::Piece piece; bool right, bottom; };
    const Corner corners[] = {{skin::kTopLeft, false, false}, {skin::kTopRight, true, false},
                              {skin::kBottomLeft, false, true}, {skin::kBottomRight, true, true}};
    for (const Window& w : AllWindows()) {
        for (const Corner& c : corners) {
            skinart::Bitmap b = Cut(*w.spec.pieces[c.piece]);
            const int x0 = c.right ? b.width - 1 : 0, y0 = c.bottom ? b.height - 1 : 0;
            ASSERT_TRUE(b.IsMagenta(x0, y0)) << Where(w, "corner " + std::to_string(c.piece) + " is not rounded");
            std::vector<char> seen(size_t(b.width) * size_t(b.height), 0);
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            int reached = 0;
            while (!todo.empty()) {
                auto [x, y] = todo.back();
                todo.pop_back();
                if (x < 0 || y < 0 || x >= b.width || y >= b.height || !b.IsMagenta(x, y)) continue;
                char& s = seen[size_t(y) * size_t(b.width) + size_t(x)];
                if (s) continue;
                s = 1;
                ++reached;
                todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
            int magenta = 0;
            for (int y = 0; y < b.height; ++y)
                for (int x = 0; x < b.width; ++x) magenta += b.IsMagenta(x, y);
            EXPECT_EQ(reached, magenta) << Where(w, "corner " + std::to_string(c.piece) + " has holes");
            EXPECT_LT(magenta, 16) << Where(w, "corner " + std::to_string(c.piece) + " is cut too deep");
        }
    }
}

TEST(SkinLayout, ButtonStripsHoldFourStatesOfExactlyTheButtonsSize) {
    for (const Window& w : AllWindows()) {
        for (const ControlSpec& c : w.spec.controls) {
            if (c.kind != ControlKind::kButton && c.kind != ControlKind::kSysButton) continue;
            ASSERT_FALSE(c.image.empty()) << Where(w, c.name);
            skinart::Bitmap strip = Load(c.image);
            EXPECT_EQ(strip.width % 4, 0) << Where(w, c.name);
            EXPECT_EQ(strip.width / 4, c.position.Width()) << Where(w, c.name + " would be scaled");
            EXPECT_EQ(strip.height, c.position.Height()) << Where(w, c.name + " would be scaled");
        }
    }
}

TEST(SkinLayout, CheckAndRadioStripsFitTheirControls) {
    for (const Window& w : AllWindows()) {
        for (const ControlSpec& c : w.spec.controls) {
            if (c.kind != ControlKind::kCheckBox && c.kind != ControlKind::kRadioButton) continue;
            ASSERT_FALSE(c.image.empty()) << Where(w, c.id);
            skinart::Bitmap strip = Load(c.image);
            EXPECT_EQ(strip.width % 4, 0) << Where(w, c.id);
            EXPECT_EQ(strip.width / 4, strip.height) << Where(w, c.id + ": boxes are square");
            EXPECT_LE(strip.height, c.position.Height()) << Where(w, c.id);
            EXPECT_FALSE(c.text.empty()) << Where(w, c.id);
            EXPECT_FALSE(c.id.empty()) << Where(w, "a tick control without an id");
        }
    }
}

TEST(SkinLayout, SectionBackgroundsAreDrawnForTheWindowsSize) {
    for (const auto& file : skintest::SkinFiles()) {
        auto root = skintest::LoadSkinTree(file.name);
        ASSERT_TRUE(root);
        for (const std::string& section : file.sections) {
            const CXMLElement* e = skintest::FindChild(*root, section);
            ASSERT_NE(e, nullptr) << file.name << " " << section;
            std::string bg = e->GetAttributeValue("background");
            if (bg.empty()) continue;
            skinart::Bitmap b = Load(skintest::SkinDir() + bg);
            EXPECT_EQ(std::to_string(b.width) + "," + std::to_string(b.height), e->GetAttributeValue("size"))
                << file.name << " " << section;
        }
    }
}

// Controls stay inside the window, off its border, and never overlap (overlapping
// siblings repaint over each other). Caption buttons sit inside the caption band.
TEST(SkinLayout, ControlsFitTheWindowWithoutOverlapping) {
    for (const Window& w : AllWindows()) {
        const int band = Cut(*w.spec.pieces[skin::kTopMid]).height;
        const int border = 1;
        for (size_t i = 0; i < w.spec.controls.size(); ++i) {
            const ControlSpec& c = w.spec.controls[i];
            const Rect& r = c.position;
            const std::string what = c.name + " " + c.id;
            EXPECT_TRUE(r.left >= border && r.top >= border && r.right <= w.width - border &&
                        r.bottom <= w.height - border && r.Width() > 0 && r.Height() > 0)
                << Where(w, what);
            if (c.name == "minimize" || c.name == "maxmize" || c.name == "close") {
                EXPECT_LE(r.bottom, band) << Where(w, what + " leaves the caption band");
            }
            for (size_t k = i + 1; k < w.spec.controls.size(); ++k) {
                const Rect& o = w.spec.controls[k].position;
                bool overlap = r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom;
                EXPECT_FALSE(overlap) << Where(w, what + " overlaps " + w.spec.controls[k].name);
            }
        }
    }
}

TEST(SkinLayout, EveryWindowHasTheNamedControlsItsProgramUses) {
    const std::map<std::string, std::vector<std::string>> needed = {
        {"skin.xml main_window", {"minimize", "close"}},
        {"skin.xml about_window", {"close"}},
        {"skinED.xml main_window", {"minimize", "close"}},
        {"skinED.xml about_window", {"close"}},
        {"skinED.xml config_window",
         {"close", "ok", "cancel", "self_run", "left_QQ", "QQ_right", "update_auto", "update_day",
          "update_week", "update_month", "update_none"}},
        {"skinED.xml onlinedown_window", {"close"}},
        {"skinED.xml toolbar_window", {"mainface", "editface", "downface", "settings"}},
        {"skinED.xml volte_window", {"close"}},
    };
    for (const Window& w : AllWindows()) {
        auto it = needed.find(Where(w));
        ASSERT_NE(it, needed.end()) << Where(w);
        for (const std::string& name : it->second) EXPECT_NE(Named(w.spec, name), nullptr) << Where(w, name);
        std::set<std::string> names;
        for (const ControlSpec& c : w.spec.controls) {
            std::string n = c.kind == ControlKind::kRadioButton || c.kind == ControlKind::kCheckBox ? c.id : c.name;
            if (c.kind != ControlKind::kStatic) {
                EXPECT_TRUE(names.insert(n).second) << Where(w, n + " twice");
            }
        }
    }
}

// Radio buttons form groups in creation order: a group starts at "group" and runs
// to the next start. The options window reads its two choices from two groups.
TEST(SkinLayout, OptionRadioButtonsFormTheDockGroupAndTheUpdateGroup) {
    for (const Window& w : AllWindows()) {
        if (w.section != "config_window") continue;
        std::vector<std::vector<std::string>> groups;
        for (const ControlSpec& c : w.spec.controls) {
            if (c.kind != ControlKind::kRadioButton) continue;
            if (c.group || groups.empty()) groups.emplace_back();
            groups.back().push_back(c.id);
        }
        ASSERT_EQ(groups.size(), 2u);
        EXPECT_EQ(groups[0], (std::vector<std::string>{"self_run", "left_QQ", "QQ_right"}));
        EXPECT_EQ(groups[1], (std::vector<std::string>{"update_auto", "update_day", "update_week",
                                                        "update_month", "update_none"}));
    }
}

TEST(SkinLayout, TheUpdaterReaderFindsItsButtonsToo) {
    auto root = skintest::LoadSkinTree("skinED.xml");
    ASSERT_TRUE(root);
    SkinSpec s = skin::ReadSkin(*root, "volte_window", skintest::SkinDir() + "skinED.xml", skin::SkinReader::kUpdater);
    EXPECT_NE(Named(s, "close"), nullptr);
    EXPECT_NE(Named(s, "minimize"), nullptr);
}

// Caption and toolbar buttons repaint alone when the mouse comes and goes, so their
// pictures are opaque: a transparent normal state would leave the hover tile behind.
TEST(SkinLayout, CaptionAndToolbarButtonsAreOpaque) {
    for (const Window& w : AllWindows()) {
        for (const ControlSpec& c : w.spec.controls) {
            if (c.kind != ControlKind::kSysButton) continue;
            skinart::Bitmap b = Load(c.image);
            int magenta = 0;
            for (int y = 0; y < b.height; ++y)
                for (int x = 0; x < b.width; ++x) magenta += b.IsMagenta(x, y);
            EXPECT_EQ(magenta, 0) << Where(w, c.name);
        }
    }
}

}  // namespace
