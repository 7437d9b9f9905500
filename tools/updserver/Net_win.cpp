#include <winsock2.h>

#include "Net.h"

namespace net {
namespace {

SOCKET S(Sock s) { return static_cast<SOCKET>(s); }

Sock Bound(int type, uint16_t port, uint16_t& bound) {
    const SOCKET s = socket(AF_INET, type, 0);
    if (s == INVALID_SOCKET) return kNoSock;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof a;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        closesocket(s);
        return kNoSock;
    }
    bound = ntohs(a.sin_port);
    return static_cast<Sock>(s);
}

}  // namespace

bool Start() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Sock UdpBind(uint16_t port, uint16_t& bound) { return Bound(SOCK_DGRAM, port, bound); }

Sock TcpListen(uint16_t port, uint16_t& bound) {
    const Sock s = Bound(SOCK_STREAM, port, bound);
    if (s != kNoSock && listen(S(s), 16) != 0) {
        closesocket(S(s));
        return kNoSock;
    }
    return s;
}

Sock Accept(Sock listener) {
    const SOCKET s = accept(S(listener), nullptr, nullptr);
    return s == INVALID_SOCKET ? kNoSock : static_cast<Sock>(s);
}

int WaitReadable(Sock a, Sock b, int timeoutMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(S(a), &set);
    FD_SET(S(b), &set);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int n = select(0, &set, nullptr, nullptr, &tv);
    if (n <= 0) return n;
    return (FD_ISSET(S(a), &set) ? 1 : 0) | (FD_ISSET(S(b), &set) ? 2 : 0);
}

int RecvFrom(Sock s, void* buffer, int size, Peer& from) {
    sockaddr_in a{};
    int len = sizeof a;
    const int n = recvfrom(S(s), static_cast<char*>(buffer), size, 0, reinterpret_cast<sockaddr*>(&a), &len);
    from.addr = a.sin_addr.s_addr;
    from.port = a.sin_port;
    return n;
}

bool SendTo(Sock s, const void* data, int size, const Peer& to) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = to.addr;
    a.sin_port = to.port;
    return sendto(S(s), static_cast<const char*>(data), size, 0, reinterpret_cast<sockaddr*>(&a), sizeof a) == size;
}

int Recv(Sock s, void* buffer, int size) { return recv(S(s), static_cast<char*>(buffer), size, 0); }

bool SendAll(Sock s, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const int n = send(S(s), p, static_cast<int>(size > 65536 ? 65536 : size), 0);
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void Close(Sock s) {
    if (s != kNoSock) closesocket(S(s));
}

void SleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }

}  // namespace net
