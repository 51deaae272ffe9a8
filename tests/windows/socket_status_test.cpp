// The socket layer's own codes in the program's terms. (Wine, unlike Windows,
// does not tell an unconnected UDP socket of the closed port its datagram met,
// so that report is seen only in the native test of a connected socket.)

#include "platform/socket_status.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace skelvane {
namespace {

TEST(SocketStatus, TheSystemsCodesKeepTheirNumberAndMeanTheSameEverywhere) {
    test::ExpectSocketOutcomes({{WSAEWOULDBLOCK, SocketOutcome::kNothingWaiting},
                                {WSAEMSGSIZE, SocketOutcome::kOversized},
                                {WSAECONNRESET, SocketOutcome::kRefused},
                                {WSAENETUNREACH, SocketOutcome::kFailed},
                                {WSAENOTSOCK, SocketOutcome::kFailed}});
}

}  // namespace
}  // namespace skelvane
