#include "testnet/datagram_socket.h"

#include <errno.h>
#include <sys/socket.h>

#include "platform/posix/sockaddr.h"

namespace skelvane {

namespace {

void SetBufferSizes(int fd, int bytes) {
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

}  // namespace

DatagramSocket DatagramSocket::Bind(const Ipv4Endpoint& local, int bufferBytes,
                                    SocketStatus& failure) {
    DatagramSocket socket;
    UniqueFd fd(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP));
    const sockaddr_in address = ToSockaddr(local);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (!fd.IsValid() ||
        bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd.Get(), reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        failure = SocketStatusFromSystem(errno);
        return socket;
    }
    SetBufferSizes(fd.Get(), bufferBytes);
    socket.fd_ = std::move(fd);
    socket.local_ = FromSockaddr(bound);
    return socket;
}

SocketStatus DatagramSocket::SendTo(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to) {
    const sockaddr_in address = ToSockaddr(to);
    const ssize_t sent = sendto(fd_.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent < 0 ? SocketStatusFromSystem(errno) : SocketStatus{};
}

ReceiveResult DatagramSocket::Receive(std::span<std::uint8_t> buffer) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const ssize_t got = recvfrom(fd_.Get(), buffer.data(), buffer.size(), MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&address), &length);
    if (got < 0) {
        return ReceiveResult{SocketStatusFromSystem(errno), 0, {}};
    }
    return ReceiveResult{SocketStatus{}, static_cast<std::size_t>(got), FromSockaddr(address)};
}

}  // namespace skelvane
