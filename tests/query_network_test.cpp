// Runs the built skelvane-query against a test network served by this process.

#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "tests/query_runner.h"
#include "tests/testnet_start.h"

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

}  // namespace
}  // namespace skelvane
