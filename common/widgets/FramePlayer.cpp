#include "FramePlayer.h"

#include <algorithm>

namespace player {

uint32_t FrameWaitMs(int32_t delay) {
    if (delay < 5)
        return 100;
    return static_cast<uint32_t>(delay) * 10u;
}

std::vector<uint32_t> Schedule(const std::vector<Frame>& frames) {
    std::vector<uint32_t> waits;
    waits.reserve(frames.size());
    for (const Frame& f : frames)
        waits.push_back(FrameWaitMs(f.delay));
    return waits;
}

namespace {

PixelRect Place(const Frame& f, const PictureFit& fit) {
    return PlaceFrame(fit, f.left, f.top, f.width, f.height);
}

// Undoes what the frame on the surface left behind when it is shown again from there.
void UndoCurrent(const Frame& f, Canvas& canvas) {
    if (f.disposal == kToBackground)
        canvas.ClearAll();
    else if (f.disposal == kToPrevious)
        canvas.RestoreArea();
}

}  // namespace

void Play(const std::vector<Frame>& frames, const PictureFit& fit, bool animate,
          Canvas& canvas, StopSignal& stop, std::atomic<size_t>& current) {
    const bool anyPicture = std::any_of(frames.begin(), frames.end(),
                                        [](const Frame& f) { return f.hasPicture; });
    if (!anyPicture)
        return;  // nothing to show: never spin over empty frames
    size_t index = current.load();
    if (index >= frames.size())
        index = 0;
    UndoCurrent(frames[index], canvas);
    while (!stop.StopRequested()) {
        const Frame& f = frames[index];
        if (f.hasPicture) {
            const PixelRect r = Place(f, fit);
            if (f.disposal == kToPrevious)
                canvas.SaveArea(r);
            if (canvas.RenderFrame(index, r))
                canvas.Invalidate();
            if (!animate) {
                current = 0;
                return;
            }
            if (stop.WaitForStop(FrameWaitMs(f.delay)))
                break;
            if (f.disposal == kToBackground)
                canvas.FillBackground(r);
            else if (f.disposal == kToPrevious)
                canvas.RestoreArea();
        }
        canvas.DrawBorder();
        if (++index >= frames.size()) {
            index = 0;
            canvas.ClearAll();
        }
        current = index;
    }
    current = index;
}

}  // namespace player
