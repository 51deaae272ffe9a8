// Runs the built skelvane-query against a test network served by this process.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>

#include "cli/text_coding.h"
#include "lists/server_cache.h"
#include "tests/cli/query_runner.h"
#include "tests/testnet/testnet_start.h"

namespace skelvane {
namespace {

using test::EndpointText;
using test::QueryRun;
using test::RunQuery;
using test::TempFile;

std::string MasterOf(const BackgroundNetwork& network) {
    return EndpointText(network.Network().MasterEndpoint());
}

std::string ServerOf(const BackgroundNetwork& network, std::size_t i) {
    return EndpointText(network.Network().ServerEndpoints()[i]);
}

std::uint64_t QueriesReceived(const TrafficCounters& counters) {
    return std::accumulate(
        counters.servers.begin(), counters.servers.end(), std::uint64_t{0},
        [](std::uint64_t sum, const ServerTraffic& s) { return sum + s.queries; });
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(QueryNetwork, SweepsGivenServersWithoutTheMasterAndEachOnceBesideIt) {
    const auto network = test::StartTestNetwork({"--mix", "plain", "--servers", "4"});
    ASSERT_TRUE(network);
    const auto port = std::to_string(network->Network().ServerEndpoints()[3].port);
    const TempFile list("# two of them\n\n" + ServerOf(*network, 0) + "\n" + ServerOf(*network, 1) +
                        "\r\n");

    const QueryRun given =
        RunQuery({"--servers", list.path(), "--server", ServerOf(*network, 2), "--server",
                  "localhost:" + port, "--server", ServerOf(*network, 1), "--rate", "1000"});
    EXPECT_EQ(given.exitCode, 0) << given.err;
    EXPECT_NE(given.err.find("Completed. 4 of 4 servers responded."), std::string::npos)
        << given.err;
    EXPECT_EQ(given.err.find("Resolving"), std::string::npos) << "no master is asked";
    EXPECT_EQ(Lines(given.out), 5u) << given.out;

    const QueryRun both = RunQuery({"--master", MasterOf(*network), "--servers", list.path(),
                                    "--server", ServerOf(*network, 3), "--rate", "1000"});
    EXPECT_EQ(both.exitCode, 0) << both.err;
    EXPECT_NE(both.err.find("Completed. 4 of 4 servers responded."), std::string::npos) << both.err;

    const TrafficCounters& sent = network->Stop();
    EXPECT_EQ(sent.master.requests, 1u);
    EXPECT_EQ(QueriesReceived(sent), 8u) << "each server queried once by each run";
}

TEST(QueryNetwork, ABadServersLineIsNamedAndNothingIsQueried) {
    const auto network = test::StartTestNetwork({"--mix", "plain", "--servers", "2"});
    ASSERT_TRUE(network);
    const TempFile list(ServerOf(*network, 0) + "\n# fine\nnot a server\n" + ServerOf(*network, 1) +
                        "\n");
    const QueryRun run = RunQuery({"--servers", list.path(), "--master", MasterOf(*network)});
    EXPECT_EQ(run.exitCode, 65);
    EXPECT_NE(run.err.find(list.path() + ":3: expected HOST or HOST:PORT, got 'not a server'"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty());

    const QueryRun missing = RunQuery({"--servers", list.path() + ".missing"});
    EXPECT_EQ(missing.exitCode, 65);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;

    const TrafficCounters& sent = network->Stop();
    EXPECT_EQ(sent.master.requests, 0u);
    EXPECT_EQ(QueriesReceived(sent), 0u);
}

using Pair = std::pair<std::string, std::string>;

// An answer's info line read the plain way: split at runs of backslashes, the
// pieces paired as key and value.
std::vector<Pair> InfoPairs(const Datagram& answer) {
    const std::string text(answer.begin(), answer.end());
    const std::size_t start = text.find('\n') + 1;
    const std::string info = text.substr(start, text.find('\n', start) - start);
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < info.size();) {
        const std::size_t end = std::min(info.find('\\', at), info.size());
        if (end > at) {
            pieces.push_back(info.substr(at, end - at));
        }
        at = end + 1;
    }
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        pairs.emplace_back(pieces[i], pieces[i + 1]);
    }
    return pairs;
}

std::string RulesJson(const std::vector<Pair>& pairs) {
    const auto json = [](const std::string& piece) { return JsonString(Utf16FromBytes(piece)); };
    std::string rules;
    for (const Pair& pair : pairs) {
        rules += (rules.empty() ? "" : ", ") + json(pair.first) + ": " + json(pair.second);
    }
    return "\"rules\": {" + rules + "}, \"rulesNotKept\": 0";
}

TEST(QueryNetwork, RulesShowEveryPairOfEachAnswersInfoLineInOrder) {
    const auto network = test::StartTestNetwork(
        {"--mix", "plain", "--servers", "3", "--seed", "3", "--knobs", "1:hostile=empty-values"});
    ASSERT_TRUE(network);
    const QueryRun json =
        RunQuery({"--master", MasterOf(*network), "--rules", "--json", "--rate", "1000"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const auto planned = network->Network().Servers();
    std::size_t pairCount = 0;
    for (std::uint32_t i = 0; i < planned.size(); ++i) {
        const std::string port =
            "\"port\": " + std::to_string(network->Network().ServerEndpoints()[i].port) + ",";
        const std::size_t record = json.out.find(port);
        ASSERT_NE(record, std::string::npos) << json.out;
        const std::vector<Pair> pairs = InfoPairs(PlannedAnswer(planned[i], 3, i));
        pairCount += pairs.size();
        const std::string rules = RulesJson(pairs);
        EXPECT_EQ(json.out.find(rules, record), json.out.find("\"rules\"", record))
            << "expected " << rules << "\n"
            << json.out;
    }

    const QueryRun table = RunQuery({"--master", MasterOf(*network), "--rules", "--rate", "1000"});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(Lines(table.out), 1 + planned.size() + pairCount) << "a line a rule:\n" << table.out;
}

TEST(QueryNetwork, ACacheFromAWholeAnswerIsSweptWhenTheMasterIsDownAndADamagedOneIsNot) {
    const auto network = test::StartTestNetwork({"--mix", "plain", "--servers", "3"});
    ASSERT_TRUE(network);
    // An empty datagram ends the master phase at once with an error, where a
    // silent master takes three waits of two seconds.
    test::FakeMaster down({{}, {test::Bytes{}}});
    const TempFile cache;
    const QueryRun saved =
        RunQuery({"--master", MasterOf(*network), "--cache", cache.path(), "--rate", "1000"});
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    const auto list = ParseServerCache(cache.Read());
    ASSERT_TRUE(list) << list.Why();
    const auto servers = network->Network().ServerEndpoints();
    EXPECT_EQ(list->servers, std::vector<Ipv4Endpoint>(servers.begin(), servers.end()));

    const std::string written = cache.Read();
    const QueryRun fallback =
        RunQuery({"--master", test::Master(down), "--cache", cache.path(), "--rate", "1000"});
    EXPECT_EQ(fallback.exitCode, 4) << fallback.err;
    EXPECT_NE(fallback.err.find("Error querying 127.0.0.1."), std::string::npos) << fallback.err;
    EXPECT_NE(fallback.err.find("The master did not answer: sweeping the cached list of 3 "
                                "servers from " +
                                cache.path() + ", saved "),
              std::string::npos)
        << fallback.err;
    EXPECT_NE(fallback.err.find("Completed. 3 of 3 servers responded."), std::string::npos);
    EXPECT_EQ(Lines(fallback.out), 4u) << fallback.out;
    EXPECT_EQ(cache.Read(), written) << "a failed master phase leaves the cache as it was";

    const TempFile damaged(written.substr(0, written.size() - 10));
    const TempFile missing;
    std::remove(missing.path().c_str());
    for (const TempFile* unusable : {&damaged, &missing}) {
        const QueryRun refused = RunQuery(
            {"--master", test::Master(down), "--cache", unusable->path(), "--rate", "1000"});
        EXPECT_EQ(refused.exitCode, 2) << refused.err;
        EXPECT_NE(refused.err.find("no cached list to sweep instead: "), std::string::npos)
            << refused.err;
        EXPECT_EQ(refused.err.find("Querying servers..."), std::string::npos) << refused.err;
    }

    test::FakeMaster cutShort(
        {{}, {MasterDatagram().Entry(127, 0, 0, 1, servers[0].port).Build()}});
    const TempFile unwritten;
    std::remove(unwritten.path().c_str());
    const QueryRun partial =
        RunQuery({"--master", test::Master(cutShort), "--cache", unwritten.path()});
    EXPECT_EQ(partial.exitCode, 0) << partial.err;
    EXPECT_FALSE(std::filesystem::exists(unwritten.path()))
        << "an answer without its end marker is no list to keep";
}

std::uint64_t DatagramsSent(const TrafficCounters& counters) {
    return std::accumulate(
        counters.servers.begin(), counters.servers.end(), std::uint64_t{0},
        [](std::uint64_t sum, const ServerTraffic& s) { return sum + s.datagrams; });
}

// Every datagram the network sent is counted once: taken in as an answer, or
// counted as a duplicate, from an unmatched sender, oversized or late.
TEST(QueryNetwork, StatisticsAccountForEveryDatagramTheNetworkSent) {
    const auto network = test::StartTestNetwork(
        {"--mix", "plain", "--servers", "8", "--master-duplicates", "--knobs", "0:silent",
         "--knobs", "1:duplicate", "--knobs", "2:other-port", "--knobs", "3:hostile=oversize-5000",
         "--knobs", "4:answer-on=2"});
    ASSERT_TRUE(network);
    const QueryRun run =
        RunQuery({"--master", MasterOf(*network), "--rate", "1000", "--stats", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const TrafficCounters& sent = network->Stop();
    const std::string master =
        "{\"master\": {\"datagrams\": " + std::to_string(sent.master.datagrams) +
        ", \"entries\": 16, \"duplicates\": 8}";
    // The silent, other-port and oversized servers are asked in every pass;
    // the one that answers only its second query answers in pass 2.
    const std::string passes =
        "\"passes\": [{\"queriesSent\": 8, \"answersMatched\": 4}, "
        "{\"queriesSent\": 4, \"answersMatched\": 1}, {\"queriesSent\": 3, \"answersMatched\": 0}]";
    const std::string others =
        "\"late\": 0, \"duplicate\": 1, \"unmatchedSender\": 3, \"oversized\": 3, \"ping\": {";
    for (const std::string& expected : {master, passes, others}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    EXPECT_EQ(QueriesReceived(sent), 15u);
    // 5 answers taken in, 1 duplicate, 3 unmatched, 3 oversized, 0 late.
    EXPECT_EQ(DatagramsSent(sent), 5u + 1 + 3 + 3 + 0);
}

}  // namespace
}  // namespace skelvane
