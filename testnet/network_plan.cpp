#include "testnet/network_plan.h"

#include "testnet/deterministic_random.h"
#include "testnet/status_answer.h"

namespace skelvane {

namespace {

enum Stream : std::uint64_t { kBehaviourStream = 201, kShareStream, kGarbageStream };

constexpr std::uint32_t kDemoLossPercent = 40;
constexpr std::uint32_t kHostileAnswerOnQuery = 3;

// One slow and one lossy server in every eight, and now and then one that
// repeats itself, answers late in the sweep, answers from elsewhere or never.
ServerBehaviour DemoBehaviour(std::uint64_t seed, std::uint32_t index) {
    ServerBehaviour behaviour;
    DeterministicRandom random(SeedFor(seed, index, kBehaviourStream));
    if (index % 8 == 3) {
        behaviour.latencyMs = 100 + random.Below(700);
    } else if (index % 8 == 6) {
        behaviour.lossPercent = kDemoLossPercent;
    }
    switch (index % 32) {
        case 9:
            behaviour.duplicate = true;
            break;
        case 13:
            behaviour.answerOnQuery = 2;
            break;
        case 21:
            behaviour.otherPort = true;
            break;
        case 29:
            behaviour.silent = true;
            break;
        default:
            break;
    }
    return behaviour;
}

// Every hostile kind in turn, then the odd behaviours, then one sound server,
// so that any twelve neighbours hold them all.
ServerBehaviour HostileBehaviour(std::uint32_t index) {
    ServerBehaviour behaviour;
    const std::uint32_t hostileKinds = static_cast<std::uint32_t>(HostileKindNames().size()) - 1;
    const std::uint32_t slot = index % (hostileKinds + 4);
    if (slot < hostileKinds) {
        behaviour.hostile = static_cast<HostileKind>(slot + 1);
    } else if (slot == hostileKinds) {
        behaviour.duplicate = true;
    } else if (slot == hostileKinds + 1) {
        behaviour.otherPort = true;
    } else if (slot == hostileKinds + 2) {
        behaviour.silent = true;
    } else {
        behaviour.answerOnQuery = kHostileAnswerOnQuery;
    }
    return behaviour;
}

ServerBehaviour MixBehaviour(Mix mix, std::uint64_t seed, std::uint32_t index) {
    switch (mix) {
        case Mix::kDemo:
            return DemoBehaviour(seed, index);
        case Mix::kHostile:
            return HostileBehaviour(index);
        case Mix::kPlain:
            break;
    }
    return ServerBehaviour{};
}

void ApplyKnob(const Knob& knob, PlannedServer& server, std::uint64_t seed, std::uint32_t index) {
    ServerBehaviour& behaviour = server.behaviour;
    ServerContent& content = server.content;
    switch (knob.kind) {
        case KnobKind::kPlain:
            behaviour = ServerBehaviour{};
            break;
        case KnobKind::kLatency:
            behaviour.latencyMs = knob.value;
            break;
        case KnobKind::kLoss:
            behaviour.lossPercent = knob.value;
            break;
        case KnobKind::kAnswerOn:
            behaviour.answerOnQuery = knob.value;
            break;
        case KnobKind::kDuplicate:
            behaviour.duplicate = true;
            break;
        case KnobKind::kOtherPort:
            behaviour.otherPort = true;
            break;
        case KnobKind::kSilent:
            behaviour.silent = true;
            break;
        case KnobKind::kHostile:
            behaviour.hostile = static_cast<HostileKind>(knob.value);
            break;
        case KnobKind::kFull:
            content.players = GeneratePlayers(seed, index, content.PublicSlots());
            break;
        case KnobKind::kEmpty:
            content.players.clear();
            break;
        case KnobKind::kPlayers:
            content.players = GeneratePlayers(seed, index, static_cast<std::int32_t>(knob.value));
            break;
        case KnobKind::kPrivate:
            content.privateClients = static_cast<std::int32_t>(knob.value);
            break;
    }
}

bool IsAssigned(const KnobAssignment& assignment, std::size_t assignmentNumber, std::uint64_t seed,
                std::uint32_t index) {
    if (assignment.target == KnobAssignment::Target::kIndex) {
        return assignment.indexOrPercent == index;
    }
    return SeedFor(seed, index, assignmentNumber, kShareStream) % 100 < assignment.indexOrPercent;
}

}  // namespace

std::optional<Mix> ParseMix(std::string_view name) {
    if (name == "demo") {
        return Mix::kDemo;
    }
    if (name == "plain") {
        return Mix::kPlain;
    }
    if (name == "hostile") {
        return Mix::kHostile;
    }
    return std::nullopt;
}

std::uint32_t DefaultServerCount(Mix mix) {
    switch (mix) {
        case Mix::kDemo:
            return 40;
        case Mix::kPlain:
            return 100;
        case Mix::kHostile:
            return 24;
    }
    return 0;
}

std::vector<PlannedServer> PlanServers(Mix mix, std::uint64_t seed, std::uint32_t count,
                                       std::span<const KnobAssignment> assignments) {
    std::vector<PlannedServer> servers;
    servers.reserve(count);
    for (std::uint32_t index = 0; index < count; ++index) {
        PlannedServer server{GenerateServerContent(seed, index), MixBehaviour(mix, seed, index)};
        for (std::size_t a = 0; a < assignments.size(); ++a) {
            if (IsAssigned(assignments[a], a, seed, index)) {
                for (const Knob& knob : assignments[a].knobs) {
                    ApplyKnob(knob, server, seed, index);
                }
            }
        }
        servers.push_back(std::move(server));
    }
    return servers;
}

Datagram PlannedAnswer(const PlannedServer& server, std::uint64_t seed, std::uint32_t index) {
    return BuildStatusAnswer(server.content, server.behaviour.hostile,
                             SeedFor(seed, index, kGarbageStream));
}

}  // namespace skelvane
