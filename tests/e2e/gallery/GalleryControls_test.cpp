// Check boxes, radio groups and animated faces of the skinned windows, driven with
// real mouse input and observed through the gallery.
#include <gtest/gtest.h>

#include <map>

#include "GalleryDriver.h"
#include "GalleryProtocol.h"
#include "TestKit.h"

namespace {

using galtest::ClickAt;
using galtest::CentreOf;
using galtest::Gallery;
using galtest::IsChecked;

// Clicks the box at the left end of a tick control, where the user aims.
void ClickTick(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    ClickAt(POINT{r.left + 8, (r.top + r.bottom) / 2});
}

TEST(GalleryControls, RadioGroupsAreExclusiveAndIndependent) {
    Gallery g({"skinED.xml:config_window"});
    HWND w = g.Window("skinED.xml:config_window");
    ASSERT_NE(w, nullptr);
    const char* names[] = {"self_run", "left_QQ", "QQ_right", "update_auto", "update_day",
                           "update_week", "update_month", "update_none"};
    std::map<std::string, HWND> c;
    for (const char* n : names) {
        c[n] = g.Control(w, n);
        ASSERT_NE(c[n], nullptr) << n;
    }
    EXPECT_TRUE(IsChecked(c["QQ_right"]));
    EXPECT_TRUE(IsChecked(c["update_auto"]));

    ClickTick(c["left_QQ"]);
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsChecked(c["left_QQ"]) && !IsChecked(c["QQ_right"]); }));
    EXPECT_FALSE(IsChecked(c["self_run"]));
    EXPECT_TRUE(IsChecked(c["update_auto"])) << "the other group is untouched";

    ClickTick(c["update_week"]);
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsChecked(c["update_week"]) && !IsChecked(c["update_auto"]); }));
    for (const char* n : {"update_day", "update_month", "update_none"}) EXPECT_FALSE(IsChecked(c[n])) << n;
    EXPECT_TRUE(IsChecked(c["left_QQ"]));

    // Clicking a checked radio button keeps it checked.
    ClickTick(c["update_week"]);
    testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(IsChecked(c["update_week"]));
    EXPECT_TRUE(testkit::Screenshot("gallery-config-after-clicks"));
}

TEST(GalleryControls, CheckBoxesToggleOnEachClickAndAloneOfEachOther) {
    Gallery g({"gallery.xml:controls_window"});
    HWND w = g.Window("gallery.xml:controls_window");
    ASSERT_NE(w, nullptr);
    HWND play = g.Control(w, "play_faces"), tips = g.Control(w, "show_tips");
    ASSERT_NE(play, nullptr);
    ASSERT_NE(tips, nullptr);
    EXPECT_FALSE(IsChecked(play));
    ClickTick(play);
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsChecked(play); }));
    EXPECT_FALSE(IsChecked(tips));
    ClickTick(tips);
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsChecked(tips); }));
    EXPECT_TRUE(IsChecked(play));
    EXPECT_TRUE(testkit::Screenshot("gallery-controls-checked"));
    ClickTick(play);
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsChecked(play); }));
    EXPECT_TRUE(IsChecked(tips));
}

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_NORMAL, testkit::ScaledMs(10000), &result)) return -2;
    return static_cast<LRESULT>(result);
}

TEST(GalleryControls, FaceFramesStayUpForTheirDelaysWithShortOnesAtATenthOfASecond) {
    Gallery g({"gallery.xml:controls_window"});
    HWND w = g.Window("gallery.xml:controls_window");
    ASSERT_NE(w, nullptr);
    const WPARAM pic = gallery::kDelaysPicture;
    ASSERT_EQ(Ask(w, gallery::kMsgPictureFrames, pic), 5);
    // Delays 0, 4, 5, 10 and 50 hundredths.
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 0), 100);
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 1), 100);
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 2), 50);
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 3), 100);
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 4), 500);
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 5), -1);

    // The animation runs through its frames and starts over.
    EXPECT_EQ(Ask(w, gallery::kMsgPicturePlaying, pic), 1);
    EXPECT_TRUE(testkit::WaitUntil([&] { return Ask(w, gallery::kMsgPictureFrame, pic) == 4; },
                                   std::chrono::seconds(10), std::chrono::milliseconds(10)));
    EXPECT_TRUE(testkit::WaitUntil([&] { return Ask(w, gallery::kMsgPictureFrame, pic) == 0; },
                                   std::chrono::seconds(10), std::chrono::milliseconds(10)));
}

TEST(GalleryControls, StoppingDuringATenSecondFrameReturnsAtOnce) {
    Gallery g({"gallery.xml:controls_window"});
    HWND w = g.Window("gallery.xml:controls_window");
    ASSERT_NE(w, nullptr);
    const WPARAM pic = gallery::kLongPicture;
    EXPECT_EQ(Ask(w, gallery::kMsgPictureDelay, pic, 0), 10000);
    ASSERT_TRUE(testkit::WaitUntil([&] { return Ask(w, gallery::kMsgPicturePlaying, pic) == 1; }));
    testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(300));   // well inside frame 0
    const LRESULT tookMs = Ask(w, gallery::kMsgPictureHalt, pic);
    ASSERT_GE(tookMs, 0);
    // Waiting out the frame would take seconds; an interrupted wait returns at once.
    EXPECT_LT(tookMs, 2000);
    EXPECT_EQ(Ask(w, gallery::kMsgPicturePlaying, pic), 0);
    // And it can play again.
    EXPECT_EQ(Ask(w, gallery::kMsgPictureStart, pic), 1);
    EXPECT_TRUE(testkit::WaitUntil([&] { return Ask(w, gallery::kMsgPicturePlaying, pic) == 1; }));
}

}  // namespace
