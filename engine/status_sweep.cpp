#include "engine/status_sweep.h"

#include <optional>

#include "engine/host_and_port.h"
#include "engine/status_receiver.h"
#include "engine/status_text.h"
#include "platform/clock.h"
#include "platform/thread.h"

namespace skelvane {

namespace {

struct Sweep {
    RefreshState& engine;
    SweepChannel channel;
    std::uint32_t startTime = 0;
    std::int32_t count = 0;
};

bool SetUp(Sweep& sweep) {
    SweepChannel& channel = sweep.channel;
    channel.socketReadable = Event::Create(EventReset::kAuto);
    channel.stopReceiver = Event::Create(EventReset::kAuto);
    channel.allResponded = Event::Create(EventReset::kAuto);
    if (!channel.socketReadable.IsValid() || !channel.stopReceiver.IsValid() ||
        !channel.allResponded.IsValid()) {
        return false;
    }
    channel.socket = UdpSocket::Open();
    if (!channel.socket.IsValid() || !channel.socket.BindReadEvent(channel.socketReadable)) {
        return false;
    }
    channel.socket.SetBufferSizes(kBurstBufferBytes);
    return true;
}

// What one query needs once the record's own fields are updated.
struct QueryToSend {
    Ipv4Endpoint destination;
    std::int32_t attempt;
};

// Under the table lock: an unanswered record counts the query and takes its
// send time. The send itself waits for nothing, so the lock is not held
// across it; an answer can only come after it anyway.
std::optional<QueryToSend> TakeQuery(Sweep& sweep, std::int32_t index) {
    LockGuard guard(sweep.engine.tableLock);
    ServerRecord& record = sweep.engine.table[index];
    if (record.responded != 0) {
        return std::nullopt;
    }
    ++record.attempts;
    // A server gets one query a pass, so its attempts number the pass.
    CountInPass(sweep.engine.stats.queriesSent, record.attempts);
    record.sendTime = MillisecondClock();
    return QueryToSend{Ipv4Endpoint{record.address, record.port}, record.attempts};
}

// The text goes out before the send, so that the status line names the server
// that is being asked.
void SendStatusQuery(Sweep& sweep, const QueryToSend& query) {
    RefreshState& engine = sweep.engine;
    const std::string dotted = DottedAddress(query.destination.address);
    const std::int32_t port = query.destination.port;
    if (query.attempt == 1) {
        ReportStatus(*engine.frontEnd, u"Querying %S:%d...", dotted.c_str(), port);
    } else {
        ReportStatus(*engine.frontEnd, u"Retrying %S:%d (attempt %d)...", dotted.c_str(), port,
                     query.attempt);
    }
    const SocketStatus sent = sweep.channel.socket.SendTo(kStatusQuery, query.destination);
    if (!sent.Ok()) {
        ReportStatus(*engine.frontEnd, u"Can't send: error %d", sent.systemCode);
    }
}

bool QueryIfUnanswered(Sweep& sweep, std::int32_t index) {
    const std::optional<QueryToSend> query = TakeQuery(sweep, index);
    if (query) {
        SendStatusQuery(sweep, *query);
    }
    return query.has_value();
}

std::int32_t CountUnansweredLocked(Sweep& sweep) {
    LockGuard guard(sweep.engine.tableLock);
    return sweep.channel.unanswered;
}

// Rows are inserted without painting; once the sweep has run for a moment, each
// step paints the list if a row arrived since the step before.
void ApplyRepaintRule(Sweep& sweep) {
    RefreshState& engine = sweep.engine;
    if (ElapsedMs(MillisecondClock(), sweep.startTime) <= engine.timing.repaintAfterMs) {
        return;
    }
    if (engine.listNeedsRepaint.exchange(0) != 0) {
        engine.frontEnd->RepaintList();
    }
}

enum class PassEnd { kNextPass, kFinish };

// One pass over the table. kFinish when an abort ended it or nobody is left.
PassEnd RunPass(Sweep& sweep, std::uint32_t intervalMs) {
    RefreshState& engine = sweep.engine;
    SweepChannel& channel = sweep.channel;
    for (std::int32_t index = 0; index < sweep.count; ++index) {
        if (QueryIfUnanswered(sweep, index) &&
            WaitForEither(channel.allResponded, engine.abortEvent, intervalMs) ==
                WaitResult::kSecond) {
            return PassEnd::kFinish;
        }
        ApplyRepaintRule(sweep);
    }
    if (CountUnansweredLocked(sweep) == 0) {
        return PassEnd::kFinish;
    }
    // The wait after the last pass is a grace period for late answers. An abort
    // here only shortens the wait: the next pass still sends its first query.
    const WaitResult waited =
        WaitForEither(channel.allResponded, engine.abortEvent, engine.timing.passEndWaitMs);
    return waited == WaitResult::kFirst ? PassEnd::kFinish : PassEnd::kNextPass;
}

SweepSummary Finish(Sweep& sweep, JoinableThread& receiver) {
    RefreshState& engine = sweep.engine;
    SweepSummary summary;
    summary.outcome = engine.abortEvent.Poll() ? SweepOutcome::kAborted : SweepOutcome::kCompleted;
    // The receiver may be in the middle of an answer: it must be gone before
    // the socket and events it waits on are released, and before the answers
    // are counted, so that every server that got a row is in the count.
    sweep.channel.stopping.store(true);
    sweep.channel.stopReceiver.Set();
    receiver.Join();
    const std::int32_t unanswered = CountUnansweredLocked(sweep);
    if (engine.listNeedsRepaint.load() != 0) {
        engine.frontEnd->RepaintList();
    }
    sweep.channel.socket.Close();
    sweep.channel.socketReadable.Close();
    sweep.channel.allResponded.Close();
    sweep.channel.stopReceiver.Close();
    summary.listed = sweep.count;
    summary.responded = sweep.count - unanswered;
    // A list cut short is told in the summary: it is the text that stays on
    // the status line, where anything shown earlier is at once replaced.
    ReportStatus(*engine.frontEnd,
                 engine.table.serversLeftOut
                     ? u"%s. %d of %d servers responded. The list was cut at %d."
                     : u"%s. %d of %d servers responded.",
                 summary.outcome == SweepOutcome::kAborted ? u"Aborted" : u"Completed",
                 summary.responded, summary.listed, summary.listed);
    return summary;
}

}  // namespace

std::uint32_t PacingIntervalMs(std::int32_t packetsPerSecond) {
    return static_cast<std::uint32_t>(1000.0 / UsableQueryRate(packetsPerSecond));
}

SweepSummary StatusSweep(RefreshState& engine) {
    Sweep sweep{engine, SweepChannel{engine, {}, {}, {}, {}, CountUnanswered(engine.table)}};
    if (!SetUp(sweep)) {
        return SweepSummary{};
    }
    const std::uint32_t intervalMs = PacingIntervalMs(engine.settings.packetsPerSecond.load());
    sweep.channel.receivesPerWake = ReceivesPerWake(intervalMs);
    TimerResolution resolution;
    JoinableThread receiver;
    // Without a receiver no answer could be taken in: the sweep has not started.
    if (!receiver.Start(StatusReceiver, &sweep.channel)) {
        return SweepSummary{};
    }
    sweep.startTime = MillisecondClock();
    sweep.count = engine.table.Count();

    for (std::int32_t pass = 0; pass < engine.timing.sweepPasses; ++pass) {
        if (RunPass(sweep, intervalMs) == PassEnd::kFinish) {
            break;
        }
    }
    return Finish(sweep, receiver);
}

}  // namespace skelvane
