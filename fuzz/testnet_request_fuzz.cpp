// The test network's servers read every datagram sent to them: whatever
// arrives is a status query, a server list request or nothing.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz/fuzz_check.h"
#include "testnet/request_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using skelvane::RequestKind;
    const RequestKind kind = skelvane::ClassifyRequest(std::span<const std::uint8_t>(data, size));
    const char* prefix = kind == RequestKind::kStatusQuery         ? "\xFF\xFF\xFF\xFFgetstatus"
                         : kind == RequestKind::kServerListRequest ? "\xFF\xFF\xFF\xFFgetservers"
                                                                   : nullptr;
    if (prefix != nullptr) {
        const std::size_t length = std::strlen(prefix);
        skelvane::fuzz::Require(size >= length && std::memcmp(data, prefix, length) == 0);
    }
    return 0;
}
