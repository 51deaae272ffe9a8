// The socket's read event, as both systems keep it. The receiver reads one
// datagram a wake at a paced rate and counts on the event being signalled
// again while more wait; these run natively and under Wine.

#include <gtest/gtest.h>

#include "platform/event.h"
#include "platform/udp_socket.h"

namespace skelvane {
namespace {

TEST(UdpSocketReadEvent, SignalsWhileADatagramWaits) {
    UdpSocket receiver = UdpSocket::Open();
    ASSERT_TRUE(receiver.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
    Event readable = Event::Create(EventReset::kAuto);
    Event stop = Event::Create(EventReset::kAuto);
    ASSERT_TRUE(receiver.BindReadEvent(readable));
    EXPECT_EQ(WaitForEither(readable, stop, 0), WaitResult::kTimeout);

    UdpSocket sender = UdpSocket::Open();
    const std::uint8_t hello[] = {'h', 'i'};
    ASSERT_TRUE(sender.SendTo(hello, *receiver.LocalEndpoint()).Ok());
    stop.Set();
    EXPECT_EQ(WaitForEither(readable, stop, 1000), WaitResult::kFirst)
        << "a waiting datagram comes before the stop signal";

    std::uint8_t buffer[16];
    const ReceiveResult got = receiver.ReceiveFrom(buffer);
    EXPECT_EQ(got.size, 2u);
    EXPECT_EQ(got.from.address, LoopbackAddress());
    EXPECT_EQ(got.from.port, sender.LocalEndpoint()->port);
    EXPECT_EQ(WaitForEither(readable, stop, 0), WaitResult::kSecond);
}

TEST(UdpSocketReadEvent, IsSignalledAgainAfterEachReadWhileMoreWait) {
    UdpSocket receiver = UdpSocket::Open();
    ASSERT_TRUE(receiver.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
    Event readable = Event::Create(EventReset::kAuto);
    Event never = Event::Create(EventReset::kAuto);
    ASSERT_TRUE(receiver.BindReadEvent(readable));
    UdpSocket sender = UdpSocket::Open();
    constexpr int kWaiting = 3;
    for (std::uint8_t i = 0; i < kWaiting; ++i) {
        const std::uint8_t datagram[] = {i};
        ASSERT_TRUE(sender.SendTo(datagram, *receiver.LocalEndpoint()).Ok());
    }
    std::uint8_t buffer[16];
    for (int i = 0; i < kWaiting; ++i) {
        ASSERT_EQ(WaitForEither(readable, never, 1000), WaitResult::kFirst)
            << "datagram " << i << " waits unseen";
        const ReceiveResult got = receiver.ReceiveFrom(buffer);
        ASSERT_EQ(got.size, 1u);
        EXPECT_EQ(buffer[0], i);
    }
    EXPECT_EQ(WaitForEither(readable, never, 50), WaitResult::kTimeout) << "none left";
}

}  // namespace
}  // namespace skelvane
