#include "FramePlayer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using player::Frame;

namespace {

std::string Str(const PixelRect& r) {
    std::ostringstream s;
    s << r.x << "," << r.y << "," << r.width << "," << r.height;
    return s.str();
}

// Records every drawing call as text.
class Recorder : public player::Canvas {
public:
    std::vector<std::string> log;
    bool saved = false;
    bool renderOk = true;
    void ClearAll() override { log.push_back("clear"); }
    void FillBackground(const PixelRect& r) override { log.push_back("fill " + Str(r)); }
    void SaveArea(const PixelRect& r) override {
        saved = true;
        log.push_back("save " + Str(r));
    }
    bool RestoreArea() override {
        log.push_back(saved ? "restore" : "restore-nothing");
        const bool had = saved;
        saved = false;
        return had;
    }
    bool RenderFrame(size_t i, const PixelRect& r) override {
        log.push_back("render " + std::to_string(i) + " " + Str(r));
        return renderOk;
    }
    void DrawBorder() override { log.push_back("border"); }
    void Invalidate() override { log.push_back("invalidate"); }
};

// Lets `waits` waits pass, then asks to stop.
class Stopper : public player::StopSignal {
public:
    explicit Stopper(int waitsBeforeStop, bool stopAtOnce = false)
        : m_left(waitsBeforeStop), m_stopped(stopAtOnce) {}
    std::vector<uint32_t> waited;
    bool StopRequested() const override { return m_stopped; }
    bool WaitForStop(uint32_t ms) override {
        waited.push_back(ms);
        if (m_left-- <= 0)
            m_stopped = true;
        return m_stopped;
    }

private:
    int m_left;
    bool m_stopped;
};

Frame F(int left, int top, int w, int h, int32_t delay, int disposal, bool picture = true) {
    Frame f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.delay = delay;
    f.disposal = disposal;
    f.hasPicture = picture;
    return f;
}

std::vector<std::string> Renders(const std::vector<std::string>& log) {
    std::vector<std::string> r;
    for (const auto& l : log)
        if (l.rfind("render", 0) == 0)
            r.push_back(l.substr(0, 8));
    return r;
}

}  // namespace

TEST(FrameSchedule, ShortDelaysPlayAt100msAndOthersAsGiven) {
    EXPECT_EQ(100u, player::FrameWaitMs(0));
    EXPECT_EQ(100u, player::FrameWaitMs(3));
    EXPECT_EQ(100u, player::FrameWaitMs(4));
    EXPECT_EQ(50u, player::FrameWaitMs(5));
    EXPECT_EQ(100u, player::FrameWaitMs(10));
    EXPECT_EQ(500u, player::FrameWaitMs(50));
    EXPECT_EQ(10000u, player::FrameWaitMs(1000));
    EXPECT_EQ(655350u, player::FrameWaitMs(65535));
}

TEST(FrameSchedule, FrameWithoutControlExtensionPlaysAt100msNotForever) {
    EXPECT_EQ(100u, player::FrameWaitMs(-1));
    const auto s = player::Schedule({F(0, 0, 1, 1, -1, 0), F(0, 0, 1, 1, 50, 0)});
    EXPECT_EQ((std::vector<uint32_t>{100, 500}), s);
}

TEST(FramePlayer, PlaysInOrderWaitsEachDelayAndWrapsToTheStart) {
    const std::vector<Frame> frames = {F(0, 0, 10, 10, 0, 1), F(0, 0, 10, 10, 10, 1),
                                       F(0, 0, 10, 10, 50, 1)};
    Recorder canvas;
    Stopper stop(4);
    std::atomic<size_t> current{0};
    player::Play(frames, PictureFit{}, true, canvas, stop, current);
    EXPECT_EQ((std::vector<uint32_t>{100, 100, 500, 100, 100}), stop.waited);
    EXPECT_EQ((std::vector<std::string>{"render 0", "render 1", "render 2", "render 0",
                                        "render 1"}),
              Renders(canvas.log));
    EXPECT_EQ(1u, current.load());  // stopped while frame 1 was up
    // The whole area is cleared when the animation starts over.
    const auto wrap = std::find(canvas.log.begin(), canvas.log.end(), "clear");
    ASSERT_NE(canvas.log.end(), wrap);
    EXPECT_EQ("render 0 0,0,10,10", *(wrap + 1));
}

TEST(FramePlayer, FramesArePlacedWithTheFit) {
    PictureFit fit;
    fit.scale = 2.0f;
    fit.offsetY = 5;
    Recorder canvas;
    Stopper stop(0);
    std::atomic<size_t> current{0};
    player::Play({F(3, 1, 4, 2, 0, 0), F(0, 0, 1, 1, 0, 0)}, fit, true, canvas, stop, current);
    EXPECT_EQ("render 0 6,7,8,4", canvas.log.at(0));
    EXPECT_EQ("invalidate", canvas.log.at(1));
}

