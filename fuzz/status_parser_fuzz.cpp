// Arbitrary bytes as the status answer of a server that was queried and has
// not answered yet.

#include <algorithm>
#include <memory>

#include "engine/status_parser.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::IsCleanText;
using skelvane::fuzz::IsTerminated;
using skelvane::fuzz::Require;

namespace {

bool IsAllZero(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    return std::all_of(p, p + size, [](unsigned char b) { return b == 0; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto record = std::make_unique<skelvane::ServerRecord>();
    record->address = 0x0100007F;
    record->port = 27960;
    record->sendTime = 1000;
    record->attempts = 2;
    skelvane::ParseStatusAnswer({data, size}, *record, 1250);

    Require(record->responded == 1);
    Require(record->ping == 250);
    Require(record->address == 0x0100007F && record->port == 27960);
    Require(record->sendTime == 1000 && record->attempts == 2);
    Require(IsTerminated(record->hostName) && IsTerminated(record->mapName));
    Require(IsTerminated(record->version) && IsTerminated(record->gameName));
    Require(IsCleanText(record->hostName));
    Require(record->gameName[0] != u'\0');
    Require(record->playerCount >= 0 && record->playerCount <= skelvane::kMaxPlayers);
    for (int i = 0; i < record->playerCount; ++i) {
        Require(IsTerminated(record->players[i].name));
        Require(IsCleanText(record->players[i].name));
    }
    const int unused = skelvane::kMaxPlayers - record->playerCount;
    Require(IsAllZero(record->players + record->playerCount,
                      sizeof(skelvane::PlayerRecord) * static_cast<std::size_t>(unused)));
    return 0;
}
