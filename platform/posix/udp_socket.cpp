#include "platform/udp_socket.h"

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include "platform/event.h"
#include "platform/posix/sockaddr.h"

namespace skelvane {

std::uint32_t LoopbackAddress(std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return htonl((127u << 24) | (std::uint32_t{b} << 16) | (std::uint32_t{c} << 8) | d);
}

UdpSocket::~UdpSocket() {
    Close();
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

UdpSocket UdpSocket::Open() {
    UdpSocket socket;
    socket.fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    return socket;
}

bool UdpSocket::IsValid() const {
    return fd_ >= 0;
}

void UdpSocket::Close() {
    if (fd_ >= 0) {
        close(fd_);
    }
    fd_ = -1;
}

bool UdpSocket::Bind(const Ipv4Endpoint& local) {
    const sockaddr_in address = ToSockaddr(local);
    return bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

std::optional<Ipv4Endpoint> UdpSocket::LocalEndpoint() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return std::nullopt;
    }
    return FromSockaddr(address);
}

SocketStatus UdpSocket::SendTo(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to) {
    const sockaddr_in address = ToSockaddr(to);
    const ssize_t sent = sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent < 0 ? SocketStatusFromSystem(errno) : SocketStatus{};
}

ReceiveResult UdpSocket::ReceiveFrom(std::span<std::uint8_t> buffer) {
    sockaddr_in address{};
    msghdr message{};
    iovec part{buffer.data(), buffer.size()};
    message.msg_name = &address;
    message.msg_namelen = sizeof address;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    const ssize_t got = recvmsg(fd_, &message, MSG_DONTWAIT);
    if (got < 0) {
        return ReceiveResult{SocketStatusFromSystem(errno), 0, {}};
    }
    // A datagram that does not fit fails, as the Windows socket layer reports it.
    if ((message.msg_flags & MSG_TRUNC) != 0) {
        return ReceiveResult{SocketStatusFromSystem(EMSGSIZE), 0, {}};
    }
    return ReceiveResult{SocketStatus{}, static_cast<std::size_t>(got), FromSockaddr(address)};
}

ReadyResult UdpSocket::WaitReadable(std::uint32_t timeoutMs) {
    pollfd one{fd_, POLLIN, 0};
    const int waitMs = timeoutMs == kWaitForever ? -1 : static_cast<int>(timeoutMs);
    for (;;) {
        const int ready = poll(&one, 1, waitMs);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return ReadyResult::kFailed;
        }
        return ready == 0 ? ReadyResult::kTimeout : ReadyResult::kReadable;
    }
}

bool UdpSocket::BindReadEvent(Event& readable) {
    const int flags = fcntl(fd_, F_GETFL);
    if (fd_ < 0 || flags < 0 || fcntl(fd_, F_SETFL, flags | O_NONBLOCK) != 0) {
        return false;
    }
    readable.boundSocket_ = fd_;
    return true;
}

void UdpSocket::SetBufferSizes(int bytes) {
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
    setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

std::optional<std::uint32_t> ResolveIpv4(const char* hostName) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &found) != 0 || found == nullptr) {
        return std::nullopt;
    }
    std::uint32_t address = 0;
    std::memcpy(&address, &reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr,
                sizeof address);
    freeaddrinfo(found);
    return address;
}

bool StartNetworking() {
    return true;
}
void StopNetworking() {}

}  // namespace skelvane
