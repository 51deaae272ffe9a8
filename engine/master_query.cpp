#include "engine/master_query.h"

#include <memory>
#include <span>

#include "engine/master_wire.h"
#include "engine/status_text.h"
#include "platform/clock.h"
#include "platform/udp_socket.h"

namespace skelvane {

namespace {

struct MasterExchange {
    RefreshState& engine;
    const char* host;
    Ipv4Endpoint destination;
    UdpSocket socket;
    // Zero-filled once and never cleared between datagrams.
    std::unique_ptr<std::uint8_t[]> buffer{new std::uint8_t[kMasterDatagramCapacity]()};
    bool endMarkerSeen = false;
};

// How one read of the master's answer ended: with a datagram of `length`
// bytes in the buffer, with a wait that ran out, or with a failure.
struct MasterRead {
    enum class Kind { kDatagram, kTimedOut, kFailed };
    Kind kind = Kind::kFailed;
    std::size_t length = 0;
};

MasterPhase Failed(RefreshState& engine, MasterOutcome outcome) {
    ReportStatus(*engine.frontEnd, u"%s",
                 MasterFailureText(outcome, engine.master.hostName).c_str());
    return MasterPhase{outcome};
}

MasterPhase QueryError(MasterExchange& exchange) {
    exchange.socket.Close();
    return Failed(exchange.engine, MasterOutcome::kQueryError);
}

// Waits up to `waitMs` for a datagram from the master and receives it into the
// buffer. A failed receive, and a datagram of no bytes, fail the read.
// Datagrams from any other sender are dropped without extending the wait, so
// no one but the master can put servers into the list or keep the exchange
// going; the master itself sees the same requests at the same times.
MasterRead ReceiveFromMaster(MasterExchange& exchange, std::uint32_t waitMs) {
    const std::uint32_t start = MillisecondClock();
    for (;;) {
        const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
        if (spent >= waitMs ||
            exchange.socket.WaitReadable(waitMs - spent) == ReadyResult::kTimeout) {
            return MasterRead{MasterRead::Kind::kTimedOut};
        }
        const ReceiveResult received = exchange.socket.ReceiveFrom(
            std::span<std::uint8_t>(exchange.buffer.get(), kMasterDatagramCapacity));
        if (!received.status.Ok() || received.size == 0) {
            return MasterRead{MasterRead::Kind::kFailed};
        }
        if (received.from == exchange.destination) {
            return MasterRead{MasterRead::Kind::kDatagram, received.size};
        }
    }
}

// Sends the request up to the allowed number of times, until the master
// answers: the read of its first datagram, or of the last wait that ran out.
MasterRead AskUntilAnswered(MasterExchange& exchange) {
    RefreshState& engine = exchange.engine;
    for (std::int32_t attempt = 0;;) {
        const MasterRequest request = BuildGetServersRequest(engine.settings.showFull.load() != 0,
                                                             engine.settings.showEmpty.load() != 0);
        if (!exchange.socket.SendTo(request.View(), exchange.destination).Ok() ||
            engine.abortEvent.Poll()) {
            return MasterRead{MasterRead::Kind::kFailed};
        }
        const MasterRead read = ReceiveFromMaster(exchange, engine.timing.masterAnswerWaitMs);
        if (read.kind != MasterRead::Kind::kTimedOut) {
            return read;
        }
        ++attempt;
        ReportStatus(*engine.frontEnd, u"Retrying %S (attempt %d)...", exchange.host, attempt);
        if (attempt >= engine.timing.masterAttempts) {
            return read;
        }
    }
}

void ReadAnswer(MasterExchange& exchange, std::size_t length) {
    MasterListCounts counts;
    ReadMasterDatagram(std::span<const std::uint8_t>(exchange.buffer.get(), length),
                       exchange.engine.table, exchange.endMarkerSeen, &counts);
    RefreshStats& stats = exchange.engine.stats;
    ++stats.masterDatagrams;
    stats.masterEntries += counts.entries;
    stats.masterDuplicates += counts.duplicates;
}

}  // namespace

std::u16string MasterFailureText(MasterOutcome outcome, const std::string& host) {
    const char16_t* format = outcome == MasterOutcome::kResolveFailed ? u"Couldn't resolve %S."
                             : outcome == MasterOutcome::kNoResponse  ? u"No response from %S."
                                                                      : u"Error querying %S.";
    char16_t text[kStatusTextCapacity];
    FormatText(text, format, {host.c_str()});
    return text;
}

void ReplaceTableSafely(RefreshState& engine) {
    engine.frontEnd->ForgetTable();
    ReplaceTable(engine.table);
}

MasterPhase RunMasterQuery(RefreshState& engine) {
    const char* host = engine.master.hostName.c_str();
    ReportStatus(*engine.frontEnd, u"Resolving %S...", host);
    const std::optional<std::uint32_t> address = ResolveIpv4(host);
    if (!address) {
        return Failed(engine, MasterOutcome::kResolveFailed);
    }

    MasterExchange exchange{engine, host, Ipv4Endpoint{*address, engine.master.port},
                            UdpSocket::Open()};
    exchange.socket.SetBufferSizes(kBurstBufferBytes);
    ReportStatus(*engine.frontEnd, u"Querying %S...", host);
    MasterRead read = AskUntilAnswered(exchange);
    if (read.kind == MasterRead::Kind::kTimedOut) {
        exchange.socket.Close();
        return Failed(engine, MasterOutcome::kNoResponse);
    }
    if (read.kind == MasterRead::Kind::kFailed) {
        return QueryError(exchange);
    }

    ReplaceTableSafely(engine);
    while (read.kind == MasterRead::Kind::kDatagram) {
        ReadAnswer(exchange, read.length);
        if (engine.abortEvent.Poll()) {
            return QueryError(exchange);
        }
        read =
            ReceiveFromMaster(exchange, exchange.endMarkerSeen ? engine.timing.masterGapAfterEndMs
                                                               : engine.timing.masterGapMs);
    }
    if (read.kind == MasterRead::Kind::kFailed) {
        return QueryError(exchange);
    }
    exchange.socket.Close();
    return MasterPhase{MasterOutcome::kHandedOver, exchange.endMarkerSeen};
}

}  // namespace skelvane
