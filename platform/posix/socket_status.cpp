#include "platform/socket_status.h"

#include <errno.h>

namespace skelvane {

// Linux tells an unreachable port only to a connected socket, as ECONNREFUSED
// on its next call; a datagram too large for the buffer is EMSGSIZE here, as
// the receive marks it.
SocketStatus SocketStatusFromSystem(std::int32_t systemCode) {
    SocketOutcome outcome = SocketOutcome::kFailed;
    if (systemCode == EAGAIN || systemCode == EWOULDBLOCK) {
        outcome = SocketOutcome::kNothingWaiting;
    } else if (systemCode == EMSGSIZE) {
        outcome = SocketOutcome::kOversized;
    } else if (systemCode == ECONNREFUSED) {
        outcome = SocketOutcome::kRefused;
    }
    return SocketStatus{outcome, systemCode};
}

}  // namespace skelvane
