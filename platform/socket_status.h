#pragma once

#include <cstdint>

namespace skelvane {

// How a call on a UDP socket ended, in the same terms on every system.
enum class SocketOutcome : std::uint8_t {
    kDone,
    // A receive that does not wait found no datagram.
    kNothingWaiting,
    // The datagram did not fit the buffer; it is gone all the same.
    kOversized,
    // A datagram this socket sent earlier was refused: the system heard back
    // that nothing listens on the port it went to.
    kRefused,
    kFailed,
};

struct SocketStatus {
    SocketOutcome outcome = SocketOutcome::kDone;
    // The system's own code for a failure, for the texts that show it; 0 when done.
    std::int32_t systemCode = 0;

    bool Ok() const { return outcome == SocketOutcome::kDone; }
};

// The status of a call that failed with the system's error code (errno, or
// the socket layer's last error on Windows).
SocketStatus SocketStatusFromSystem(std::int32_t systemCode);

}  // namespace skelvane
