#include "ServerConfig.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace updserver {
namespace {

using Fields = std::map<std::string, std::string>;

void Le16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Sized8(Bytes& b, const std::string& s) {
    b.push_back(static_cast<uint8_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

void Sized16(Bytes& b, const std::string& s) {
    Le16(b, static_cast<unsigned>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

unsigned Num(const Fields& f, const char* key, unsigned fallback = 0) {
    const auto it = f.find(key);
    return it == f.end() ? fallback : static_cast<unsigned>(std::stoul(it->second, nullptr, 0));
}

std::string Str(const Fields& f, const char* key) {
    const auto it = f.find(key);
    return it == f.end() ? std::string() : it->second;
}

Bytes Framed(int command, const Bytes& body) {
    Bytes b(5 + body.size());
    b[0] = 2;
    b[1] = 10;
    b[2] = static_cast<uint8_t>(command);
    std::copy(body.begin(), body.end(), b.begin() + 5);
    b.push_back(3);
    b[3] = static_cast<uint8_t>(b.size() >> 8);
    b[4] = static_cast<uint8_t>(b.size());
    return b;
}

Bytes FromHex(const std::string& hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

struct Reply {
    Fields head;
    std::vector<Fields> items;
};

Bytes BuildReply(int command, const Reply& r) {
    Bytes body;
    body.push_back(static_cast<uint8_t>(Num(r.head, "status")));
    if (command == 16) Le16(body, Num(r.head, "newest"));
    else Le16(body, 0);
    Le16(body, Num(r.head, "interval"));
    Sized8(body, Str(r.head, "base"));
    body.push_back(static_cast<uint8_t>(r.items.size()));
    for (const Fields& item : r.items) {
        if (command == 16) {
            Le16(body, Num(item, "version"));
            Le16(body, Num(item, "size"));
            Sized16(body, Str(item, "url"));
            Sized16(body, Str(item, "params"));
            body.push_back(static_cast<uint8_t>(Num(item, "dir")));
            body.push_back(static_cast<uint8_t>(Num(item, "action")));
        } else {
            Le16(body, Num(item, "tag"));
            Sized16(body, Str(item, "name"));
            Sized16(body, Str(item, "url"));
        }
    }
    return Framed(command, body);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

std::string PercentDecode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Hex(const uint8_t* data, size_t size) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

std::optional<Config> ParseConfig(const std::string& text, uint16_t httpPort, std::string& error) {
    Config config;
    std::map<int, Reply> replies;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    try {
        while (std::getline(lines, line)) {
            ++number;
            std::istringstream words(line);
            std::string directive, word, path;
            if (!(words >> directive) || directive[0] == '#') continue;
            if (directive == "file" && !(words >> path)) throw std::runtime_error("file needs a path");
            Fields f;
            while (words >> word) {
                const size_t eq = word.find('=');
                std::string value = eq == std::string::npos ? "" : PercentDecode(word.substr(eq + 1));
                for (size_t at; (at = value.find("{http}")) != std::string::npos;) value.replace(at, 6, std::to_string(httpPort));
                f[word.substr(0, eq)] = value;
            }
            if (directive == "udp16" || directive == "udp17") {
                replies[directive == "udp16" ? 16 : 17].head = f;
            } else if (directive == "item16" || directive == "item17") {
                replies[directive == "item16" ? 16 : 17].items.push_back(f);
            } else if (directive == "raw16" || directive == "raw17") {
                config.replies[directive == "raw16" ? 16 : 17] = FromHex(Str(f, "hex"));
            } else if (directive == "silent16" || directive == "silent17") {
                config.replies[directive == "silent16" ? 16 : 17] = Bytes();
            } else if (directive == "file") {
                FileRoute r;
                if (f.count("mode")) r.mode = f["mode"];
                if (f.count("src")) {
                    const std::string data = ReadWhole(f["src"]);
                    r.body.assign(data.begin(), data.end());
                }
                for (size_t i = 0, n = Num(f, "size"); i < n; ++i) r.body.push_back(FileByte(i));
                r.slowMs = static_cast<int>(Num(f, "slow"));
                if (f.count("cut")) r.cut = Num(f, "cut");
                r.extra = Num(f, "extra");
                config.files[path] = std::move(r);
            } else {
                throw std::runtime_error("unknown directive " + directive);
            }
        }
    } catch (const std::exception& e) {
        error = "line " + std::to_string(number) + ": " + e.what();
        return std::nullopt;
    }
    for (int command : {16, 17}) {
        if (config.replies.count(command)) continue;  // raw or silent wins
        config.replies[command] = BuildReply(command, replies.count(command) ? replies[command] : Reply{});
    }
    return config;
}

std::string ResponseHead(const FileRoute* route) {
    if (!route || route->mode == "404")
        return "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found";
    if (route->mode == "garbage") return "\x01\x02 this is no HTTP at all \xff\r\n\r\n";
    std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
    if (route->mode != "nolength") head += "Content-Length: " + std::to_string(route->body.size()) + "\r\n";
    return head + "\r\n";
}

std::string RequestPath(const std::string& head) {
    if (head.rfind("GET ", 0) != 0) return {};
    const size_t end = head.find(' ', 4);
    if (end == std::string::npos) return {};
    std::string path = head.substr(4, end - 4);
    const size_t q = path.find('?');
    return q == std::string::npos ? path : path.substr(0, q);
}

}  // namespace updserver
