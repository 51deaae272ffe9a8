#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/result.h"
#include "testnet/server_behaviour.h"

namespace skelvane {

enum class KnobKind {
    kPlain,      // "plain": forget every behaviour knob given so far
    kLatency,    // "latency=MS"
    kLoss,       // "loss=PERCENT"
    kAnswerOn,   // "answer-on=N"
    kDuplicate,  // "duplicate"
    kOtherPort,  // "other-port"
    kSilent,     // "silent"
    kHostile,    // "hostile=KIND"
    kFull,       // "full": every public slot taken
    kEmpty,      // "empty": no players
    kPlayers,    // "players=N"
    kPrivate,    // "private=N": private slots
};

struct Knob {
    KnobKind kind = KnobKind::kPlain;
    std::uint32_t value = 0;
};

// A comma-separated knob list such as "latency=250,loss=30,duplicate"; a bad
// knob fails it.
Result<std::vector<Knob>> ParseKnobs(std::string_view text);

// The behaviour in the same language, "plain" for a well-behaved server.
std::string DescribeBehaviour(const ServerBehaviour& behaviour);

// The knob names for the usage text.
extern const char kKnobHelp[];

}  // namespace skelvane
