#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "testnet/datagram.h"
#include "testnet/server_behaviour.h"
#include "testnet/server_content.h"
#include "testnet/server_knobs.h"

namespace skelvane {

// Ready-made networks:
// - demo: varied and lively; slow, lossy and a few odd servers among sound ones;
// - plain: every server well-behaved, for benchmarks;
// - hostile: every kind of hostile answer and odd behaviour, between sound servers.
enum class Mix { kDemo, kPlain, kHostile };

std::optional<Mix> ParseMix(std::string_view name);
std::uint32_t DefaultServerCount(Mix mix);

// Knobs for one server by index, or for a share of the servers (a percent)
// chosen from the seed.
struct KnobAssignment {
    enum class Target { kIndex, kShare };
    Target target = Target::kIndex;
    std::uint32_t indexOrPercent = 0;
    std::vector<Knob> knobs;
};

struct PlannedServer {
    ServerContent content;
    ServerBehaviour behaviour;
};

// The servers of a network: the mix's content and behaviour for each index,
// then the assignments in order. The same arguments give the same servers.
std::vector<PlannedServer> PlanServers(Mix mix, std::uint64_t seed, std::uint32_t count,
                                       std::span<const KnobAssignment> assignments);

// The answer server `index` sends to every query it answers.
Datagram PlannedAnswer(const PlannedServer& server, std::uint64_t seed, std::uint32_t index);

}  // namespace skelvane
