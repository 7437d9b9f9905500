#include "JpegWriter.h"

#include <algorithm>
#include <cmath>

namespace samples {
namespace {

constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr int kLuma[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                           14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                           18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                           49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

// Quality 90 of the usual scaling; chroma uses the same table, which costs a few bytes.
int Quant(int i) { return std::max(1, (kLuma[i] * 20 + 50) / 100); }

// Huffman tables written into the file: every DC size at 4 bits, and every AC run/size
// pair at 8 bits in value order. Valid canonical codes, no statistics needed.
std::vector<uint8_t> AcSymbols() {
    std::vector<uint8_t> s{0x00, 0xF0};
    for (int run = 0; run < 16; ++run)
        for (int size = 1; size <= 10; ++size)
            s.push_back(static_cast<uint8_t>(run << 4 | size));
    std::sort(s.begin(), s.end());
    return s;
}

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void Put(uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_acc = static_cast<uint8_t>(m_acc << 1 | ((bits >> i) & 1));
            if (++m_count == 8)
                Emit();
        }
    }
    void Flush() {
        while (m_count != 0)
            Put(1, 1);
    }

private:
    void Emit() {
        m_out.push_back(m_acc);
        if (m_acc == 0xFF)
            m_out.push_back(0);  // byte stuffing
        m_acc = 0;
        m_count = 0;
    }
    std::vector<uint8_t>& m_out;
    uint8_t m_acc = 0;
    int m_count = 0;
};

int SizeOf(int v) {
    v = std::abs(v);
    int s = 0;
    while (v) {
        ++s;
        v >>= 1;
    }
    return s;
}

void PutValue(BitWriter& bw, int v, int size) {
    if (size == 0)
        return;
    const int bits = v < 0 ? v + (1 << size) - 1 : v;
    bw.Put(static_cast<uint32_t>(bits), size);
}

class Encoder {
public:
    Encoder() {
        const auto ac = AcSymbols();
        for (size_t i = 0; i < ac.size(); ++i)
            m_acCode[ac[i]] = static_cast<int>(i);
    }

    void Block(BitWriter& bw, const float* samples, int& previousDc) {
        int q[64];
        Transform(samples, q);
        const int diff = q[0] - previousDc;
        previousDc = q[0];
        const int dcSize = SizeOf(diff);
        bw.Put(static_cast<uint32_t>(dcSize), 4);
        PutValue(bw, diff, dcSize);
        int run = 0;
        for (int k = 1; k < 64; ++k) {
            const int v = q[kZigzag[k]];
            if (v == 0) {
                ++run;
                continue;
            }
            while (run > 15) {
                bw.Put(static_cast<uint32_t>(m_acCode[0xF0]), 8);
                run -= 16;
            }
            const int size = std::min(SizeOf(v), 10);
            bw.Put(static_cast<uint32_t>(m_acCode[run << 4 | size]), 8);
            PutValue(bw, v, size);
            run = 0;
        }
        if (run > 0)
            bw.Put(static_cast<uint32_t>(m_acCode[0x00]), 8);
    }

private:
    static void Transform(const float* s, int* out) {
        const double pi = 3.14159265358979323846;
        for (int v = 0; v < 8; ++v) {
            for (int u = 0; u < 8; ++u) {
                double sum = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        sum += s[y * 8 + x] * std::cos((2 * x + 1) * u * pi / 16) *
                               std::cos((2 * y + 1) * v * pi / 16);
                const double cu = u ? 1.0 : 1.0 / std::sqrt(2.0);
                const double cv = v ? 1.0 : 1.0 / std::sqrt(2.0);
                const double coeff = 0.25 * cu * cv * sum;
                const int i = v * 8 + u;
                const int value = static_cast<int>(std::lround(coeff / Quant(i)));
                out[i] = std::max(-1023, std::min(1023, value));
            }
        }
    }
    int m_acCode[256] = {};
};

void Marker(std::vector<uint8_t>& out, uint8_t m, const std::vector<uint8_t>& body) {
    out.insert(out.end(), {0xFF, m});
    const size_t len = body.size() + 2;
    out.push_back(static_cast<uint8_t>(len >> 8));
    out.push_back(static_cast<uint8_t>(len & 0xFF));
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<uint8_t> HuffmanTable(uint8_t id, int length, const std::vector<uint8_t>& symbols) {
    std::vector<uint8_t> body{id};
    for (int l = 1; l <= 16; ++l)
        body.push_back(l == length ? static_cast<uint8_t>(symbols.size()) : 0);
    body.insert(body.end(), symbols.begin(), symbols.end());
    return body;
}

}  // namespace

std::vector<uint8_t> WriteJpeg(int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
        return {};
    std::vector<uint8_t> out{0xFF, 0xD8};
    Marker(out, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    std::vector<uint8_t> dqt{0};
    for (int k = 0; k < 64; ++k)
        dqt.push_back(static_cast<uint8_t>(Quant(kZigzag[k])));
    Marker(out, 0xDB, dqt);
    const auto w = static_cast<uint8_t>(width >> 8), wl = static_cast<uint8_t>(width & 0xFF);
    const auto h = static_cast<uint8_t>(height >> 8), hl = static_cast<uint8_t>(height & 0xFF);
    Marker(out, 0xC0, {8, h, hl, w, wl, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0});
    std::vector<uint8_t> dc;
    for (uint8_t i = 0; i < 12; ++i)
        dc.push_back(i);
    Marker(out, 0xC4, HuffmanTable(0x00, 4, dc));
    Marker(out, 0xC4, HuffmanTable(0x10, 8, AcSymbols()));
    Marker(out, 0xDA, {3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0});

    Encoder enc;
    BitWriter bw(out);
    int previous[3] = {0, 0, 0};
    float block[3][64];
    for (int by = 0; by < height; by += 8) {
        for (int bx = 0; bx < width; bx += 8) {
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    // Edge blocks repeat the last row and column.
                    const int px = std::min(bx + x, width - 1), py = std::min(by + y, height - 1);
                    const size_t p = (static_cast<size_t>(py) * static_cast<size_t>(width) +
                                      static_cast<size_t>(px)) * 3;
                    const float r = rgb[p], g = rgb[p + 1], b = rgb[p + 2];
                    block[0][y * 8 + x] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
                    block[1][y * 8 + x] = -0.168736f * r - 0.331264f * g + 0.5f * b;
                    block[2][y * 8 + x] = 0.5f * r - 0.418688f * g - 0.081312f * b;
                }
            }
            for (int c = 0; c < 3; ++c)
                enc.Block(bw, block[c], previous[c]);
        }
    }
    bw.Flush();
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

}  // namespace samples
