// The animation schedule of a GIF: how long each frame stays, what its disposal does,
// and the player loop that drives a drawing surface. The surface and the stop signal are
// interfaces, so the loop runs on a GDI surface in the control and on a recorder in tests.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "PictureFit.h"

namespace player {

enum Disposal : int { kLeave = 0, kKeep = 1, kToBackground = 2, kToPrevious = 3 };

// What the player needs to know of one frame.
struct Frame {
    bool hasPicture = true;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int32_t delay = -1;        // hundredths of a second, -1 without a control extension
    int disposal = kLeave;
};

// Milliseconds a frame stays up: delays of 5 hundredths and more as given, shorter ones
// (0 to 4) 100 ms, as browsers play them. A frame without a control extension has no
// delay at all and is played like a zero delay, at 100 ms.
uint32_t FrameWaitMs(int32_t delay);

// The wait of every frame in order.
std::vector<uint32_t> Schedule(const std::vector<Frame>& frames);

// The off-screen surface the frames are drawn on.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void ClearAll() = 0;                          // whole client area, background
    virtual void FillBackground(const PixelRect& r) = 0;
    virtual void SaveArea(const PixelRect& r) = 0;        // replaces any saved area
    virtual bool RestoreArea() = 0;                       // puts it back, forgets it
    virtual bool RenderFrame(size_t index, const PixelRect& r) = 0;
    virtual void DrawBorder() = 0;
    virtual void Invalidate() = 0;                        // ask the window to repaint
};

class StopSignal {
public:
    virtual ~StopSignal() = default;
    virtual bool StopRequested() const = 0;
    // Waits up to ms; true when a stop was asked for meanwhile (or before).
    virtual bool WaitForStop(uint32_t ms) = 0;
};

// Plays from `current` until stopped. With animate false it draws the current frame
// once, sets the index to 0 and returns. Returns at once when no frame has a picture.
// `current` is read by other threads to observe the playback.
void Play(const std::vector<Frame>& frames, const PictureFit& fit, bool animate,
          Canvas& canvas, StopSignal& stop, std::atomic<size_t>& current);

}  // namespace player
