#include "platform/socket_status.h"

#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/posix/sockaddr.h"
#include "platform/udp_socket.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

TEST(SocketStatus, TheSystemsCodesKeepTheirNumberAndMeanTheSameEverywhere) {
    test::ExpectSocketOutcomes({{EAGAIN, SocketOutcome::kNothingWaiting},
                                {EWOULDBLOCK, SocketOutcome::kNothingWaiting},
                                {EMSGSIZE, SocketOutcome::kOversized},
                                {ECONNREFUSED, SocketOutcome::kRefused},
                                {ENETUNREACH, SocketOutcome::kFailed},
                                {EBADF, SocketOutcome::kFailed}});
}

// What Windows tells every UDP socket, Linux tells one that is connected: a
// datagram it sent met a closed port, and its next receive says so.
TEST(SocketStatus, ASendToAClosedPortIsRefusedOnTheNextReceive) {
    std::uint16_t closedPort = 0;
    {
        UdpSocket borrowed = UdpSocket::Open();
        ASSERT_TRUE(borrowed.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
        closedPort = borrowed.LocalEndpoint()->port;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    const sockaddr_in closed = ToSockaddr(Ipv4Endpoint{LoopbackAddress(), closedPort});
    ASSERT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&closed), sizeof closed), 0);
    ASSERT_EQ(send(fd, "?", 1, 0), 1);
    pollfd report{fd, POLLIN, 0};
    ASSERT_EQ(poll(&report, 1, 1000), 1);
    char byte = 0;
    const ssize_t got = recv(fd, &byte, 1, MSG_DONTWAIT);
    const int code = errno;
    close(fd);
    ASSERT_LT(got, 0);
    EXPECT_EQ(SocketStatusFromSystem(code).outcome, SocketOutcome::kRefused);
}

}  // namespace
}  // namespace skelvane
