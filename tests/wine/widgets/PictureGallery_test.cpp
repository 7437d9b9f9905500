// Every sample face playing side by side, kept as a screenshot for a human eye.
#include <gtest/gtest.h>

#include <memory>

#include "PictureTestKit.h"
#include "SampleSet.h"
#include "TestKit.h"

using namespace pictest;

TEST(PictureGallery, SampleFacesPlayTogether) {
    const auto files = samples::MakeSampleFaces();
    const int columns = 8, cell = 92;
    const int rows = static_cast<int>((files.size() + columns - 1) / columns);
    HostWindow host(columns * cell + 4, rows * cell + 4, L"sample faces");
    std::vector<std::unique_ptr<CPictureEx>> pics;
    int playing = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        auto pic = std::make_unique<CPictureEx>();
        const int x = 2 + static_cast<int>(i % columns) * cell;
        const int y = 2 + static_cast<int>(i / columns) * cell;
        ASSERT_TRUE(Place(*pic, host, {x, y, x + 90, y + 90}, files[i].bytes, true))
            << files[i].name;
        pic->BeginShow();
        playing += pic->IsPlaying() ? 1 : 0;
        pics.push_back(std::move(pic));
    }
    EXPECT_EQ(16, playing);  // all but the five stills
    // Two moments of the same animations: the dot frames of the disposal samples show
    // between 0.5 s and 2.1 s.
    Pump(800);
    EXPECT_TRUE(testkit::Screenshot("widgets_sample_faces_playing_1"));
    Pump(400);
    EXPECT_TRUE(testkit::Screenshot("widgets_sample_faces_playing_2"));
    const DWORD before = GetTickCount();
    pics.clear();  // every player stops with its control
    EXPECT_LT(GetTickCount() - before, 2000u);
}
