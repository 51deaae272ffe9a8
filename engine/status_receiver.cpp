#include "engine/status_receiver.h"

#include "engine/status_parser.h"
#include "platform/clock.h"

namespace skelvane {

namespace {

// Datagrams still waiting when the sweep ends came too late to be taken in.
// They are counted as far as a short, bounded read finds them (a few
// milliseconds at most): a sender that never stops must not hold up the end.
void CountLateDatagrams(SweepChannel& channel, std::span<std::uint8_t> buffer) {
    constexpr int kMostCounted = 4096;
    for (int i = 0; i < kMostCounted && channel.socket.WaitReadable(0) == ReadyResult::kReadable;
         ++i) {
        const ReceiveResult received = channel.socket.ReceiveFrom(buffer);
        const bool datagram = received.status.Ok() && received.size > 0;
        channel.engine.stats.late +=
            datagram || received.status.outcome == SocketOutcome::kOversized ? 1 : 0;
    }
}

}  // namespace

bool AcceptStatusAnswer(SweepChannel& channel, std::span<const std::uint8_t> datagram,
                        const Ipv4Endpoint& from) {
    RefreshState& engine = channel.engine;
    const std::int32_t index = FindQueriedUnanswered(engine.table, from.address, from.port);
    if (index < 0) {
        const std::int32_t listed = FindServer(engine.table, from.address, from.port);
        ++(listed >= 0 && engine.table[listed].responded != 0 ? engine.stats.duplicate
                                                              : engine.stats.unmatchedSender);
        return false;
    }
    CountInPass(engine.stats.answersMatched, engine.table[index].attempts);
    --channel.unanswered;
    StatusParser(engine, datagram, index);
    return true;
}

namespace {

// One datagram, handled. False when none was waiting, or when the receive
// failed otherwise (a report of a closed port that a query went to, say):
// the receiver then waits for the socket again.
bool ReceiveOne(SweepChannel& channel, std::span<std::uint8_t> buffer) {
    RefreshState& engine = channel.engine;
    const ReceiveResult received =
        channel.socket.ReceiveFrom(buffer.first(kStatusDatagramCapacity));
    if (received.status.outcome == SocketOutcome::kOversized) {
        ++engine.stats.oversized;
        return true;
    }
    if (!received.status.Ok() || received.size == 0) {
        return false;
    }
    buffer[received.size] = 0;
    if (engine.answerRead) {
        engine.answerRead();
    }
    LockGuard guard(engine.tableLock);
    AcceptStatusAnswer(channel, buffer.first(received.size), received.from);
    if (channel.unanswered == 0) {
        channel.allResponded.Set();
    }
    return true;
}

}  // namespace

int ReceivesPerWake(std::uint32_t pacingIntervalMs) {
    // The stop is still looked at before every datagram of a burst.
    constexpr int kBurst = 32;
    return pacingIntervalMs == 0 ? kBurst : 1;
}

void StatusReceiver(void* argument) {
    SweepChannel& channel = *static_cast<SweepChannel*>(argument);
    TimerResolution resolution;
    std::uint8_t buffer[kStatusDatagramCapacity + 1];
    for (;;) {
        // The stop is looked at first: under a flood of datagrams the socket is
        // never quiet, and the sweep must still end when it says so.
        const WaitResult waited =
            WaitForEither(channel.stopReceiver, channel.socketReadable, kWaitForever);
        if (waited == WaitResult::kFirst || waited == WaitResult::kFailed) {
            CountLateDatagrams(channel, std::span<std::uint8_t>(buffer, kStatusDatagramCapacity));
            return;
        }
        for (int i = 0;
             i < channel.receivesPerWake && !channel.stopping.load() && ReceiveOne(channel, buffer);
             ++i) {
        }
    }
}

}  // namespace skelvane
