// The GIF container as the picture control needs it: the logical screen, a bounded
// walk over the blocks that finds each frame, and cutting a frame out as a GIF of its own
// so that the system picture loader can decode it. Pixels are never decoded here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace gif {

constexpr int32_t kNoDelay = -1;       // frame without a graphic control extension
constexpr size_t kScreenBytes = 13;    // signature, version and logical screen descriptor

struct Screen {
    int width = 0;
    int height = 0;
    size_t globalTableBytes = 0;       // 3 * 2^(n+1) when present, else 0
    uint8_t backgroundIndex = 0;
    uint32_t backgroundColor = 0xFFFFFF;  // COLORREF layout: red in the low byte
};

// One frame's place in the file: [begin, end) runs from its graphic control extension
// (or its image descriptor when it has none) to the end of its image data.
struct FrameSpan {
    size_t begin = 0;
    size_t end = 0;
    size_t image = 0;                  // where its image descriptor starts
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int32_t delay = kNoDelay;          // hundredths of a second
    int disposal = 0;                  // bits 2-4 of the control extension's flags
};

// "GIF87a" or "GIF89a"; other versions go to the system loader as plain pictures.
bool HasGifSignature(const uint8_t* data, size_t size);

// The logical screen of a GIF whose header and global colour table lie inside the data.
std::optional<Screen> ReadScreen(const uint8_t* data, size_t size);

// Walks frame by frame. Every length read is checked against the end of the data and
// every step moves forward, so no input can make it read outside or loop.
class BlockWalker {
public:
    BlockWalker(const uint8_t* data, size_t size, size_t start);
    // The next complete frame, or nothing at the trailer or when the walk fails.
    std::optional<FrameSpan> NextFrame();
    bool Failed() const { return m_failed; }

private:
    std::optional<size_t> BlockLength(size_t pos) const;
    std::optional<size_t> SubBlocksEnd(size_t pos) const;
    void Fail() { m_failed = true; m_done = true; }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos;
    bool m_failed = false;
    bool m_done = false;
};

// Every complete frame after the global colour table, up to the trailer or the first
// block that cannot be walked. Empty when the first frame cannot be walked.
std::vector<FrameSpan> ListFrames(const uint8_t* data, size_t size, const Screen& screen);

// A standalone GIF holding just this frame: the header and global colour table, the
// frame's blocks and the trailer. The copy's logical screen is the frame's own size and
// its image sits at (0, 0), so that every loader yields exactly the frame's pixels and the
// player places them itself.
std::vector<uint8_t> CutFrame(const uint8_t* data, size_t size, const Screen& screen,
                              const FrameSpan& frame);

}  // namespace gif
