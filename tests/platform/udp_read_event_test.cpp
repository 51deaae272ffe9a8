// The socket's read event, as both systems keep it. The receiver reads one
// datagram a wake at a paced rate and counts on the event being signalled
// again while more wait; these run natively and under Wine.

#include <gtest/gtest.h>

#include "platform/event.h"
#include "platform/udp_socket.h"

namespace skelvane {
namespace {

// A receiving socket bound to its read event, and a second event to wait on
// beside it, as the receiver waits on its stop signal.
class UdpSocketReadEvent : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(receiver.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
        ASSERT_TRUE(receiver.BindReadEvent(readable));
    }

    UdpSocket receiver = UdpSocket::Open();
    Event readable = Event::Create(EventReset::kAuto);
    Event other = Event::Create(EventReset::kAuto);
    UdpSocket sender = UdpSocket::Open();
    std::uint8_t buffer[16] = {};
};

TEST_F(UdpSocketReadEvent, SignalsWhileADatagramWaits) {
    EXPECT_EQ(WaitForEither(readable, other, 0), WaitResult::kTimeout);
    const std::uint8_t hello[] = {'h', 'i'};
    ASSERT_TRUE(sender.SendTo(hello, *receiver.LocalEndpoint()).Ok());
    other.Set();
    EXPECT_EQ(WaitForEither(readable, other, 1000), WaitResult::kFirst)
        << "a waiting datagram comes before the other signal";

    const ReceiveResult got = receiver.ReceiveFrom(buffer);
    EXPECT_EQ(got.size, 2u);
    EXPECT_EQ(got.from.address, LoopbackAddress());
    EXPECT_EQ(got.from.port, sender.LocalEndpoint()->port);
    EXPECT_EQ(WaitForEither(readable, other, 0), WaitResult::kSecond);
}

TEST_F(UdpSocketReadEvent, IsSignalledAgainAfterEachReadWhileMoreWait) {
    constexpr int kWaiting = 3;
    for (std::uint8_t i = 0; i < kWaiting; ++i) {
        const std::uint8_t datagram[] = {i};
        ASSERT_TRUE(sender.SendTo(datagram, *receiver.LocalEndpoint()).Ok());
    }
    for (int i = 0; i < kWaiting; ++i) {
        ASSERT_EQ(WaitForEither(readable, other, 1000), WaitResult::kFirst)
            << "datagram " << i << " waits unseen";
        ASSERT_EQ(receiver.ReceiveFrom(buffer).size, 1u);
        EXPECT_EQ(buffer[0], i);
    }
    EXPECT_EQ(WaitForEither(readable, other, 50), WaitResult::kTimeout) << "none left";
}

}  // namespace
}  // namespace skelvane
