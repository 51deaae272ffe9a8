#include "testnet/test_network.h"

#include <errno.h>
#include <sys/epoll.h>

#include "testnet/answer_policy.h"
#include "testnet/request_kind.h"

namespace skelvane {

namespace {

// Epoll tokens: the stop descriptor, the master, then server i at kFirstServer + i.
constexpr std::uint64_t kStopToken = 0;
constexpr std::uint64_t kMasterToken = 1;
constexpr std::uint64_t kFirstServerToken = 2;
// Datagrams taken from one socket per wake-up, so that a flood at one server
// does not starve the others.
constexpr int kReadsPerWake = 64;
constexpr int kEventsPerWait = 256;

bool Watch(int epollFd, int fd, std::uint64_t token) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = token;
    return epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &event) == 0;
}

}  // namespace

bool TestNetwork::WatchSockets(int epollFd, int stopFd) const {
    if (!Watch(epollFd, stopFd, kStopToken) || !Watch(epollFd, master_.Fd(), kMasterToken)) {
        return false;
    }
    for (std::size_t i = 0; i < servers_.size(); ++i) {
        if (!Watch(epollFd, servers_[i].socket.Fd(), kFirstServerToken + i)) {
            return false;
        }
    }
    return true;
}

bool TestNetwork::Serve(int stopFd) {
    const UniqueFd epoll(epoll_create1(EPOLL_CLOEXEC));
    if (!epoll.IsValid() || !WatchSockets(epoll.Get(), stopFd)) {
        return false;
    }
    epoll_event events[kEventsPerWait];
    for (;;) {
        const int ready =
            epoll_wait(epoll.Get(), events, kEventsPerWait, timers_.WaitMs(MonotonicMs()));
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        for (int i = 0; i < ready; ++i) {
            if (events[i].data.u64 == kStopToken) {
                return true;
            }
            DrainSocket(events[i].data.u64);
        }
        SendDue();
    }
}

void TestNetwork::DrainSocket(std::uint64_t token) {
    DatagramSocket& socket =
        token == kMasterToken ? master_ : servers_[token - kFirstServerToken].socket;
    for (int read = 0; read < kReadsPerWake; ++read) {
        const ReceiveResult got = socket.Receive(receiveBuffer_);
        if (got.status.outcome == SocketOutcome::kNothingWaiting) {
            return;
        }
        if (got.status.Ok()) {
            HandleDatagram(token, std::span(receiveBuffer_).first(got.size), got.from);
        }
    }
}

void TestNetwork::HandleDatagram(std::uint64_t token, std::span<const std::uint8_t> bytes,
                                 const Ipv4Endpoint& from) {
    const RequestKind kind = ClassifyRequest(bytes);
    if (token == kMasterToken && kind == RequestKind::kServerListRequest) {
        HandleMasterRequest(from);
    } else if (token != kMasterToken && kind == RequestKind::kStatusQuery) {
        HandleStatusQuery(static_cast<std::uint32_t>(token - kFirstServerToken), from);
    } else {
        ++counters_.ignored;
    }
}

void TestNetwork::HandleStatusQuery(std::uint32_t index, const Ipv4Endpoint& from) {
    ServerTraffic& traffic = counters_.servers[index];
    ++traffic.queries;
    const AnswerPlan plan = PlanAnswer(plan_[index].behaviour, seed_, index,
                                       static_cast<std::uint32_t>(traffic.queries));
    if (plan.decision != AnswerDecision::kAnswer) {
        ++traffic.withheld;
        return;
    }
    const PendingSend send{MonotonicMs() + plan.delayMs,
                           PendingSend::Source::kServer,
                           index,
                           from,
                           plan.copies,
                           plan.fromOtherPort};
    if (plan.delayMs == 0) {
        SendServerAnswer(send);
    } else {
        timers_.Push(send);
    }
}

void TestNetwork::HandleMasterRequest(const Ipv4Endpoint& from) {
    MasterTraffic& traffic = counters_.master;
    ++traffic.requests;
    if (!ShouldAnswerMasterRequest(masterBehaviour_,
                                   static_cast<std::uint32_t>(traffic.requests))) {
        return;
    }
    ++traffic.answered;
    const std::uint64_t now = MonotonicMs();
    for (std::uint32_t i = 0; i < masterAnswer_.size(); ++i) {
        const std::uint64_t gap = std::uint64_t{masterBehaviour_.gapMs} * i;
        const PendingSend send{now + gap, PendingSend::Source::kMaster, i, from};
        if (gap == 0) {
            SendMasterDatagram(send);
        } else {
            timers_.Push(send);
        }
    }
}

void TestNetwork::SendServerAnswer(const PendingSend& send) {
    RunningServer& server = servers_[send.index];
    ServerTraffic& traffic = counters_.servers[send.index];
    DatagramSocket& socket = send.fromOtherPort ? server.otherPort : server.socket;
    ++traffic.answers;
    traffic.otherPortAnswers += send.fromOtherPort ? 1 : 0;
    for (std::uint32_t copy = 0; copy < send.copies; ++copy) {
        if (socket.SendTo(server.answer, send.to).Ok()) {
            ++traffic.datagrams;
        } else {
            ++counters_.sendFailures;
        }
    }
}

void TestNetwork::SendMasterDatagram(const PendingSend& send) {
    if (master_.SendTo(masterAnswer_[send.index], send.to).Ok()) {
        ++counters_.master.datagrams;
    } else {
        ++counters_.sendFailures;
    }
}

void TestNetwork::SendDue() {
    const std::uint64_t now = MonotonicMs();
    while (const auto send = timers_.PopDue(now)) {
        if (send->source == PendingSend::Source::kServer) {
            SendServerAnswer(*send);
        } else {
            SendMasterDatagram(*send);
        }
    }
}

}  // namespace skelvane
