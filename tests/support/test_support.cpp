#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/master_wire.h"
#include "platform/clock.h"
#include "testnet/answer_policy.h"
#include "tests/support/wait_until.h"

namespace skelvane::test {

MasterList ReadMasterList(const std::vector<Bytes>& datagrams) {
    ServerTable table;
    MasterList list;
    for (const Bytes& datagram : datagrams) {
        ReadMasterDatagram(datagram, table, list.endMarker);
        EXPECT_LE(table.Count(), table.capacity);
    }
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        list.servers.push_back(Ipv4Endpoint{table[i].address, table[i].port});
    }
    list.cut = table.serversLeftOut;
    return list;
}

void ExpectSocketOutcomes(std::initializer_list<std::pair<int, SocketOutcome>> codes) {
    for (const auto& [code, outcome] : codes) {
        const SocketStatus status = SocketStatusFromSystem(code);
        EXPECT_EQ(status.outcome, outcome) << code;
        EXPECT_EQ(status.systemCode, code);
    }
}

RefreshTiming ShortTiming() {
    RefreshTiming timing;
    timing.masterAnswerWaitMs = 150;
    timing.masterGapMs = 120;
    timing.masterGapAfterEndMs = 60;
    timing.passEndWaitMs = 150;
    timing.repaintAfterMs = 0;
    return timing;
}

std::vector<std::u16string> RecordingFrontEnd::Statuses() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return statuses_;
}

std::u16string RecordingFrontEnd::LastStatus() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return statuses_.empty() ? std::u16string() : statuses_.back();
}

bool RecordingFrontEnd::SawStatus(const std::u16string& text) const {
    const std::lock_guard<std::mutex> hold(mutex_);
    for (const auto& status : statuses_) {
        if (status == text) {
            return true;
        }
    }
    return false;
}

std::vector<std::int32_t> RecordingFrontEnd::Parsed() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return parsed_;
}

void RecordingFrontEnd::PutStatus(const char16_t* text) {
    const std::lock_guard<std::mutex> hold(mutex_);
    statuses_.emplace_back(text);
}

void RecordingFrontEnd::ForgetTable() {
    ++tableReplaced_;
}

void RecordingFrontEnd::TakeTable() {
    ++handOvers_;
    if (onHandOver) {
        onHandOver();
    }
}

void RecordingFrontEnd::RepaintList() {
    if (repaints_++ == 0) {
        firstRepaintTime_ = MillisecondClock();
    }
    if (onRepaint) {
        onRepaint();
    }
}

bool RecordingFrontEnd::ListServer(std::int32_t index) {
    if (onParsed) {
        onParsed();
    }
    const std::lock_guard<std::mutex> hold(mutex_);
    parsed_.push_back(index);
    return addsRows.load();
}

void RecordingFrontEnd::RefreshEnded() {
    if (onRefreshEnded) {
        onRefreshEnded();
    }
    ++refreshEnded_;
}

FakeMaster::FakeMaster(Script script) : script_(std::move(script)), socket_(UdpSocket::Open()) {
    socket_.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    port_ = socket_.LocalEndpoint().value_or(Ipv4Endpoint{}).port;
    thread_ = std::thread([this] { Serve(); });
}

FakeMaster::~FakeMaster() {
    stop_ = true;
    thread_.join();
}

std::vector<Bytes> FakeMaster::Requests() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return requests_;
}

std::vector<Ipv4Endpoint> FakeMaster::Requesters() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return requesters_;
}

std::vector<Bytes> FakeMaster::AwaitRequests(std::size_t count) const {
    WaitUntil([&] { return Requests().size() >= count; }, 1000, 5);
    return Requests();
}

std::vector<std::uint32_t> FakeMaster::RequestTimes() const {
    const std::lock_guard<std::mutex> hold(mutex_);
    return requestTimes_;
}

void FakeMaster::Serve() {
    std::uint8_t buffer[2048];
    int requestNumber = 0;
    while (!stop_) {
        if (socket_.WaitReadable(20) != ReadyResult::kReadable) {
            continue;
        }
        const ReceiveResult got = socket_.ReceiveFrom(buffer);
        if (!got.status.Ok() || got.size == 0) {
            continue;
        }
        ++requestNumber;
        {
            const std::lock_guard<std::mutex> hold(mutex_);
            requests_.emplace_back(buffer, buffer + got.size);
            requesters_.push_back(got.from);
            requestTimes_.push_back(MillisecondClock());
        }
        const auto& answered = script_.answerRequests;
        if (!answered.empty() &&
            std::find(answered.begin(), answered.end(), requestNumber) == answered.end()) {
            continue;
        }
        for (std::size_t i = 0; i < script_.datagrams.size(); ++i) {
            if (i > 0 && script_.gapMs > 0) {
                SleepMs(script_.gapMs);
            }
            socket_.SendTo(script_.datagrams[i], got.from);
        }
    }
}

