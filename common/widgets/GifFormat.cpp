#include "GifFormat.h"

#include <cstring>

namespace gif {
namespace {

constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kApplication = 0xFF;
constexpr uint8_t kComment = 0xFE;
constexpr uint8_t kControl = 0xF9;
constexpr uint8_t kPlainText = 0x01;
constexpr size_t kControlBytes = 8;
constexpr size_t kDescriptorBytes = 10;

int ReadU16(const uint8_t* p) { return p[0] | (p[1] << 8); }

void WriteU16(uint8_t* p, int v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

size_t ColourTableBytes(uint8_t flags) {
    return (flags & 0x80) ? 3u * (2u << (flags & 0x07)) : 0u;
}

}  // namespace

bool HasGifSignature(const uint8_t* data, size_t size) {
    if (!data || size < 6 || std::memcmp(data, "GIF", 3) != 0)
        return false;
    return std::memcmp(data + 3, "87a", 3) == 0 || std::memcmp(data + 3, "89a", 3) == 0;
}

std::optional<Screen> ReadScreen(const uint8_t* data, size_t size) {
    if (!HasGifSignature(data, size) || size < kScreenBytes)
        return std::nullopt;
    Screen s;
    s.width = ReadU16(data + 6);
    s.height = ReadU16(data + 8);
    s.globalTableBytes = ColourTableBytes(data[10]);
    s.backgroundIndex = data[11];
    if (s.globalTableBytes > size - kScreenBytes)
        return std::nullopt;
    // A background index beyond a small table names no colour: keep white.
    const size_t entry = 3u * s.backgroundIndex;
    if (s.globalTableBytes && entry + 3 <= s.globalTableBytes) {
        const uint8_t* rgb = data + kScreenBytes + entry;
        s.backgroundColor = rgb[0] | (rgb[1] << 8) | (static_cast<uint32_t>(rgb[2]) << 16);
    }
    return s;
}

BlockWalker::BlockWalker(const uint8_t* data, size_t size, size_t start)
    : m_data(data), m_size(data ? size : 0), m_pos(start) {}

std::optional<size_t> BlockWalker::SubBlocksEnd(size_t pos) const {
    while (pos < m_size) {
        const size_t len = m_data[pos++];
        if (len == 0)
            return pos;
        if (len > m_size - pos)
            return std::nullopt;
        pos += len;
    }
    return std::nullopt;
}

// Length of the block at pos including its sub-blocks, or nothing when it is unknown
// or reaches past the end of the data.
std::optional<size_t> BlockWalker::BlockLength(size_t pos) const {
    const size_t left = m_size - pos;
    const uint8_t kind = m_data[pos];
    if (kind == kTrailer)
        return 1;
    size_t head = 0;
    if (kind == kImage) {
        if (left < kDescriptorBytes + 1)
            return std::nullopt;
        const size_t table = ColourTableBytes(m_data[pos + 9]);
        if (table > left - kDescriptorBytes - 1)
            return std::nullopt;
        head = kDescriptorBytes + table + 1;  // + the LZW minimum code size
    } else if (kind == kExtension) {
        if (left < 2)
            return std::nullopt;
        switch (m_data[pos + 1]) {
        case kControl:
            if (left < kControlBytes)
                return std::nullopt;
            return kControlBytes;
        case kApplication: head = 14; break;
        case kComment: head = 2; break;
        case kPlainText: head = 15; break;
        default: return std::nullopt;
        }
        if (head > left)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const auto end = SubBlocksEnd(pos + head);
    if (!end)
        return std::nullopt;
    return *end - pos;
}

std::optional<FrameSpan> BlockWalker::NextFrame() {
    FrameSpan frame;
    bool controlled = false;
    while (!m_done && m_pos < m_size) {
        const size_t pos = m_pos;
        const auto len = BlockLength(pos);
        if (!len) {
            Fail();
            return std::nullopt;
        }
        const uint8_t kind = m_data[pos];
        if (kind == kTrailer) {
            m_done = true;
            return std::nullopt;
        }
        m_pos = pos + *len;
        if (kind == kExtension && m_data[pos + 1] == kControl) {
            // A second control extension before the image replaces the first, as in
            // decoders: the frame then starts at the one that applies.
            controlled = true;
            frame.begin = pos;
            frame.disposal = (m_data[pos + 3] >> 2) & 0x07;
            frame.delay = ReadU16(m_data + pos + 4);
        } else if (kind == kImage) {
            frame.image = pos;
            if (!controlled)
                frame.begin = pos;
            frame.end = m_pos;
            frame.left = ReadU16(m_data + pos + 1);
            frame.top = ReadU16(m_data + pos + 3);
            frame.width = ReadU16(m_data + pos + 5);
            frame.height = ReadU16(m_data + pos + 7);
            return frame;
        }
        // Application, comment and plain-text blocks before a control extension are
        // skipped (so a loop count is ignored); after one they travel with the frame.
    }
    if (!m_done)
        Fail();  // ran off the end without a trailer
    return std::nullopt;
}

std::vector<FrameSpan> ListFrames(const uint8_t* data, size_t size, const Screen& screen) {
    std::vector<FrameSpan> frames;
    BlockWalker walker(data, size, kScreenBytes + screen.globalTableBytes);
    while (auto frame = walker.NextFrame())
        frames.push_back(*frame);
    return frames;
}

std::vector<uint8_t> CutFrame(const uint8_t* data, size_t size, const Screen& screen,
                              const FrameSpan& frame) {
    const size_t head = kScreenBytes + screen.globalTableBytes;
    if (head > size || frame.begin < head || frame.begin > frame.image ||
        frame.image + kDescriptorBytes > frame.end || frame.end > size)
        return {};
    std::vector<uint8_t> out;
    out.reserve(head + (frame.end - frame.begin) + 1);
    out.insert(out.end(), data, data + head);
    out.insert(out.end(), data + frame.begin, data + frame.end);
    out.push_back(kTrailer);
    WriteU16(&out[6], frame.width);
    WriteU16(&out[8], frame.height);
    const size_t image = head + (frame.image - frame.begin);
    WriteU16(&out[image + 1], 0);
    WriteU16(&out[image + 3], 0);
    return out;
}

}  // namespace gif
