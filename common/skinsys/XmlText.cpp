// Encoding stage of the XML reader: UTF-16 and UTF-8 input to clean UTF-8.
#include "XmlReader.h"

#include "text/Utf.h"

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

void AppendUtf8(std::string& out, std::uint32_t cp) {
    // A NUL would end the text early for callers that treat it as a C string.
    text::AppendUtf8(out, cp == 0 ? text::kReplacement : static_cast<char32_t>(cp));
}

std::string Utf16ToUtf8(const unsigned char* bytes, std::size_t count, bool bigEndian) {
    std::string out;
    out.reserve(count + count / 2);
    auto unitAt = [&](std::size_t i) -> std::uint32_t {
        return bigEndian ? (std::uint32_t(bytes[i]) << 8) | bytes[i + 1]
                         : (std::uint32_t(bytes[i + 1]) << 8) | bytes[i];
    };
    std::size_t i = 0;
    // An odd trailing byte is not a character: it is dropped.
    while (i + 1 < count) {
        std::uint32_t u = unitAt(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count) {
            std::uint32_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        if (u == 0) {  // keep the NUL so that the text ends there, as in 8-bit input
            out += '\0';
            continue;
        }
        AppendUtf8(out, u);  // lone surrogates become U+FFFD
    }
    return out;
}

std::string SanitizeUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    std::size_t i = 0;
    const std::size_t n = in.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t len = 0;
        std::uint32_t cp = 0, min = 0;
        if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
        bool ok = len != 0 && i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(in[i + k]);
            if (!IsContinuation(cc)) ok = false;
            else cp = (cp << 6) | (cc & 0x3F);
        }
        if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok) {
            out.append(in.data() + i, len);
            i += len;
        } else {
            // One replacement per bad lead byte; the scan resumes at the next byte.
            AppendUtf8(out, kReplacement);
            ++i;
        }
    }
    return out;
}
