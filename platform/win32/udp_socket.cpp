#include "platform/udp_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>
#include <utility>

#include "platform/event.h"

namespace skelvane {

static_assert(sizeof(SOCKET) == sizeof(std::uintptr_t));

namespace {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = endpoint.address;
    address.sin_port = htons(endpoint.port);
    return address;
}

Ipv4Endpoint FromSockaddr(const sockaddr_in& address) {
    return Ipv4Endpoint{address.sin_addr.s_addr, ntohs(address.sin_port)};
}

SOCKET AsSocket(std::uintptr_t handle) {
    return static_cast<SOCKET>(handle);
}

}  // namespace

std::uint32_t LoopbackAddress(std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return htonl((127u << 24) | (std::uint32_t{b} << 16) | (std::uint32_t{c} << 8) | d);
}

UdpSocket::~UdpSocket() {
    Close();
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_SOCKET)) {}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, INVALID_SOCKET);
    }
    return *this;
}

UdpSocket UdpSocket::Open() {
    UdpSocket socket;
    socket.handle_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    return socket;
}

bool UdpSocket::IsValid() const {
    return AsSocket(handle_) != INVALID_SOCKET;
}

void UdpSocket::Close() {
    if (IsValid()) {
        closesocket(AsSocket(handle_));
    }
    handle_ = INVALID_SOCKET;
}

bool UdpSocket::Bind(const Ipv4Endpoint& local) {
    const sockaddr_in address = ToSockaddr(local);
    return bind(AsSocket(handle_), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
           0;
}

std::optional<Ipv4Endpoint> UdpSocket::LocalEndpoint() const {
    sockaddr_in address{};
    int length = sizeof address;
    if (getsockname(AsSocket(handle_), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return std::nullopt;
    }
    return FromSockaddr(address);
}

SocketStatus UdpSocket::SendTo(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to) {
    const sockaddr_in address = ToSockaddr(to);
    const int sent = sendto(AsSocket(handle_), reinterpret_cast<const char*>(bytes.data()),
                            static_cast<int>(bytes.size()), 0,
                            reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent == SOCKET_ERROR ? SocketStatusFromSystem(WSAGetLastError()) : SocketStatus{};
}

ReceiveResult UdpSocket::ReceiveFrom(std::span<std::uint8_t> buffer) {
    sockaddr_in address{};
    int length = sizeof address;
    const int got = recvfrom(AsSocket(handle_), reinterpret_cast<char*>(buffer.data()),
                             static_cast<int>(buffer.size()), 0,
                             reinterpret_cast<sockaddr*>(&address), &length);
    if (got == SOCKET_ERROR) {
        return ReceiveResult{SocketStatusFromSystem(WSAGetLastError()), 0, {}};
    }
    return ReceiveResult{SocketStatus{}, static_cast<std::size_t>(got), FromSockaddr(address)};
}

ReadyResult UdpSocket::WaitReadable(std::uint32_t timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(AsSocket(handle_), &readable);
    timeval limit{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    const int ready =
        select(0, &readable, nullptr, nullptr, timeoutMs == kWaitForever ? nullptr : &limit);
    if (ready == SOCKET_ERROR) {
        return ReadyResult::kFailed;
    }
    return ready == 0 ? ReadyResult::kTimeout : ReadyResult::kReadable;
}

bool UdpSocket::BindReadEvent(Event& readable) {
    return WSAEventSelect(AsSocket(handle_), readable.handle_, FD_READ) == 0;
}

void UdpSocket::SetBufferSizes(int bytes) {
    setsockopt(AsSocket(handle_), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes),
               sizeof bytes);
    setsockopt(AsSocket(handle_), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&bytes),
               sizeof bytes);
}

std::optional<std::uint32_t> ResolveIpv4(const char* hostName) {
    const hostent* host = gethostbyname(hostName);
    if (host == nullptr || host->h_addrtype != AF_INET || host->h_addr_list[0] == nullptr) {
        return std::nullopt;
    }
    std::uint32_t address = 0;
    std::memcpy(&address, host->h_addr_list[0], sizeof address);
    return address;
}

bool StartNetworking() {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

void StopNetworking() {
    WSACleanup();
}

}  // namespace skelvane
