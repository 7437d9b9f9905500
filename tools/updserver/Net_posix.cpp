#include "Net.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <thread>

namespace net {
namespace {

Sock Bound(int type, uint16_t port, uint16_t& bound) {
    const int s = socket(AF_INET, type, 0);
    if (s < 0) return kNoSock;
    const int yes = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        close(s);
        return kNoSock;
    }
    bound = ntohs(a.sin_port);
    return s;
}

}  // namespace

bool Start() {
    std::signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the server
    return true;
}

Sock UdpBind(uint16_t port, uint16_t& bound) { return Bound(SOCK_DGRAM, port, bound); }

Sock TcpListen(uint16_t port, uint16_t& bound) {
    const Sock s = Bound(SOCK_STREAM, port, bound);
    if (s != kNoSock && listen(static_cast<int>(s), 16) != 0) {
        close(static_cast<int>(s));
        return kNoSock;
    }
    return s;
}

Sock Accept(Sock listener) {
    const int s = accept(static_cast<int>(listener), nullptr, nullptr);
    return s < 0 ? kNoSock : s;
}

int WaitReadable(Sock a, Sock b, int timeoutMs) {
    pollfd fds[2] = {{static_cast<int>(a), POLLIN, 0}, {static_cast<int>(b), POLLIN, 0}};
    const int n = poll(fds, 2, timeoutMs);
    if (n <= 0) return n;
    return (fds[0].revents ? 1 : 0) | (fds[1].revents ? 2 : 0);
}

int RecvFrom(Sock s, void* buffer, int size, Peer& from) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    const auto n = recvfrom(static_cast<int>(s), buffer, static_cast<size_t>(size), 0, reinterpret_cast<sockaddr*>(&a), &len);
    from.addr = a.sin_addr.s_addr;
    from.port = a.sin_port;
    return static_cast<int>(n);
}

bool SendTo(Sock s, const void* data, int size, const Peer& to) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = to.addr;
    a.sin_port = to.port;
    return sendto(static_cast<int>(s), data, static_cast<size_t>(size), 0, reinterpret_cast<sockaddr*>(&a), sizeof a) == size;
}

int Recv(Sock s, void* buffer, int size) { return static_cast<int>(recv(static_cast<int>(s), buffer, static_cast<size_t>(size), 0)); }

bool SendAll(Sock s, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const auto n = send(static_cast<int>(s), p, size, 0);
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void Close(Sock s) {
    if (s != kNoSock) close(static_cast<int>(s));
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace net
