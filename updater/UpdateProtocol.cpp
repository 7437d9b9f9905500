#include "UpdateProtocol.h"

#include <algorithm>

namespace update {
namespace {

void PutFrame(Bytes& out, uint8_t command) {
    const size_t size = out.size();
    out[0] = 2;
    out[1] = 10;
    out[2] = command;
    out[3] = static_cast<uint8_t>(size >> 8);  // the one big-endian field
    out[4] = static_cast<uint8_t>(size);
    out[size - 1] = 3;
}

void PutLe16(Bytes& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

// A CID longer than its field is cut: the field has no room for more.
void PutText(Bytes& out, size_t at, size_t field, const std::string& text) {
    std::copy_n(text.begin(), std::min(field, text.size()), out.begin() + static_cast<long>(at));
}

// Reads forward through a received datagram; any read past its end fails the reader.
class Reader {
public:
    Reader(const Bytes& data, size_t at) : m_data(data), m_at(at) {
        m_end = std::min(data.size(), kMaxDatagram);
        m_ok = m_at <= m_end;
    }
    bool Ok() const { return m_ok; }
    uint8_t U8() {
        if (!Need(1)) return 0;
        return m_data[m_at++];
    }
    uint16_t Le16() {
        if (!Need(2)) return 0;
        const uint16_t v = static_cast<uint16_t>(m_data[m_at] | m_data[m_at + 1] << 8);
        m_at += 2;
        return v;
    }
    std::string Text(size_t length) {
        if (!Need(length)) return {};
        std::string s(m_data.begin() + static_cast<long>(m_at), m_data.begin() + static_cast<long>(m_at + length));
        m_at += length;
        return s;
    }
    void Skip(size_t n) {
        if (Need(n)) m_at += n;
    }

private:
    bool Need(size_t n) {
        if (!m_ok || m_end - m_at < n) m_ok = false;
        return m_ok;
    }
    const Bytes& m_data;
    size_t m_at, m_end;
    bool m_ok = true;
};

bool CheckCommand(const Bytes& d, uint8_t command, ReplyError* error) {
    if (d.size() >= 3 && d[1] == 10 && d[2] == command) return true;
    if (error) *error = ReplyError::WrongCommand;
    return false;
}

template <class T>
std::optional<T> Fail(ReplyError* error) {
    if (error) *error = ReplyError::Malformed;
    return std::nullopt;
}

// Base URL: a length byte and at most kMaxUrl bytes.
bool ReadBase(Reader& r, std::string& base) {
    const size_t n = r.U8();
    if (n > kMaxUrl) return false;
    base = r.Text(n);
    return r.Ok();
}

bool UrlFits(const std::string& url) { return !url.empty() && url.size() <= kMaxUrl; }

}  // namespace

Bytes BuildProgramRequest(const std::string& cid, uint32_t appVer) {
    Bytes out(kProgramRequestSize, 0);
    PutFrame(out, kCmdProgram);
    PutText(out, 5, 40, cid);
    PutLe16(out, 51, appVer);
    return out;
}

Bytes BuildFaceRequest(const std::string& cid, uint32_t appVer, const std::vector<uint16_t>& ids) {
    const size_t k = std::min(ids.size(), kMaxPackIds);
    Bytes out(kFaceRequestBase + 2 * k, 0);
    PutFrame(out, kCmdFaces);
    PutText(out, 5, 41, cid);
    PutLe16(out, 46, appVer);
    PutLe16(out, 48, static_cast<uint32_t>(k));
    for (size_t i = 0; i < k; ++i) PutLe16(out, 50 + 2 * i, ids[i]);
    return out;
}

std::string FullUrl(const std::string& base, const std::string& url) {
    return url.find("://") != std::string::npos ? url : base + url;
}

std::optional<ProgramReply> ParseProgramReply(const Bytes& d, ReplyError* error) {
    if (error) *error = ReplyError::None;
    if (!CheckCommand(d, kCmdProgram, error)) return std::nullopt;
    Reader r(d, 5);
    ProgramReply reply;
    reply.status = r.U8();
    reply.newest = r.Le16();
    reply.interval = r.Le16();
    if (!r.Ok()) return Fail<ProgramReply>(error);
    if (reply.status != 1) return reply;
    if (!ReadBase(r, reply.baseUrl)) return Fail<ProgramReply>(error);
    const size_t count = r.U8();
    for (size_t i = 0; i < count && r.Ok(); ++i) {
        ProgramItem item;
        item.version = r.Le16();
        item.sizeField = r.Le16();
        item.url = FullUrl(reply.baseUrl, r.Text(r.Le16()));
        item.params = r.Text(r.Le16());
        item.dirCode = r.U8();
        item.action = r.U8();
        if (r.Ok() && !UrlFits(item.url)) return Fail<ProgramReply>(error);
        reply.items.push_back(std::move(item));
    }
    if (!r.Ok()) return Fail<ProgramReply>(error);
    return reply;
}

std::optional<FaceReply> ParseFaceReply(const Bytes& d, ReplyError* error) {
    if (error) *error = ReplyError::None;
    if (!CheckCommand(d, kCmdFaces, error)) return std::nullopt;
    Reader r(d, 5);
    FaceReply reply;
    reply.status = r.U8();
    r.Skip(2);
    reply.interval = r.Le16();
    if (!r.Ok()) return Fail<FaceReply>(error);
    if (reply.status != 1) return reply;
    if (!ReadBase(r, reply.baseUrl)) return Fail<FaceReply>(error);
    const size_t count = r.U8();
    for (size_t i = 0; i < count && r.Ok(); ++i) {
        PackItem item;
        r.Skip(2);
        item.name = r.Text(r.Le16());
        item.url = FullUrl(reply.baseUrl, r.Text(r.Le16()));
        if (r.Ok() && !UrlFits(item.url)) return Fail<FaceReply>(error);
        reply.items.push_back(std::move(item));
    }
    if (!r.Ok()) return Fail<FaceReply>(error);
    return reply;
}

}  // namespace update
