#include "platform/socket_status.h"

#include <winsock2.h>

namespace skelvane {

// Windows tells every UDP socket that a datagram it sent met a closed port:
// its next receive fails with WSAECONNRESET.
SocketStatus SocketStatusFromSystem(std::int32_t systemCode) {
    SocketOutcome outcome = SocketOutcome::kFailed;
    if (systemCode == WSAEWOULDBLOCK) {
        outcome = SocketOutcome::kNothingWaiting;
    } else if (systemCode == WSAEMSGSIZE) {
        outcome = SocketOutcome::kOversized;
    } else if (systemCode == WSAECONNRESET) {
        outcome = SocketOutcome::kRefused;
    }
    return SocketStatus{outcome, systemCode};
}

}  // namespace skelvane
