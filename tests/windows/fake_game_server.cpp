#include "tests/windows/fake_game_server.h"

#include <span>

#include "platform/clock.h"

namespace skelvane::test {

FakeGameServer::FakeGameServer(std::string answer, std::uint32_t delayMs)
    : answer_(std::move(answer)), delayMs_(delayMs), socket_(UdpSocket::Open()) {
    socket_.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    port_ = socket_.LocalEndpoint().value_or(Ipv4Endpoint{}).port;
    thread_ = std::thread([this] { Serve(); });
}

FakeGameServer::~FakeGameServer() {
    stop_ = true;
    thread_.join();
}

void FakeGameServer::Serve() {
    std::uint8_t buffer[2048];
    while (!stop_) {
        if (socket_.WaitReadable(20) != ReadyResult::kReadable) {
            continue;
        }
        const ReceiveResult got = socket_.ReceiveFrom(buffer);
        if (got.bytes <= 0) {
            continue;
        }
        ++queries_;
        SleepMs(delayMs_);
        socket_.SendTo(std::span<const std::uint8_t>(
                           reinterpret_cast<const std::uint8_t*>(answer_.data()), answer_.size()),
                       got.from);
    }
}

std::string StatusAnswer(const std::string& info, const std::string& playerLines) {
    return "\xFF\xFF\xFF\xFFstatusResponse\n" + info + "\n" + playerLines;
}

}  // namespace skelvane::test
