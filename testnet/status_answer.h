#pragma once

#include <cstddef>
#include <cstdint>

#include "testnet/datagram.h"
#include "testnet/server_behaviour.h"
#include "testnet/server_content.h"

namespace skelvane {

// The browser receives status answers into a buffer of this size; a sound
// answer never needs more.
inline constexpr std::size_t kStatusAnswerLimit = 4096;

// The answer a game server sends to a getstatus query:
//
//   FF FF FF FF "statusResponse" 0A
//   \sv_hostname\...\mapname\...\version\...\sv_maxclients\...  (and more) 0A
//   score ping "name" 0A                                          (one per player)
//
// With a hostile kind, the answer is spoiled the way that kind says. `seed`
// only feeds the random bytes of the garbage kind.
Datagram BuildStatusAnswer(const ServerContent& content, HostileKind hostile, std::uint64_t seed);

}  // namespace skelvane
