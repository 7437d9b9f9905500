#include "Md5.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613,
    0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193,
    0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d,
    0x02441453, 0xd8a1e681, 0xe7d3fbc8, 0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed,
    0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122,
    0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665, 0xf4292244,
    0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb,
    0xeb86d391};
uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Md5::Md5() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

// One round step: a = b + rotl(a + f + k + w, s).
#define MD5_STEP(f, a, b, c, d, w, k, s) \
    a += f(b, c, d) + (w) + (k);         \
    a = Rotl(a, s) + b

#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

void Md5::Block(const uint8_t* p) {
    uint32_t w[16];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t(p[i * 4]) | uint32_t(p[i * 4 + 1]) << 8 | uint32_t(p[i * 4 + 2]) << 16 |
               uint32_t(p[i * 4 + 3]) << 24;
    uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 16; i += 4) {
        MD5_STEP(MD5_F, a, b, c, d, w[i], kSine[i], 7);
        MD5_STEP(MD5_F, d, a, b, c, w[i + 1], kSine[i + 1], 12);
        MD5_STEP(MD5_F, c, d, a, b, w[i + 2], kSine[i + 2], 17);
        MD5_STEP(MD5_F, b, c, d, a, w[i + 3], kSine[i + 3], 22);
    }
    for (int i = 16; i < 32; i += 4) {
        MD5_STEP(MD5_G, a, b, c, d, w[(5 * i + 1) % 16], kSine[i], 5);
        MD5_STEP(MD5_G, d, a, b, c, w[(5 * i + 6) % 16], kSine[i + 1], 9);
        MD5_STEP(MD5_G, c, d, a, b, w[(5 * i + 11) % 16], kSine[i + 2], 14);
        MD5_STEP(MD5_G, b, c, d, a, w[(5 * i + 16) % 16], kSine[i + 3], 20);
    }
    for (int i = 32; i < 48; i += 4) {
        MD5_STEP(MD5_H, a, b, c, d, w[(3 * i + 5) % 16], kSine[i], 4);
        MD5_STEP(MD5_H, d, a, b, c, w[(3 * i + 8) % 16], kSine[i + 1], 11);
        MD5_STEP(MD5_H, c, d, a, b, w[(3 * i + 11) % 16], kSine[i + 2], 16);
        MD5_STEP(MD5_H, b, c, d, a, w[(3 * i + 14) % 16], kSine[i + 3], 23);
    }
    for (int i = 48; i < 64; i += 4) {
        MD5_STEP(MD5_I, a, b, c, d, w[(7 * i) % 16], kSine[i], 6);
        MD5_STEP(MD5_I, d, a, b, c, w[(7 * i + 7) % 16], kSine[i + 1], 10);
        MD5_STEP(MD5_I, c, d, a, b, w[(7 * i + 14) % 16], kSine[i + 2], 15);
        MD5_STEP(MD5_I, b, c, d, a, w[(7 * i + 21) % 16], kSine[i + 3], 21);
    }
    m_state[0] += a; m_state[1] += b; m_state[2] += c; m_state[3] += d;
}

#undef MD5_STEP
#undef MD5_F
#undef MD5_G
#undef MD5_H
#undef MD5_I

void Md5::Update(const void* data, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    m_bytes += size;
    if (m_pendingSize > 0) {
        size_t take = std::min(size, 64 - m_pendingSize);
        std::memcpy(m_pending + m_pendingSize, p, take);
        m_pendingSize += take; p += take; size -= take;
        if (m_pendingSize < 64) return;
        Block(m_pending);
        m_pendingSize = 0;
    }
    for (; size >= 64; p += 64, size -= 64) Block(p);
    std::memcpy(m_pending, p, size);
    m_pendingSize = size;
}

std::array<uint8_t, 16> Md5::Finish() {
    uint64_t bits = m_bytes * 8;
    uint8_t pad[72] = {0x80};
    size_t padSize = (m_pendingSize < 56 ? 56 : 120) - m_pendingSize;
    for (int i = 0; i < 8; ++i) pad[padSize + i] = static_cast<uint8_t>(bits >> (8 * i));
    Update(pad, padSize + 8);
    std::array<uint8_t, 16> out;
    for (int i = 0; i < 16; ++i) out[i] = static_cast<uint8_t>(m_state[i / 4] >> (8 * (i % 4)));
    return out;
}

std::string FaceDigestText(const void* data, size_t size) {
    Md5 md5;
    md5.Update(data, size);
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (uint8_t b : md5.Finish()) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}
