// Every window section of the skins shipped with the programs loads, shapes its window and
// creates its controls.
#include <gtest/gtest.h>

#include "SkinGeometry.h"
#include "TestKit.h"
#include "TestSkin.h"
#include "XmlReader.h"
#include "winfx/Gdi.h"

using namespace skintest;

namespace {

struct Section {
    std::string file, name;
    SIZE size;
    size_t controls;
};

std::vector<Section> SectionsOf(const std::string& file) {
    std::vector<Section> out;
    auto root = LoadXmlFile(testkit::SourcePath("skin/default/" + file));
    if (!root) return out;
    for (const auto& e : root->m_children) {
        const std::string& name = e->GetName();
        if (name.size() < 8 || name.compare(name.size() - 7, 7, "_window") != 0) continue;
        SIZE size{kWidth, kHeight};
        if (auto r = skin::ParseRect(e->GetAttributeValue("size") + ",0,0")) size = SIZE{r->left, r->top};
        out.push_back(Section{file, name, size, e->m_children.size()});
    }
    return out;
}

}  // namespace

TEST(ShippedSkins, EverySectionLoadsAndShapesItsWindow) {
    std::vector<Section> all = SectionsOf("skin.xml");
    std::vector<Section> editor = SectionsOf("skinED.xml");
    all.insert(all.end(), editor.begin(), editor.end());
    ASSERT_GE(all.size(), 6u);
    for (const Section& s : all) {
        SCOPED_TRACE(s.file + " " + s.name);
        TestDialog dialog;
        dialog.size = s.size;
        ASSERT_TRUE(dialog.Open(testkit::SourcePath("skin/default/" + s.file), s.name,
                                s.name == "toolbar_window" ? 0 : CSkinDialog::kDefaultFrameFlags));
        EXPECT_TRUE(dialog.loadResult);
        const size_t made = dialog.Buttons().size() + dialog.Labels().size() + dialog.CheckControls().size();
        EXPECT_EQ(made, s.controls) << "every control element makes a control";
        winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(dialog.Hwnd(), rgn.Get()), ERROR);
        RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        testkit::Screenshot("skinsys_shipped_" + s.file.substr(0, s.file.size() - 4) + "_" + s.name);
    }
}
