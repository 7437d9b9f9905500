// updserver: the reference update server for tests and for trying the updater by hand.
// Answers update queries (UDP commands 16 and 17) and serves files over HTTP/1.1, both on
// 127.0.0.1 only, and logs every request byte for byte.
//
//   updserver --config FILE [--ports FILE] [--log FILE] [--udp-port N] [--http-port N]
//
// Ports 0 (the default) pick free ones; --ports receives "udp=N" and "http=M" lines once
// both are bound. The configuration (ServerConfig.h) is read again for every request, so a
// test may change the answers while the server runs. Log lines: "udp <hex>" per datagram,
// "http <hex>" per request head.
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "Net.h"
#include "ServerConfig.h"

namespace {

struct Options {
    std::string config, ports, log;
    uint16_t udpPort = 0, httpPort = 0;
};

class Server {
public:
    Server(Options options, uint16_t httpPort) : m_options(std::move(options)), m_httpPort(httpPort) {}

    std::optional<updserver::Config> Load() {
        std::ifstream in(m_options.config, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::string error;
        auto config = updserver::ParseConfig(text.str(), m_httpPort, error);
        if (!config) std::fprintf(stderr, "updserver: %s: %s\n", m_options.config.c_str(), error.c_str());
        return config;
    }

    void Log(const char* kind, const std::string& hex) {
        if (m_options.log.empty()) return;
        std::lock_guard<std::mutex> hold(m_lock);
        std::ofstream out(m_options.log, std::ios::app | std::ios::binary);
        out << kind << ' ' << hex << '\n';
    }

    void OnDatagram(net::Sock udp) {
        uint8_t buffer[2048];
        net::Peer from;
        const int n = net::RecvFrom(udp, buffer, sizeof buffer, from);
        if (n <= 0) return;
        Log("udp", updserver::Hex(buffer, static_cast<size_t>(n)));
        const auto config = Load();
        if (n < 3 || !config) return;
        const auto it = config->replies.find(buffer[2]);
        if (it == config->replies.end() || it->second.empty()) return;  // silent
        net::SendTo(udp, it->second.data(), static_cast<int>(it->second.size()), from);
    }

    void Serve(net::Sock client) {
        std::string head;
        char buffer[1024];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
            const int n = net::Recv(client, buffer, sizeof buffer);
            if (n <= 0) break;
            head.append(buffer, static_cast<size_t>(n));
        }
        Log("http", updserver::Hex(reinterpret_cast<const uint8_t*>(head.data()), head.size()));
        const auto config = Load();
        const updserver::FileRoute* route = nullptr;
        if (config) {
            const auto it = config->files.find(updserver::RequestPath(head));
            if (it != config->files.end()) route = &it->second;
        }
        const std::string response = updserver::ResponseHead(route);
        bool ok = net::SendAll(client, response.data(), response.size());
        if (ok && route && (route->mode == "length" || route->mode == "nolength")) SendBody(client, *route);
        net::Close(client);
    }

private:
    void SendBody(net::Sock client, const updserver::FileRoute& route) {
        updserver::Bytes body = route.body;
        if (route.cut && *route.cut < body.size()) body.resize(*route.cut);
        for (size_t i = 0; i < route.extra; ++i) body.push_back(updserver::FileByte(route.body.size() + i));
        const size_t block = route.slowMs > 0 ? 1024 : body.size();
        for (size_t at = 0; at < body.size(); at += block) {
            if (!net::SendAll(client, body.data() + at, std::min(block, body.size() - at))) return;
            if (route.slowMs > 0) net::SleepMs(route.slowMs);
        }
    }

    Options m_options;
    uint16_t m_httpPort;
    std::mutex m_lock;
};

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--config") o.config = value;
        else if (key == "--ports") o.ports = value;
        else if (key == "--log") o.log = value;
        else if (key == "--udp-port") o.udpPort = static_cast<uint16_t>(std::stoi(value));
        else if (key == "--http-port") o.httpPort = static_cast<uint16_t>(std::stoi(value));
        else return false;
    }
    return !o.config.empty() && argc % 2 == 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        std::fputs("usage: updserver --config FILE [--ports FILE] [--log FILE] [--udp-port N] [--http-port N]\n", stderr);
        return 2;
    }
    if (!net::Start()) return 1;
    uint16_t udpPort = 0, httpPort = 0;
    const net::Sock udp = net::UdpBind(options.udpPort, udpPort);
    const net::Sock http = net::TcpListen(options.httpPort, httpPort);
    if (udp == net::kNoSock || http == net::kNoSock) {
        std::fputs("updserver: cannot bind on 127.0.0.1\n", stderr);
        return 1;
    }
    Server server(options, httpPort);
    if (!server.Load()) return 1;
    if (!options.ports.empty()) {
        const std::string tmp = options.ports + ".tmp";
        { std::ofstream(tmp) << "udp=" << udpPort << "\nhttp=" << httpPort << "\n"; }
        std::rename(tmp.c_str(), options.ports.c_str());  // readers never see half a file
    }
    std::printf("updserver: udp %u, http %u on 127.0.0.1\n", udpPort, httpPort);
    std::fflush(stdout);
    for (;;) {
        const int ready = net::WaitReadable(udp, http, 1000);
        if (ready < 0) break;
        if (ready & 1) server.OnDatagram(udp);
        if (ready & 2) {
            const net::Sock client = net::Accept(http);
            if (client != net::kNoSock) std::thread([&server, client] { server.Serve(client); }).detach();
        }
    }
    return 1;
}