FakeServers::Behaviour FakeServers::Silent() {
    Behaviour silent;
    silent.knobs.silent = true;
    return silent;
}

FakeServers::Behaviour FakeServers::Answering(const std::string& info,
                                              const std::vector<std::string>& lines,
                                              std::uint32_t latencyMs) {
    StatusAnswer answer;
    answer.InfoText(info);
    for (const std::string& line : lines) {
        answer.Line(line);
    }
    Behaviour answering{answer.Build(), {}};
    answering.knobs.latencyMs = latencyMs;
    return answering;
}

FakeServers::FakeServers(std::vector<Behaviour> behaviours) : servers_(behaviours.size()) {
    for (std::size_t i = 0; i < behaviours.size(); ++i) {
        Server& server = servers_[i];
        server.behaviour = std::move(behaviours[i]);
        server.socket = UdpSocket::Open();
        server.socket.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
        server.port = server.socket.LocalEndpoint().value_or(Ipv4Endpoint{}).port;
        if (server.behaviour.knobs.otherPort) {
            server.otherSocket = UdpSocket::Open();
        }
    }
    thread_ = std::thread([this] { Serve(); });
}

FakeServers::~FakeServers() {
    stop_ = true;
    thread_.join();
}

int FakeServers::Queries(std::size_t i) const {
    return servers_[i].queries.load();
}

Bytes FakeServers::MasterAnswer(const std::vector<std::uint16_t>& portsFirst) const {
    MasterDatagram datagram;
    for (const std::uint16_t port : portsFirst) {
        datagram.Entry(127, 0, 0, 1, port);
    }
    for (const Server& server : servers_) {
        datagram.Entry(127, 0, 0, 1, server.port);
    }
    return datagram.EndMarker().Build();
}

void FakeServers::Schedule(Server& server, std::uint32_t index, const Ipv4Endpoint& to) {
    const AnswerPlan plan = PlanAnswer(server.behaviour.knobs, 1, index,
                                       static_cast<std::uint32_t>(server.queries.load()));
    if (plan.decision != AnswerDecision::kAnswer) {
        return;
    }
    const Behaviour& behaviour = server.behaviour;
    const bool later = !behaviour.laterAnswer.empty() && server.queries.load() > 1;
    dueAnswers_.push_back({MillisecondClock() + plan.delayMs, &server, to, plan.copies,
                           later ? &behaviour.laterAnswer : &behaviour.answer});
}

void FakeServers::SendDueAnswers() {
    const std::uint32_t now = MillisecondClock();
    for (auto due = dueAnswers_.begin(); due != dueAnswers_.end();) {
        if (static_cast<std::int32_t>(now - due->due) < 0) {
            ++due;
            continue;
        }
        Server& server = *due->server;
        UdpSocket& from = server.behaviour.knobs.otherPort ? server.otherSocket : server.socket;
        for (std::uint32_t copy = 0; copy < due->copies; ++copy) {
            from.SendTo(*due->bytes, due->to);
        }
        due = dueAnswers_.erase(due);
    }
}

void FakeServers::Serve() {
    std::uint8_t buffer[2048];
    while (!stop_) {
        bool idle = true;
        for (std::uint32_t index = 0; index < servers_.size(); ++index) {
            Server& server = servers_[index];
            // Asked first, so that a blocking socket never stalls the loop.
            if (server.socket.WaitReadable(0) != ReadyResult::kReadable) {
                continue;
            }
            const ReceiveResult got = server.socket.ReceiveFrom(buffer);
            if (!got.status.Ok() || got.size == 0) {
                continue;
            }
            idle = false;
            ++server.queries;
            Schedule(server, index, got.from);
        }
        SendDueAnswers();
        if (idle) {
            SleepMs(1);
        }
    }
}

Bytes Utf16Bytes(const std::u16string& text) {
    Bytes bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

void UseFrontEnd(RefreshState& engine, RecordingFrontEnd& ui) {
    engine.frontEnd = std::shared_ptr<RefreshFrontEnd>(std::shared_ptr<RefreshFrontEnd>(), &ui);
}

void UseLocalMaster(RefreshState& engine, std::uint16_t port, RecordingFrontEnd& ui) {
    engine.masters = {MasterServer{"127.0.0.1", port}};
    engine.timing = ShortTiming();
    UseFrontEnd(engine, ui);
}

RefreshResult RunRefreshNow(RefreshState& engine) {
    engine.refreshInProgress = 1;
    return RunRefresh(engine);
}

bool StartsWithShape(std::string_view text, std::string_view shape) {
    if (text.size() < shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = text[i];
        const bool fits = shape[i] == '9'   ? c >= '0' && c <= '9'
                          : shape[i] == '~' ? c == '+' || c == '-'
                                            : c == shape[i];
        if (!fits) {
            return false;
        }
    }
    return true;
}

}  // namespace skelvane::test
