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

MasterOutcome Failed(RefreshState& engine, MasterOutcome outcome) {
    ReportStatus(*engine.frontEnd, u"%s",
                 MasterFailureText(outcome, engine.master.hostName).c_str());
    return outcome;
}

MasterOutcome QueryError(MasterExchange& exchange) {
    exchange.socket.Close();
    return Failed(exchange.engine, MasterOutcome::kQueryError);
}

// Waits up to `waitMs` for a datagram from the master and receives it into the
// buffer. Gives its length, 0 when the time ran out, or -1 when a receive
// failed. Datagrams from any other sender are dropped without extending the
// wait, so no one but the master can put servers into the list or keep the
// exchange going; the master itself sees the same requests at the same times.
std::int32_t ReceiveFromMaster(MasterExchange& exchange, std::uint32_t waitMs) {
    const std::uint32_t start = MillisecondClock();
    for (;;) {
        const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
        if (spent >= waitMs ||
            exchange.socket.WaitReadable(waitMs - spent) == ReadyResult::kTimeout) {
            return 0;
        }
        const ReceiveResult received = exchange.socket.ReceiveFrom(
            std::span<std::uint8_t>(exchange.buffer.get(), kMasterDatagramCapacity));
        if (received.bytes <= 0) {
            return -1;
        }
        if (received.from == exchange.destination) {
            return received.bytes;
        }
    }
}

// Sends the request up to the allowed number of times. Gives the length of the
// first answer datagram, 0 when every wait timed out, or -1 on an error.
std::int32_t AskUntilAnswered(MasterExchange& exchange) {
    RefreshState& engine = exchange.engine;
    for (std::int32_t attempt = 0;;) {
        const MasterRequest request = BuildGetServersRequest(engine.settings.showFull.load() != 0,
                                                             engine.settings.showEmpty.load() != 0);
        if (!exchange.socket.SendTo(request.View(), exchange.destination).ok) {
            return -1;
        }
        if (engine.abortEvent.Poll()) {
            return -1;
        }
        const std::int32_t length = ReceiveFromMaster(exchange, engine.timing.masterAnswerWaitMs);
        if (length != 0) {
            return length;
        }
        ++attempt;
        ReportStatus(*engine.frontEnd, u"Retrying %S (attempt %d)...", exchange.host, attempt);
        if (attempt >= engine.timing.masterAttempts) {
            return 0;
        }
    }
}

void ReadAnswer(MasterExchange& exchange, std::int32_t length) {
    MasterListCounts counts;
    ReadMasterDatagram(
        std::span<const std::uint8_t>(exchange.buffer.get(), static_cast<std::size_t>(length)),
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

MasterOutcome RunMasterQuery(RefreshState& engine, bool* endMarkerSeen) {
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
    std::int32_t length = AskUntilAnswered(exchange);
    if (length == 0) {
        exchange.socket.Close();
        return Failed(engine, MasterOutcome::kNoResponse);
    }
    if (length < 0) {
        return QueryError(exchange);
    }

    ReplaceTableSafely(engine);
    for (;;) {
        ReadAnswer(exchange, length);
        if (engine.abortEvent.Poll()) {
            return QueryError(exchange);
        }
        const std::uint32_t gap =
            exchange.endMarkerSeen ? engine.timing.masterGapAfterEndMs : engine.timing.masterGapMs;
        length = ReceiveFromMaster(exchange, gap);
        if (length == 0) {
            break;
        }
        if (length < 0) {
            return QueryError(exchange);
        }
    }
    exchange.socket.Close();
    if (endMarkerSeen != nullptr) {
        *endMarkerSeen = exchange.endMarkerSeen;
    }
    return MasterOutcome::kHandedOver;
}

}  // namespace skelvane
