#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/refresh_engine.h"
#include "platform/udp_socket.h"
#include "testnet/master_answer.h"
#include "testnet/server_behaviour.h"
#include "testnet/status_answer.h"

namespace skelvane::test {

using Bytes = std::vector<std::uint8_t>;

// What the browser's reader makes of a master's datagrams, read in order into
// one table.
struct MasterList {
    std::vector<Ipv4Endpoint> servers;
    bool endMarker = false;
    // More servers were listed than the table holds.
    bool cut = false;
};
MasterList ReadMasterList(const std::vector<Bytes>& datagrams);

// Expects each of the system's error codes to mean its outcome, and to keep
// its number for the status texts that show it.
void ExpectSocketOutcomes(std::initializer_list<std::pair<int, SocketOutcome>> codes);

// Timings short enough for tests; the real ones are tested separately.
RefreshTiming ShortTiming();

// A front end that remembers what the engine asked of it.
class RecordingFrontEnd : public RefreshFrontEnd {
  public:
    std::vector<std::u16string> Statuses() const;
    std::u16string LastStatus() const;
    bool SawStatus(const std::u16string& text) const;
    int tableReplaced() const { return tableReplaced_.load(); }
    int handOvers() const { return handOvers_.load(); }
    int refreshEnded() const { return refreshEnded_.load(); }
    int repaints() const { return repaints_.load(); }
    std::uint32_t FirstRepaintTime() const { return firstRepaintTime_.load(); }
    std::vector<std::int32_t> Parsed() const;

    // What ListServer answers: whether the server gets a row.
    std::atomic<bool> addsRows{true};
    // Run inside RefreshEnded, as a front end's click handler would.
    std::function<void()> onRefreshEnded;
    // Run inside TakeTable and RepaintList, on the thread that calls them.
    std::function<void()> onHandOver;
    std::function<void()> onRepaint;
    // Run for every parsed answer, with the table lock held.
    std::function<void()> onParsed;

    void PutStatus(const char16_t* text) override;
    void ForgetTable() override;
    void TakeTable() override;
    bool ListServer(std::int32_t index) override;
    void RepaintList() override;
    void RefreshEnded() override;

  private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> statuses_;
    std::vector<std::int32_t> parsed_;
    std::atomic<int> tableReplaced_{0};
    std::atomic<int> handOvers_{0};
    std::atomic<int> refreshEnded_{0};
    std::atomic<int> repaints_{0};
    std::atomic<std::uint32_t> firstRepaintTime_{0};
};

// A master server on a loopback port that answers from a script.
class FakeMaster {
  public:
    struct Script {
        // The request numbers (1 = first) that get an answer; empty: every one.
        std::vector<int> answerRequests;
        std::vector<Bytes> datagrams;
        std::uint32_t gapMs = 0;
    };

    explicit FakeMaster(Script script);
    ~FakeMaster();
    std::uint16_t port() const { return port_; }
    std::vector<Bytes> Requests() const;
    // Where the requests came from, in order.
    std::vector<Ipv4Endpoint> Requesters() const;
    // The requests once `count` have arrived or a second has passed.
    std::vector<Bytes> AwaitRequests(std::size_t count) const;
    std::vector<std::uint32_t> RequestTimes() const;

  private:
    void Serve();

    Script script_;
    UdpSocket socket_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Bytes> requests_;
    std::vector<Ipv4Endpoint> requesters_;
    std::vector<std::uint32_t> requestTimes_;
    std::thread thread_;
};

// Game servers on loopback ports that answer status queries as the test
// network's knobs say.
class FakeServers {
  public:
    struct Behaviour {
        Bytes answer;
        ServerBehaviour knobs;
        // When given, the answer to every query after the first.
        Bytes laterAnswer{};
    };
    static Behaviour Silent();
    // A server answering with this info line and these lines after it, each
    // answer `latencyMs` after its query.
    static Behaviour Answering(const std::string& info, const std::vector<std::string>& lines,
                               std::uint32_t latencyMs = 0);

    explicit FakeServers(std::vector<Behaviour> behaviours);
    ~FakeServers();
    std::size_t size() const { return servers_.size(); }
    std::uint16_t port(std::size_t i) const { return servers_[i].port; }
    int Queries(std::size_t i) const;
    // A master answer that lists the servers at `portsFirst` on 127.0.0.1,
    // then every one of these servers, in order.
    Bytes MasterAnswer(const std::vector<std::uint16_t>& portsFirst = {}) const;

  private:
    struct Server {
        Behaviour behaviour;
        UdpSocket socket;
        UdpSocket otherSocket;
        std::uint16_t port = 0;
        std::atomic<int> queries{0};
    };
    struct DueAnswer {
        std::uint32_t due;
        Server* server;
        Ipv4Endpoint to;
        std::uint32_t copies;
        const Bytes* bytes;
    };
    void Serve();
    // Late answers wait in a list, so that one slow server holds up no other.
    void Schedule(Server& server, std::uint32_t index, const Ipv4Endpoint& to);
    void SendDueAnswers();

    std::vector<DueAnswer> dueAnswers_;

    std::vector<Server> servers_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Lets the engine tell `ui`, which the test keeps for as long as the engine.
void UseFrontEnd(RefreshState& engine, RecordingFrontEnd& ui);

// Whether `text` begins with `shape`, in which '9' stands for any digit, '~'
// for a sign ('+' or '-') and every other character for itself: the form of a
// time stamp, say, "9999-99-99 99:99:99 ".
bool StartsWithShape(std::string_view text, std::string_view shape);

// The time stamps the watch writes first on each line, in its two forms.
inline constexpr std::string_view kLineStamp = "9999-99-99 99:99:99 ";
inline constexpr std::string_view kJsonStamp = "{\"time\": \"9999-99-99T99:99:99~99:99\", ";

// Every unit of `text` as little-endian UTF-16 bytes, zero units among them,
// with no terminator added: a stored text as anyone may have written it.
Bytes Utf16Bytes(const std::u16string& text);

// Points the engine at a local master and the recording front end.
void UseLocalMaster(RefreshState& engine, std::uint16_t port, RecordingFrontEnd& ui);

// Runs a refresh the way the Update button does, and waits for its end.
RefreshResult RunRefreshNow(RefreshState& engine);

}  // namespace skelvane::test
