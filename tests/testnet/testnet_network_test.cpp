#include "testnet/background_network.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/master_wire.h"
#include "engine/status_sweep.h"
#include "platform/clock.h"
#include "tests/support/test_support.h"
#include "tests/testnet/testnet_start.h"

namespace skelvane {
namespace {

struct Arrival {
    Datagram bytes;
    Ipv4Endpoint from;
    std::uint32_t atMs = 0;
};

std::vector<Datagram> Datagrams(const std::vector<Arrival>& arrivals) {
    std::vector<Datagram> datagrams;
    for (const Arrival& arrival : arrivals) {
        datagrams.push_back(arrival.bytes);
    }
    return datagrams;
}

// A client socket that keeps whatever arrives, with the time it arrived.
class Client {
  public:
    Client() : socket_(UdpSocket::Open()) {
        socket_.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
        socket_.SetBufferSizes(4 << 20);
    }

    void Send(std::span<const std::uint8_t> bytes, const Ipv4Endpoint& to) {
        ASSERT_TRUE(socket_.SendTo(bytes, to).Ok());
    }

    // Everything that arrives until `quietMs` pass without a datagram.
    std::vector<Arrival> Collect(std::uint32_t quietMs) {
        std::vector<Arrival> arrivals;
        std::vector<std::uint8_t> buffer(65536);
        while (socket_.WaitReadable(quietMs) == ReadyResult::kReadable) {
            const ReceiveResult got = socket_.ReceiveFrom(buffer);
            if (got.status.Ok()) {
                arrivals.push_back(Arrival{Datagram(buffer.begin(), buffer.begin() + got.size),
                                           got.from, MillisecondClock()});
            }
        }
        return arrivals;
    }

  private:
    UdpSocket socket_;
};

TEST(TestnetNetwork, ServersAnswerTheWayTheirKnobsSay) {
    const auto background = test::StartTestNetwork(
        {"--mix", "plain", "--servers", "4", "--knobs", "0:latency=300", "--knobs", "1:duplicate",
         "--knobs", "2:other-port", "--knobs", "3:answer-on=2"});
    ASSERT_TRUE(background);
    const auto servers = background->Network().ServerEndpoints();
    Client client;
    const std::uint32_t sentAt = MillisecondClock();
    for (const Ipv4Endpoint& server : servers) {
        client.Send(kStatusQuery, server);
    }
    std::map<std::uint16_t, std::vector<Arrival>> byPort;
    for (Arrival& arrival : client.Collect(500)) {
        byPort[arrival.from.port].push_back(std::move(arrival));
    }
    // The fourth sender is the second socket of server 2, at an unlisted port.
    EXPECT_EQ(byPort.size(), 3u);

    ASSERT_EQ(byPort[servers[0].port].size(), 1u);
    EXPECT_GE(ElapsedMs(byPort[servers[0].port][0].atMs, sentAt), 290u);
    ASSERT_EQ(byPort[servers[1].port].size(), 2u);
    EXPECT_EQ(byPort[servers[1].port][0].bytes, byPort[servers[1].port][1].bytes);
    EXPECT_TRUE(byPort[servers[2].port].empty());
    EXPECT_TRUE(byPort[servers[3].port].empty());

    client.Send(kStatusQuery, servers[3]);
    EXPECT_EQ(client.Collect(200).size(), 1u);

    const TrafficCounters& sent = background->Stop();
    EXPECT_EQ(sent.servers[0].answers, 1u);
    EXPECT_EQ(sent.servers[1].datagrams, 2u);
    EXPECT_EQ(sent.servers[2].otherPortAnswers, 1u);
    EXPECT_EQ(sent.servers[3].queries, 2u);
    EXPECT_EQ(sent.servers[3].withheld, 1u);
}

TEST(TestnetNetwork, MasterAnswersOnlyTheNamedRequestWithGaps) {
    const auto background =
        test::StartTestNetwork({"--mix", "plain", "--servers", "5", "--master-split", "2",
                                "--master-answer-on", "2", "--master-gap", "100"});
    ASSERT_TRUE(background);
    const MasterRequest request = BuildGetServersRequest(true, true);
    Client client;
    client.Send(request.View(), background->Network().MasterEndpoint());
    EXPECT_TRUE(client.Collect(150).empty());

    client.Send(request.View(), background->Network().MasterEndpoint());
    const std::vector<Arrival> answer = client.Collect(300);
    ASSERT_EQ(answer.size(), 3u);
    EXPECT_GE(ElapsedMs(answer[2].atMs, answer[0].atMs), 190u);
    const test::MasterList read = test::ReadMasterList(Datagrams(answer));
    EXPECT_TRUE(read.endMarker);
    const auto servers = background->Network().ServerEndpoints();
    EXPECT_EQ(read.servers, std::vector<Ipv4Endpoint>(servers.begin(), servers.end()));
    EXPECT_EQ(background->Stop().master.requests, 2u);
}

// Five thousand servers, each on its own socket, queried in quick bursts:
// every query gets its answer and the master lists them all.
TEST(TestnetNetwork, FiveThousandServersAnswerEveryQuery) {
    constexpr std::size_t kServers = 5000;
    constexpr std::size_t kBurst = 50;
    const auto background = test::StartTestNetwork(
        {"--mix", "plain", "--servers", "5000", "--spread", "4", "--master-split", "1000"});
    ASSERT_TRUE(background);
    Client client;
    client.Send(BuildGetServersRequest(false, false).View(),
                background->Network().MasterEndpoint());
    const std::vector<Ipv4Endpoint> servers =
        test::ReadMasterList(Datagrams(client.Collect(200))).servers;
    ASSERT_EQ(servers.size(), kServers);

    std::size_t answers = 0;
    for (std::size_t first = 0; first < kServers; first += kBurst) {
        for (std::size_t i = first; i < first + kBurst; ++i) {
            client.Send(kStatusQuery, servers[i]);
        }
        answers += client.Collect(first + kBurst < kServers ? 1 : 200).size();
    }
    answers += client.Collect(100).size();
    EXPECT_EQ(answers, kServers);
    const TrafficCounters& sent = background->Stop();
    EXPECT_EQ(sent.sendFailures, 0u);
    EXPECT_EQ(sent.ignored, 0u);
}

}  // namespace
}  // namespace skelvane
