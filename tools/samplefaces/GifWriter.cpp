#include "GifWriter.h"

#include <algorithm>

namespace samples {
namespace {

void PutU16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

class BitPacker {
public:
    void Put(unsigned code, int bits) {
        m_acc |= static_cast<uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.push_back(static_cast<uint8_t>(m_acc & 0xFF));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    std::vector<uint8_t> Flush() {
        if (m_count > 0)
            m_bytes.push_back(static_cast<uint8_t>(m_acc & 0xFF));
        m_acc = 0;
        m_count = 0;
        return std::move(m_bytes);
    }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_acc = 0;
    int m_count = 0;
};

}  // namespace

int TableBits(size_t entries) {
    int bits = 1;
    while (bits < 8 && (size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

GifFrame SolidFrame(int left, int top, int width, int height, uint8_t index) {
    GifFrame f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), index);
    return f;
}

GifWriter::GifWriter(int width, int height, std::vector<Rgb> palette, int backgroundIndex) {
    m_out = {'G', 'I', 'F', '8', '9', 'a'};
    PutU16(m_out, width);
    PutU16(m_out, height);
    uint8_t flags = 0x70;  // 8 bits of colour resolution
    if (!palette.empty()) {
        m_globalBits = TableBits(palette.size());
        flags |= static_cast<uint8_t>(0x80 | (m_globalBits - 1));
    }
    m_out.push_back(flags);
    m_out.push_back(static_cast<uint8_t>(backgroundIndex));
    m_out.push_back(0);  // aspect ratio
    if (!palette.empty())
        PutTable(palette, m_globalBits);
}

void GifWriter::PutTable(const std::vector<Rgb>& table, int bits) {
    const size_t n = size_t{1} << bits;
    for (size_t i = 0; i < n; ++i) {
        const Rgb c = i < table.size() ? table[i] : Rgb{};
        m_out.insert(m_out.end(), {c.r, c.g, c.b});
    }
}

void GifWriter::AddLoop(int count) {
    m_out.insert(m_out.end(), {0x21, 0xFF, 0x0B});
    const char* id = "NETSCAPE2.0";
    m_out.insert(m_out.end(), id, id + 11);
    m_out.insert(m_out.end(), {0x03, 0x01});
    PutU16(m_out, count);
    m_out.push_back(0);
}

void GifWriter::AddComment(const std::string& text) {
    m_out.insert(m_out.end(), {0x21, 0xFE});
    PutSubBlocks(m_out, std::vector<uint8_t>(text.begin(), text.end()));
}

void GifWriter::AddFrame(const GifFrame& f) {
    if (f.control) {
        m_out.insert(m_out.end(), {0x21, 0xF9, 0x04});
        uint8_t flags = static_cast<uint8_t>((f.disposal & 7) << 2);
        if (f.transparent >= 0)
            flags |= 1;
        m_out.push_back(flags);
        PutU16(m_out, f.delay);
        m_out.push_back(static_cast<uint8_t>(std::max(f.transparent, 0)));
        m_out.push_back(0);
    }
    m_out.push_back(0x2C);
    PutU16(m_out, f.left);
    PutU16(m_out, f.top);
    PutU16(m_out, f.width);
    PutU16(m_out, f.height);
    int bits = m_globalBits;
    if (!f.localTable.empty()) {
        bits = TableBits(f.localTable.size());
        m_out.push_back(static_cast<uint8_t>(0x80 | (bits - 1)));
        PutTable(f.localTable, bits);
    } else {
        m_out.push_back(0);
    }
    const auto data = ImageData(f.pixels, std::max(bits, 1));
    m_out.insert(m_out.end(), data.begin(), data.end());
}

std::vector<uint8_t> GifWriter::Finish() {
    m_out.push_back(0x3B);
    return std::move(m_out);
}

// Every pixel is written as its own code. A clear code follows before the decoder's table
// would reach the next code width, so the width never changes.
std::vector<uint8_t> GifWriter::ImageData(const std::vector<uint8_t>& pixels, int colourBits) {
    const int minCode = std::max(2, colourBits);
    const unsigned clear = 1u << minCode;
    const int width = minCode + 1;
    const unsigned mask = clear - 1;
    const size_t run = clear - 2;
    BitPacker bits;
    size_t sinceClear = run;
    for (uint8_t p : pixels) {
        if (sinceClear == run) {
            bits.Put(clear, width);
            sinceClear = 0;
        }
        bits.Put(p & mask, width);
        ++sinceClear;
    }
    bits.Put(clear + 1, width);  // end of information
    std::vector<uint8_t> out{static_cast<uint8_t>(minCode)};
    PutSubBlocks(out, bits.Flush());
    return out;
}

void GifWriter::PutSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data) {
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                   data.begin() + static_cast<std::ptrdiff_t>(i + n));
    }
    out.push_back(0);
}

}  // namespace samples
