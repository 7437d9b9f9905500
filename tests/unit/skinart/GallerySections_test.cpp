// The gallery's command line and its own skin file.
#include <gtest/gtest.h>

#include "GalleryProtocolText.h"
#include "GallerySections.h"
#include "SkinModel.h"
#include "SkinTestFiles.h"
#include "XmlReader.h"

namespace {

using gallery::ParseOptions;

std::vector<std::string> Keys(const gallery::Options& o) {
    std::vector<std::string> keys;
    for (const auto& s : o.sections) keys.push_back(s.Key());
    return keys;
}

TEST(GalleryOptions, NoWindowNamedOpensEveryWindow) {
    EXPECT_EQ(ParseOptions({}).sections.size(), gallery::KnownSections().size());
    EXPECT_EQ(ParseOptions({"all"}).sections.size(), gallery::KnownSections().size());
    EXPECT_EQ(ParseOptions({"--faces", "C:\\f"}).facesDir, "C:\\f");
}

TEST(GalleryOptions, BareSectionOpensItFromEveryFileOnce) {
    EXPECT_EQ(Keys(ParseOptions({"main_window"})),
              (std::vector<std::string>{"skin.xml:main_window", "skinED.xml:main_window"}));
    EXPECT_EQ(Keys(ParseOptions({"skinED.xml:main_window", "main_window"})),
              (std::vector<std::string>{"skinED.xml:main_window", "skin.xml:main_window"}));
    EXPECT_EQ(Keys(ParseOptions({"toolbar_window"})), (std::vector<std::string>{"skinED.xml:toolbar_window"}));
}

TEST(GalleryOptions, MistakesAreReported) {
    EXPECT_FALSE(ParseOptions({"nothing_window"}).error.empty());
    EXPECT_FALSE(ParseOptions({"skin.xml:config_window"}).error.empty());   // that file has none
    EXPECT_FALSE(ParseOptions({"--faces"}).error.empty());
}

TEST(GalleryOptions, ToolbarDrawsNoFrameAndTheUpdaterReadsLikeTheUpdater) {
    for (const auto& s : gallery::KnownSections()) {
        EXPECT_EQ(s.frame, s.section != "toolbar_window") << s.Key();
        EXPECT_EQ(s.updater, s.section == "volte_window") << s.Key();
        EXPECT_FALSE(s.title.empty());
    }
}

TEST(GalleryOptions, SizeTextNeedsTwoPositiveNumbers) {
    int w = 0, h = 0;
    EXPECT_TRUE(gallery::ParseSize("250,492", w, h));
    EXPECT_EQ(w, 250);
    EXPECT_EQ(h, 492);
    EXPECT_FALSE(gallery::ParseSize("250", w, h));
    EXPECT_FALSE(gallery::ParseSize("0,10", w, h));
    EXPECT_FALSE(gallery::ParseSize("-5,10", w, h));
    EXPECT_FALSE(gallery::ParseSize("99999,10", w, h));
    EXPECT_EQ(w, 250);   // untouched on failure
}

TEST(GalleryOwnSkin, HasEveryKindOfControlAndOnlyNamesPicturesItCopies) {
    auto root = ParseXmlText(gallery::ControlsSkinXml());
    ASSERT_TRUE(root);
    skin::SkinSpec s = skin::ReadSkin(*root, gallery::kControlsSectionName, "C:\\t\\gallery.xml");
    ASSERT_TRUE(s.sectionFound);
    int kinds[5] = {};
    for (const auto& c : s.controls) ++kinds[static_cast<int>(c.kind)];
    for (int k = 0; k < 5; ++k) EXPECT_GT(kinds[k], 0) << "kind " << k;
    const auto images = gallery::ControlsSkinImages();
    auto copied = [&](const std::string& full) {
        for (const auto& i : images)
            if (full == "C:\\t\\" + i) return true;
        return false;
    };
    for (const auto& c : s.controls) {
        if (!c.image.empty()) {
            EXPECT_TRUE(copied(c.image)) << c.image;
        }
    }
    for (const auto& p : s.pieces) {
        ASSERT_TRUE(p.has_value());
        EXPECT_TRUE(copied(p->image));
    }
    EXPECT_TRUE(copied(s.background));
}

}  // namespace

namespace {

bool Overlap(const gallery::Box& a, const gallery::Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(GalleryLayout, AllWindowsOfBothSkinsFitATestScreenWithoutOverlapping) {
    // The designed sizes of the shipped sections (and the gallery's own), in packing order.
    std::vector<gallery::Box> sizes;
    for (const auto& s : gallery::InPackingOrder(gallery::KnownSections())) {
        auto root = s.file == gallery::kControlsFileName ? ParseXmlText(gallery::ControlsSkinXml())
                                                          : skintest::LoadSkinTree(s.file);
        ASSERT_TRUE(root) << s.Key();
        const CXMLElement* e = skintest::FindChild(*root, s.section);
        ASSERT_NE(e, nullptr) << s.Key();
        gallery::Box b;
        ASSERT_TRUE(gallery::ParseSize(e->GetAttributeValue("size"), b.width, b.height)) << s.Key();
        sizes.push_back(b);
    }
    auto placed = gallery::PackWindows(sizes, 1280, 8);
    ASSERT_EQ(placed.size(), sizes.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_GE(placed[i].x, 8);
        EXPECT_LE(placed[i].x + placed[i].width, 1272);
        EXPECT_LE(placed[i].y + placed[i].height, 1016) << i;
        for (size_t k = i + 1; k < placed.size(); ++k) EXPECT_FALSE(Overlap(placed[i], placed[k])) << i << " " << k;
    }
}

TEST(GalleryLayout, WindowWiderThanTheScreenStillGetsAPlace) {
    auto placed = gallery::PackWindows({{0, 0, 300, 100}, {0, 0, 2000, 50}}, 800, 10);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1].x, 10);
    EXPECT_FALSE(Overlap(placed[0], placed[1]));
}

TEST(GalleryLayout, PackingOrderPutsTheTallWindowsFirstAndKeepsUnknownOnesLast) {
    auto known = gallery::KnownSections();
    auto ordered = gallery::InPackingOrder(known);
    ASSERT_EQ(ordered.size(), known.size());
    EXPECT_EQ(ordered.front().Key(), "skin.xml:main_window");
    EXPECT_EQ(ordered.back().Key(), "skinED.xml:about_window");
}

}  // namespace
