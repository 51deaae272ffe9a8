#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/udp_socket.h"
#include "testnet/unique_fd.h"

namespace skelvane {

// A non-blocking UDP socket of the test network, with its descriptor in view
// so that one loop can wait on thousands of them.
class DatagramSocket {
  public:
    // Bound to `local` (port 0: the system picks one), with kernel buffers of
    // about `bufferBytes`. Invalid on failure, with why in `failure`.
    static DatagramSocket Bind(const Ipv4Endpoint& local, int bufferBytes, SocketStatus& failure);

    bool IsValid() const { return fd_.IsValid(); }
    int Fd() const { return fd_.Get(); }
    // Where it is bound, with the port the system picked.
    Ipv4Endpoint Local() const { return local_; }

    SocketStatus SendTo(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to);
    ReceiveResult Receive(std::span<std::uint8_t> buffer);

  private:
    UniqueFd fd_;
    Ipv4Endpoint local_;
};

}  // namespace skelvane
