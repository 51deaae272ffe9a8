#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

enum class RequestKind { kStatusQuery, kServerListRequest, kOther };

// What a received datagram asks for: FF FF FF FF "getstatus" or FF FF FF FF
// "getservers", whatever follows; anything else is not a request.
RequestKind ClassifyRequest(std::span<const std::uint8_t> datagram);

}  // namespace skelvane
