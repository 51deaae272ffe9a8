#include "engine/master_query.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

#include "engine/master_wire.h"
#include "engine/status_text.h"
#include "platform/clock.h"
#include "platform/thread.h"
#include "platform/udp_socket.h"

namespace skelvane {

namespace {

struct MasterExchange {
    RefreshState& engine;
    const MasterServer& master;
    Ipv4Endpoint destination;
    UdpSocket socket;
    // Where the master's entries go: the table itself when it is the only
    // master, otherwise a list of its own, merged with the others' once all
    // have answered.
    std::vector<Ipv4Endpoint>* ownList = nullptr;
    // Zero-filled once and never cleared between datagrams.
    std::unique_ptr<std::uint8_t[]> buffer{new std::uint8_t[kMasterDatagramCapacity]()};
    bool endMarkerSeen = false;
};

// A master's own list holds its entries as they come, repeats included, up to
// eight times as many as the table can take: bounded whatever a hostile
// master sends, and far more than any real list.
constexpr std::size_t kMaxOwnListEntries = 8 * static_cast<std::size_t>(kMaxServerRecords);

// How one read of the master's answer ended: with a datagram of `length`
// bytes in the buffer, with a wait that ran out, or with a failure.
struct MasterRead {
    enum class Kind { kDatagram, kTimedOut, kFailed };
    Kind kind = Kind::kFailed;
    std::size_t length = 0;
};

MasterPhase Failed(MasterExchange& exchange, MasterOutcome outcome) {
    exchange.socket.Close();
    MasterPhase phase{outcome, false, MasterFailureText(outcome, exchange.master.hostName)};
    ReportStatus(*exchange.engine.frontEnd, u"%s", phase.failures.c_str());
    return phase;
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
    const char* host = exchange.master.hostName.c_str();
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
        ReportStatus(*engine.frontEnd, u"Retrying %S (attempt %d)...", host, attempt);
        if (attempt >= engine.timing.masterAttempts) {
            return read;
        }
    }
}

void ReadAnswer(MasterExchange& exchange, std::size_t length) {
    const std::span<const std::uint8_t> datagram(exchange.buffer.get(), length);
    RefreshStats& stats = exchange.engine.stats;
    ++stats.masterDatagrams;
    if (exchange.ownList != nullptr) {
        const std::vector<Ipv4Endpoint> entries =
            ReadMasterEntries(datagram, exchange.endMarkerSeen);
        const std::size_t room = kMaxOwnListEntries - exchange.ownList->size();
        exchange.ownList->insert(
            exchange.ownList->end(), entries.begin(),
            entries.begin() + static_cast<std::ptrdiff_t>(std::min(room, entries.size())));
        stats.masterEntries += static_cast<std::uint32_t>(entries.size());
        return;
    }
    MasterListCounts counts;
    ReadMasterDatagram(datagram, exchange.engine.table, exchange.endMarkerSeen, &counts);
    stats.masterEntries += counts.entries;
    stats.masterDuplicates += counts.duplicates;
}

// One master's exchange, every text of it shown: resolve, ask, read. Its
// entries go into `ownList`, or into the table when that is null; the table
// is then replaced at the first datagram.
MasterPhase AskMaster(RefreshState& engine, const MasterServer& master,
                      std::vector<Ipv4Endpoint>* ownList) {
    const char* host = master.hostName.c_str();
    ReportStatus(*engine.frontEnd, u"Resolving %S...", host);
    const std::optional<std::uint32_t> address = ResolveIpv4(host);
    MasterExchange exchange{engine, master, Ipv4Endpoint{address.value_or(0), master.port},
                            UdpSocket(), ownList};
    if (!address) {
        return Failed(exchange, MasterOutcome::kResolveFailed);
    }
    exchange.socket = UdpSocket::Open();
    exchange.socket.SetBufferSizes(kBurstBufferBytes);
    ReportStatus(*engine.frontEnd, u"Querying %S...", host);
    MasterRead read = AskUntilAnswered(exchange);
    if (read.kind == MasterRead::Kind::kTimedOut) {
        return Failed(exchange, MasterOutcome::kNoResponse);
    }
    if (read.kind == MasterRead::Kind::kFailed) {
        return Failed(exchange, MasterOutcome::kQueryError);
    }

    if (ownList == nullptr) {
        ReplaceTableSafely(engine);
    }
    while (read.kind == MasterRead::Kind::kDatagram) {
        ReadAnswer(exchange, read.length);
        if (engine.abortEvent.Poll()) {
            return Failed(exchange, MasterOutcome::kQueryError);
        }
        read =
            ReceiveFromMaster(exchange, exchange.endMarkerSeen ? engine.timing.masterGapAfterEndMs
                                                               : engine.timing.masterGapMs);
    }
    if (read.kind == MasterRead::Kind::kFailed) {
        return Failed(exchange, MasterOutcome::kQueryError);
    }
    exchange.socket.Close();
    return MasterPhase{MasterOutcome::kHandedOver, exchange.endMarkerSeen, {}};
}

// One of several masters asked at once, on a thread of its own.
struct MasterJob {
    RefreshState* engine = nullptr;
    const MasterServer* master = nullptr;
    std::vector<Ipv4Endpoint> list;
    MasterPhase phase;
    JoinableThread thread;
};

void RunMasterJob(void* argument) {
    MasterJob& job = *static_cast<MasterJob*>(argument);
    job.phase = AskMaster(*job.engine, *job.master, &job.list);
}

// The lists of the masters that answered, in the masters' order, each
// server once; the failures of the others are named beside them. The list may
// be kept when every answer that came ended with the end marker. When no
// master answered, every failure is named once more, together.
MasterPhase MergeMasterLists(RefreshState& engine, const std::vector<MasterJob>& jobs) {
    MasterPhase merged{MasterOutcome::kHandedOver, true, {}};
    bool anyAnswered = false;
    std::size_t listed = 0;
    for (const MasterJob& job : jobs) {
        if (job.phase.outcome != MasterOutcome::kHandedOver) {
            merged.failures += merged.failures.empty() ? u"" : u" ";
            merged.failures += job.phase.failures;
            continue;
        }
        anyAnswered = true;
        listed += job.list.size();
        merged.listComplete = merged.listComplete && job.phase.listComplete;
    }
    if (!anyAnswered) {
        ReportStatus(*engine.frontEnd, u"%s", merged.failures.c_str());
        return MasterPhase{jobs.front().phase.outcome, false, merged.failures};
    }
    ReplaceTableSafely(engine);
    GrowTable(engine.table,
              static_cast<std::int32_t>(std::min<std::size_t>(listed, kMaxServerRecords)));
    for (const MasterJob& job : jobs) {
        if (job.phase.outcome != MasterOutcome::kHandedOver) {
            continue;
        }
        for (const Ipv4Endpoint& server : job.list) {
            if (FindServer(engine.table, server.address, server.port) >= 0) {
                ++engine.stats.masterDuplicates;
            } else {
                AppendServer(engine.table, server.address, server.port);
            }
        }
    }
    return merged;
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

// One master is asked as the browser always asked it, reading straight into
// the table. Several are asked at once, each on a thread of its own, so the
// phase lasts as long as the slowest of them alone; a master whose thread
// cannot be started is asked on this one.
MasterPhase RunMasterQuery(RefreshState& engine) {
    if (engine.masters.size() == 1) {
        return AskMaster(engine, engine.masters.front(), nullptr);
    }
    std::vector<MasterJob> jobs(engine.masters.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        jobs[i].engine = &engine;
        jobs[i].master = &engine.masters[i];
        if (!jobs[i].thread.Start(RunMasterJob, &jobs[i])) {
            RunMasterJob(&jobs[i]);
        }
    }
    for (MasterJob& job : jobs) {
        job.thread.Join();
    }
    return MergeMasterLists(engine, jobs);
}

}  // namespace skelvane
