#include <gtest/gtest.h>

#include <thread>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/udp_socket.h"

namespace skelvane {
namespace {

TEST(Clock, DifferencesWrapAround) {
    EXPECT_EQ(ElapsedMs(5, 0xFFFFFFFBu), 10u);
    EXPECT_EQ(ElapsedMs(1000, 250), 750u);
    EXPECT_EQ(ElapsedMs(0, 0), 0u);
}

TEST(Clock, AdvancesWithSleep) {
    const std::uint32_t start = MillisecondClock();
    SleepMs(30);
    const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
    EXPECT_GE(spent, 29u);
    EXPECT_LT(spent, 1000u);
}

TEST(Event, WaitReportsTheFirstWhenBothAreSignalled) {
    Event first = Event::Create(EventReset::kAuto);
    Event second = Event::Create(EventReset::kManual);
    first.Set();
    second.Set();
    EXPECT_EQ(WaitForEither(first, second, 0), WaitResult::kFirst);
    // The auto-reset event was consumed; the manual one stays set.
    EXPECT_EQ(WaitForEither(first, second, 0), WaitResult::kSecond);
    EXPECT_EQ(WaitForEither(first, second, 0), WaitResult::kSecond);
    second.Reset();
    EXPECT_EQ(WaitForEither(first, second, 0), WaitResult::kTimeout);
}

TEST(Event, AutoResetSignalIsConsumedOnceAndManualPollDoesNotConsume) {
    Event automatic = Event::Create(EventReset::kAuto);
    Event manual = Event::Create(EventReset::kManual);
    automatic.Set();
    automatic.Set();
    EXPECT_TRUE(automatic.Poll());
    EXPECT_FALSE(automatic.Poll()) << "two sets before a wait are one signal";
    manual.Set();
    EXPECT_TRUE(manual.Poll());
    EXPECT_TRUE(manual.Poll());
}

TEST(Event, TimeoutIsHonouredAndASetFromAnotherThreadWakesTheWait) {
    Event a = Event::Create(EventReset::kAuto);
    Event b = Event::Create(EventReset::kAuto);
    std::uint32_t start = MillisecondClock();
    EXPECT_EQ(WaitForEither(a, b, 60), WaitResult::kTimeout);
    EXPECT_GE(ElapsedMs(MillisecondClock(), start), 59u);

    start = MillisecondClock();
    std::thread setter([&] {
        SleepMs(20);
        b.Set();
    });
    EXPECT_EQ(WaitForEither(a, b, kWaitForever), WaitResult::kSecond);
    setter.join();
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 1000u);
}

TEST(Event, OnlyOneOfTwoWaitersTakesAnAutoResetSignal) {
    Event shared = Event::Create(EventReset::kAuto);
    Event never1 = Event::Create(EventReset::kAuto);
    Event never2 = Event::Create(EventReset::kAuto);
    WaitResult r1 = WaitResult::kFailed;
    WaitResult r2 = WaitResult::kFailed;
    std::thread w1([&] { r1 = WaitForEither(shared, never1, 300); });
    std::thread w2([&] { r2 = WaitForEither(shared, never2, 300); });
    SleepMs(50);
    shared.Set();
    w1.join();
    w2.join();
    EXPECT_EQ((r1 == WaitResult::kFirst) + (r2 == WaitResult::kFirst), 1);
}

TEST(UdpSocket, ADatagramLargerThanTheBufferIsAFailedReceive) {
    UdpSocket receiver = UdpSocket::Open();
    ASSERT_TRUE(receiver.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
    UdpSocket sender = UdpSocket::Open();
    const std::vector<std::uint8_t> big(5000, 'x');
    ASSERT_TRUE(sender.SendTo(big, *receiver.LocalEndpoint()).Ok());
    ASSERT_EQ(receiver.WaitReadable(1000), ReadyResult::kReadable);
    std::uint8_t buffer[4096];
    EXPECT_EQ(receiver.ReceiveFrom(buffer).status.outcome, SocketOutcome::kOversized);
    EXPECT_EQ(receiver.WaitReadable(0), ReadyResult::kTimeout) << "the datagram is gone";
}

TEST(UdpSocket, ResolvesDottedAddresses) {
    EXPECT_EQ(ResolveIpv4("127.0.0.1"), LoopbackAddress());
}

}  // namespace
}  // namespace skelvane
