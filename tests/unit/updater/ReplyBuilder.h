// Builds update-server replies field by field.
#pragma once
#include <string>

#include "UpdateProtocol.h"

struct ReplyBuilder {
    update::Bytes b;
    explicit ReplyBuilder(uint8_t command = 16) : b{2, 10, command, 0, 0} {}
    ReplyBuilder& U8(unsigned v) { b.push_back(static_cast<uint8_t>(v)); return *this; }
    ReplyBuilder& Le16(unsigned v) { U8(v & 0xFF); return U8(v >> 8); }
    ReplyBuilder& Text(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); return *this; }
    ReplyBuilder& Sized(const std::string& s) { Le16(static_cast<unsigned>(s.size())); return Text(s); }
    update::Bytes Done() const {
        update::Bytes out = b;
        out.push_back(3);
        out[3] = static_cast<uint8_t>(out.size() >> 8);
        out[4] = static_cast<uint8_t>(out.size());
        return out;
    }
};
