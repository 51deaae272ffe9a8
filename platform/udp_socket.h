#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/socket_status.h"

namespace skelvane {

class Event;

// An IPv4 endpoint: the address in network byte order, exactly as it travels,
// and the port in host byte order.
struct Ipv4Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    friend bool operator==(const Ipv4Endpoint&, const Ipv4Endpoint&) = default;
};

// The address of 127.0.0.1 (or any 127.a.b.c) in network byte order.
std::uint32_t LoopbackAddress(std::uint8_t b = 0, std::uint8_t c = 0, std::uint8_t d = 1);

// One receive: the size and sender of the datagram when the status is done.
struct ReceiveResult {
    SocketStatus status;
    std::size_t size = 0;
    Ipv4Endpoint from;
};

enum class ReadyResult { kReadable, kTimeout, kFailed };

// Kernel buffers large enough for a burst of datagrams to wait while the
// program reads the ones before: a master's whole list sent back to back, or
// the answers of thousands of servers.
inline constexpr int kBurstBufferBytes = 4 << 20;

class UdpSocket {
  public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(UdpSocket&& other) noexcept;
    UdpSocket& operator=(UdpSocket&& other) noexcept;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    static UdpSocket Open();

    bool IsValid() const;
    void Close();
    bool Bind(const Ipv4Endpoint& local);
    std::optional<Ipv4Endpoint> LocalEndpoint() const;
    SocketStatus SendTo(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to);
    // A datagram larger than the buffer is an oversized receive.
    ReceiveResult ReceiveFrom(std::span<std::uint8_t> buffer);
    ReadyResult WaitReadable(std::uint32_t timeoutMs);
    // Makes the socket non-blocking and signals the event while a datagram
    // waits to be received.
    bool BindReadEvent(Event& readable);
    // Asks for larger kernel buffers, so that bursts of answers are not dropped.
    void SetBufferSizes(int bytes);

  private:
#if defined(_WIN32)
    std::uintptr_t handle_ = ~std::uintptr_t{0};
#else
    int fd_ = -1;
#endif
};

// Looks the host name up (blocking) and gives its first IPv4 address.
std::optional<std::uint32_t> ResolveIpv4(const char* hostName);

// Starts and stops the system's socket layer where it needs that.
bool StartNetworking();
void StopNetworking();

}  // namespace skelvane
