// The few socket operations the reference server needs, for POSIX and Winsock. Loopback only.
#pragma once
#include <cstdint>
#include <string>

namespace net {

using Sock = std::intptr_t;
constexpr Sock kNoSock = -1;

struct Peer {
    uint32_t addr = 0;  // network order
    uint16_t port = 0;  // network order
};

bool Start();
// Bound to 127.0.0.1:port (0 picks a free one); `bound` receives the port. kNoSock on failure.
Sock UdpBind(uint16_t port, uint16_t& bound);
Sock TcpListen(uint16_t port, uint16_t& bound);
Sock Accept(Sock listener);
// Bit 1: a readable, bit 2: b readable; 0 on time-out, -1 on error.
int WaitReadable(Sock a, Sock b, int timeoutMs);
int RecvFrom(Sock s, void* buffer, int size, Peer& from);
bool SendTo(Sock s, const void* data, int size, const Peer& to);
int Recv(Sock s, void* buffer, int size);
bool SendAll(Sock s, const void* data, size_t size);
void Close(Sock s);
void SleepMs(int ms);

}  // namespace net
