// MD5 message digest (RFC 1321) and the face digest text built from it: the key of a
// face in every table of the library.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Md5 {
public:
    Md5();
    void Update(const void* data, size_t size);
    std::array<uint8_t, 16> Finish();

private:
    void Block(const uint8_t* p);

    uint32_t m_state[4];
    uint64_t m_bytes = 0;
    uint8_t m_pending[64];
    size_t m_pendingSize = 0;
};

// 32 lower-case hexadecimal characters of the MD5 digest of `size` bytes.
std::string FaceDigestText(const void* data, size_t size);
