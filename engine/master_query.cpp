#include "engine/master_query.h"

#include <memory>
#include <span>

#include "engine/master_wire.h"
#include "engine/status_text.h"
#include "platform/udp_socket.h"

namespace skelvane {

namespace {

struct MasterExchange {
    RefreshEngine& engine;
    const char* host;
    Ipv4Endpoint destination;
    UdpSocket socket;
    // Zero-filled once and never cleared between datagrams.
    std::unique_ptr<std::uint8_t[]> buffer{new std::uint8_t[kMasterDatagramCapacity]()};
    bool endMarkerSeen = false;
};

MasterOutcome QueryError(MasterExchange& exchange) {
    exchange.socket.Close();
    ShowStatus(exchange.engine.ui, u"Error querying %S.", exchange.host);
    return MasterOutcome::kQueryError;
}

// One datagram into the buffer; its length, or 0 or less on failure.
std::int32_t ReceiveDatagram(MasterExchange& exchange) {
    return exchange.socket
        .ReceiveFrom(std::span<std::uint8_t>(exchange.buffer.get(), kMasterDatagramCapacity))
        .bytes;
}

// Sends the request up to the allowed number of times. Gives the length of the
// first answer datagram, 0 when every wait timed out, or -1 on an error.
std::int32_t AskUntilAnswered(MasterExchange& exchange) {
    RefreshEngine& engine = exchange.engine;
    for (std::int32_t attempt = 0;;) {
        const MasterRequest request = BuildGetServersRequest(engine.settings.showFull.load() != 0,
                                                             engine.settings.showEmpty.load() != 0);
        if (!exchange.socket.SendTo(request.View(), exchange.destination).ok) {
            return -1;
        }
        if (engine.abortEvent.Poll()) {
            return -1;
        }
        const ReadyResult ready = exchange.socket.WaitReadable(engine.timing.masterAnswerWaitMs);
        if (ready != ReadyResult::kTimeout) {
            const std::int32_t length = ReceiveDatagram(exchange);
            return length > 0 ? length : -1;
        }
        ++attempt;
        ShowStatus(engine.ui, u"Retrying %S (attempt %d)...", exchange.host, attempt);
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

void ReplaceTableSafely(RefreshEngine& engine) {
    if (engine.ui.tableReplaced != nullptr) {
        engine.ui.tableReplaced(engine.ui.context);
    }
    ReplaceTable(engine.table);
}

MasterOutcome RunMasterQuery(RefreshEngine& engine, bool* endMarkerSeen) {
    const char* host = engine.master.hostName.c_str();
    ShowStatus(engine.ui, u"Resolving %S...", host);
    const std::optional<std::uint32_t> address = ResolveIpv4(host);
    if (!address) {
        ShowStatus(engine.ui, u"Couldn't resolve %S.", host);
        return MasterOutcome::kResolveFailed;
    }

    MasterExchange exchange{engine, host, Ipv4Endpoint{*address, engine.master.port},
                            UdpSocket::Open()};
    ShowStatus(engine.ui, u"Querying %S...", host);
    std::int32_t length = AskUntilAnswered(exchange);
    if (length == 0) {
        exchange.socket.Close();
        ShowStatus(engine.ui, u"No response from %S.", host);
        return MasterOutcome::kNoResponse;
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
        if (exchange.socket.WaitReadable(gap) == ReadyResult::kTimeout) {
            break;
        }
        length = ReceiveDatagram(exchange);
        if (length <= 0) {
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
