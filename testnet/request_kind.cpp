#include "testnet/request_kind.h"

#include "engine/byte_cursor.h"

namespace skelvane {

namespace {

constexpr std::uint8_t kStatusQueryStart[] = {0xFF, 0xFF, 0xFF, 0xFF, 'g', 'e', 't',
                                              's',  't',  'a',  't',  'u', 's'};
constexpr std::uint8_t kServerListStart[] = {0xFF, 0xFF, 0xFF, 0xFF, 'g', 'e', 't',
                                             's',  'e',  'r',  'v',  'e', 'r', 's'};

}  // namespace

// The rest of a request is not read: the servers answer every getstatus the
// same way, and the master lists every server whatever filter flags come with
// the request.
RequestKind ClassifyRequest(std::span<const std::uint8_t> datagram) {
    const ByteCursor cursor(datagram);
    if (cursor.StartsWith(kStatusQueryStart)) {
        return RequestKind::kStatusQuery;
    }
    if (cursor.StartsWith(kServerListStart)) {
        return RequestKind::kServerListRequest;
    }
    return RequestKind::kOther;
}

}  // namespace skelvane
