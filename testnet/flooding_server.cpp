#include "testnet/flooding_server.h"

#include <sys/socket.h>

#include <array>
#include <vector>

#include "platform/clock.h"
#include "platform/posix/sockaddr.h"

namespace skelvane {

namespace {

constexpr std::uint8_t kAnswer[] = "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\Flood\n";
constexpr std::uint8_t kJunk[] = "\xFF\xFF\xFF\xFFjunk from a neighbour";
constexpr std::uint32_t kStopCheckMs = 20;
// The kernel delivers a loopback datagram in the sender's own time, so one
// sender hardly outruns one receiver; several senders, each handing the kernel
// a batch of datagrams per call, keep the receiver's socket full.
constexpr std::size_t kBatch = 64;
constexpr int kSenders = 3;

}  // namespace

FloodingServer::FloodingServer(std::uint32_t floodMs)
    : floodMs_(floodMs), listener_(UdpSocket::Open()) {
    listener_.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    SocketStatus failure;
    flooder_ = DatagramSocket::Bind(Ipv4Endpoint{LoopbackAddress(0, 0, 2), 0}, 1 << 20, failure);
    endpoint_ = listener_.LocalEndpoint().value_or(Ipv4Endpoint{});
    thread_ = std::thread([this] { Serve(); });
}

FloodingServer::~FloodingServer() {
    Stop();
}

void FloodingServer::Stop() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void FloodingServer::Serve() {
    Ipv4Endpoint querier;
    if (AwaitQuery(querier)) {
        listener_.SendTo(std::span<const std::uint8_t>(kAnswer, sizeof kAnswer - 1), querier);
        std::vector<std::thread> senders;
        for (int i = 1; i < kSenders; ++i) {
            senders.emplace_back([this, querier] { Flood(querier); });
        }
        Flood(querier);
        for (std::thread& sender : senders) {
            sender.join();
        }
    }
}

bool FloodingServer::AwaitQuery(Ipv4Endpoint& querier) {
    std::uint8_t buffer[64];
    while (!stop_) {
        if (listener_.WaitReadable(kStopCheckMs) != ReadyResult::kReadable) {
            continue;
        }
        const ReceiveResult got = listener_.ReceiveFrom(buffer);
        if (got.status.Ok() && got.size > 0) {
            querier = got.from;
            return true;
        }
    }
    return false;
}

void FloodingServer::Flood(const Ipv4Endpoint& querier) {
    sockaddr_in to = ToSockaddr(querier);
    iovec junk{const_cast<std::uint8_t*>(kJunk), sizeof kJunk - 1};
    std::array<mmsghdr, kBatch> batch{};
    for (mmsghdr& message : batch) {
        message.msg_hdr.msg_name = &to;
        message.msg_hdr.msg_namelen = sizeof to;
        message.msg_hdr.msg_iov = &junk;
        message.msg_hdr.msg_iovlen = 1;
    }
    const std::uint32_t start = MillisecondClock();
    while (!stop_ && ElapsedMs(MillisecondClock(), start) < floodMs_) {
        const int sent = sendmmsg(flooder_.Fd(), batch.data(), kBatch, 0);
        junkSent_ += sent > 0 ? static_cast<std::uint64_t>(sent) : 0;
    }
}

}  // namespace skelvane
