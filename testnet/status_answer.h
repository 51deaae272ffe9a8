#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "testnet/datagram.h"
#include "testnet/server_behaviour.h"
#include "testnet/server_content.h"

namespace skelvane {

// The browser receives status answers into a buffer of this size; a sound
// answer never needs more.
inline constexpr std::size_t kStatusAnswerLimit = 4096;

// The answer a game server sends to a getstatus query, built one piece at a
// time; pieces of each kind may come in any order:
//
//   FF FF FF FF "statusResponse" 0A
//   \sv_hostname\...\mapname\...\version\...\sv_maxclients\...  (and more) 0A
//   score ping "name" 0A                                          (one per player)
class StatusAnswer {
  public:
    StatusAnswer& Info(std::string_view key, std::string_view value);
    // Bytes for the info line as they stand.
    StatusAnswer& InfoText(std::string_view text);
    StatusAnswer& Player(std::int32_t score, std::int32_t ping, std::string_view name);
    // A line after the info line.
    StatusAnswer& Line(std::string_view text);
    // Bytes after the last line feed.
    StatusAnswer& Tail(std::string_view text);

    std::size_t Size() const;
    Datagram Build() const;

  private:
    std::string info_;
    std::string lines_;
    std::string tail_;
};

// A player's line without its line feed: score ping "name".
std::string PlayerLineText(std::int32_t score, std::int32_t ping, std::string_view name);

// A game server's answer. With a hostile kind, the answer is spoiled the way
// that kind says. `seed` only feeds the random bytes of the garbage kind.
Datagram BuildStatusAnswer(const ServerContent& content, HostileKind hostile, std::uint64_t seed);

}  // namespace skelvane
