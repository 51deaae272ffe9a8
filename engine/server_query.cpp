#include "engine/server_query.h"

#include <memory>

#include "engine/status_parser.h"
#include "engine/status_receiver.h"
#include "engine/status_sweep.h"
#include "platform/clock.h"

namespace skelvane {

namespace {

// Waits out one query's time for the server's answer. Datagrams from anyone
// else, and ones too large to be an answer, are passed over; they cannot make
// the wait longer than its time.
std::optional<ServerAnswer> AwaitAnswer(UdpSocket& socket, const Ipv4Endpoint& server,
                                        std::uint32_t sendTime, std::uint32_t waitMs) {
    std::uint8_t buffer[kStatusDatagramCapacity];
    for (;;) {
        const std::uint32_t waited = ElapsedMs(MillisecondClock(), sendTime);
        if (waited >= waitMs || socket.WaitReadable(waitMs - waited) != ReadyResult::kReadable) {
            return std::nullopt;
        }
        const ReceiveResult received = socket.ReceiveFrom(buffer);
        if (received.status.Ok() && received.size > 0 && received.from == server) {
            return ServerAnswer{{buffer, buffer + received.size}, sendTime, MillisecondClock()};
        }
    }
}

}  // namespace

std::optional<ServerAnswer> QueryOneServer(const Ipv4Endpoint& server,
                                           const RefreshTiming& timing) {
    UdpSocket socket = UdpSocket::Open();
    if (!socket.IsValid()) {
        return std::nullopt;
    }
    for (std::int32_t attempt = 0; attempt < timing.sweepPasses; ++attempt) {
        const std::uint32_t sendTime = MillisecondClock();
        socket.SendTo(kStatusQuery, server);
        if (auto answer = AwaitAnswer(socket, server, sendTime, timing.passEndWaitMs)) {
            return answer;
        }
    }
    return std::nullopt;
}

// The answer is parsed into a fresh record, so that nothing of the earlier
// answer (players past the new count, say) stays behind.
void ApplyServerAnswer(ServerRecord& record, const ServerAnswer& answer) {
    const auto fresh = std::make_unique<ServerRecord>();
    fresh->address = record.address;
    fresh->port = record.port;
    fresh->sendTime = answer.sendTime;
    fresh->attempts = record.attempts;
    ParseStatusAnswer(answer.bytes, *fresh, answer.receiveTime);
    record = *fresh;
}

}  // namespace skelvane