TEST(FramePlayer, DisposalToBackgroundFillsTheFrameAfterItsWait) {
    Recorder canvas;
    Stopper stop(1);
    std::atomic<size_t> current{0};
    player::Play({F(1, 2, 3, 4, 0, 2), F(0, 0, 8, 8, 0, 0)}, PictureFit{}, true, canvas, stop,
                 current);
    // Before the loop the current frame is undone; disposal 2 clears everything.
    EXPECT_EQ((std::vector<std::string>{"clear", "render 0 1,2,3,4", "invalidate",
                                        "fill 1,2,3,4", "border", "render 1 0,0,8,8",
                                        "invalidate"}),
              canvas.log);
}

TEST(FramePlayer, DisposalToPreviousSavesBeforeDrawingAndRestoresAfter) {
    Recorder canvas;
    Stopper stop(1);
    std::atomic<size_t> current{0};
    player::Play({F(1, 1, 2, 2, 0, 3), F(0, 0, 8, 8, 0, 0)}, PictureFit{}, true, canvas, stop,
                 current);
    EXPECT_EQ((std::vector<std::string>{"restore-nothing", "save 1,1,2,2", "render 0 1,1,2,2",
                                        "invalidate", "restore", "border", "render 1 0,0,8,8",
                                        "invalidate"}),
              canvas.log);
}

TEST(FramePlayer, StoppingDuringAWaitLeavesTheFrameAndItsIndex) {
    Recorder canvas;
    Stopper stop(0);
    std::atomic<size_t> current{0};
    player::Play({F(0, 0, 2, 2, 1000, 2), F(0, 0, 2, 2, 0, 0)}, PictureFit{}, true, canvas, stop,
                 current);
    EXPECT_EQ((std::vector<uint32_t>{10000}), stop.waited);
    EXPECT_EQ(0u, current.load());
    EXPECT_EQ("invalidate", canvas.log.back());  // not disposed
}

TEST(FramePlayer, ShowingAgainRestartsAtTheCurrentFrameAfterUndoingIt) {
    Recorder canvas;
    canvas.saved = true;
    Stopper stop(0);
    std::atomic<size_t> current{1};
    player::Play({F(0, 0, 2, 2, 0, 0), F(0, 0, 2, 2, 0, 3)}, PictureFit{}, true, canvas, stop,
                 current);
    EXPECT_EQ("restore", canvas.log.at(0));
    EXPECT_EQ("save 0,0,2,2", canvas.log.at(1));
    EXPECT_EQ("render 1 0,0,2,2", canvas.log.at(2));
}

TEST(FramePlayer, WithoutAnimationDrawsTheCurrentFrameOnceAndRewinds) {
    Recorder canvas;
    Stopper stop(100);
    std::atomic<size_t> current{2};
    player::Play({F(0, 0, 2, 2, 0, 0), F(0, 0, 2, 2, 0, 0), F(0, 0, 2, 2, 0, 0)}, PictureFit{},
                 false, canvas, stop, current);
    EXPECT_EQ((std::vector<std::string>{"render 2"}), Renders(canvas.log));
    EXPECT_TRUE(stop.waited.empty());
    EXPECT_EQ(0u, current.load());
}

TEST(FramePlayer, FramesWithoutPictureAreSkippedWithoutWaiting) {
    Recorder canvas;
    Stopper stop(1);
    std::atomic<size_t> current{0};
    player::Play({F(0, 0, 2, 2, 20, 0), F(0, 0, 2, 2, 500, 0, false), F(0, 0, 2, 2, 30, 0)},
                 PictureFit{}, true, canvas, stop, current);
    EXPECT_EQ((std::vector<uint32_t>{200, 300}), stop.waited);
    EXPECT_EQ((std::vector<std::string>{"render 0", "render 2"}), Renders(canvas.log));
}

TEST(FramePlayer, NothingToShowReturnsAtOnce) {
    Recorder canvas;
    Stopper stop(1000000);
    std::atomic<size_t> current{0};
    player::Play({F(0, 0, 2, 2, 0, 0, false), F(0, 0, 2, 2, 0, 0, false)}, PictureFit{}, true,
                 canvas, stop, current);
    player::Play({}, PictureFit{}, true, canvas, stop, current);
    EXPECT_TRUE(canvas.log.empty());
    EXPECT_TRUE(stop.waited.empty());
}

TEST(FramePlayer, StopAskedBeforeStartDrawsNothing) {
    Recorder canvas;
    Stopper stop(0, true);
    std::atomic<size_t> current{7};  // beyond the list: starts over at 0
    player::Play({F(0, 0, 2, 2, 0, 0), F(0, 0, 2, 2, 0, 0)}, PictureFit{}, true, canvas, stop,
                 current);
    EXPECT_TRUE(Renders(canvas.log).empty());
    EXPECT_EQ(0u, current.load());
}

TEST(FramePlayer, FailedRenderSkipsOnlyTheInvalidation) {
    Recorder canvas;
    canvas.renderOk = false;
    Stopper stop(0);
    std::atomic<size_t> current{0};
    player::Play({F(0, 0, 2, 2, 0, 0), F(0, 0, 2, 2, 0, 0)}, PictureFit{}, true, canvas, stop,
                 current);
    EXPECT_EQ((std::vector<std::string>{"render 0 0,0,2,2"}), canvas.log);
    EXPECT_EQ((std::vector<uint32_t>{100}), stop.waited);
}
