#include "testnet/server_knobs.h"

#include <algorithm>
#include <array>

#include "engine/host_and_port.h"

namespace skelvane {

const char kKnobHelp[] =
    "  Knobs, separated by commas (applied in order):\n"
    "    latency=MS      answer MS milliseconds after the query (0-60000)\n"
    "    loss=PERCENT    leave this share of queries unanswered, chosen from the seed\n"
    "    answer-on=N     answer only the Nth query (1 = first)\n"
    "    duplicate       send every answer twice\n"
    "    other-port      answer from a second socket, an unlisted port\n"
    "    silent          never answer\n"
    "    hostile=KIND    no-line-feed, many-players, long-line, exactly-4096,\n"
    "                    oversize-5000, empty-values, capital-keys, garbage\n"
    "    plain           forget the behaviour knobs before this one\n"
    "    full, empty     take every public slot, or none\n"
    "    players=N       N players (0-64)\n"
    "    private=N       N private slots\n";

namespace {

struct KnobSyntax {
    std::string_view name;
    KnobKind kind;
    bool takesValue;
    std::uint64_t lowest;
    std::uint64_t highest;
};

constexpr std::array<KnobSyntax, 12> kKnobSyntax = {{
    {"plain", KnobKind::kPlain, false, 0, 0},
    {"latency", KnobKind::kLatency, true, 0, 60000},
    {"loss", KnobKind::kLoss, true, 0, 100},
    {"answer-on", KnobKind::kAnswerOn, true, 1, 1000000},
    {"duplicate", KnobKind::kDuplicate, false, 0, 0},
    {"other-port", KnobKind::kOtherPort, false, 0, 0},
    {"silent", KnobKind::kSilent, false, 0, 0},
    {"hostile", KnobKind::kHostile, true, 0, 0},
    {"full", KnobKind::kFull, false, 0, 0},
    {"empty", KnobKind::kEmpty, false, 0, 0},
    {"players", KnobKind::kPlayers, true, 0, 64},
    {"private", KnobKind::kPrivate, true, 0, 64},
}};

const KnobSyntax* FindRule(std::string_view name) {
    for (const KnobSyntax& rule : kKnobSyntax) {
        if (rule.name == name) {
            return &rule;
        }
    }
    return nullptr;
}

std::optional<std::uint32_t> KnobValue(const KnobSyntax& rule, std::string_view value) {
    if (rule.kind == KnobKind::kHostile) {
        const auto kind = ParseHostileKind(value);
        return kind ? std::optional(static_cast<std::uint32_t>(*kind)) : std::nullopt;
    }
    const auto number = ParseWholeNumber(value, rule.lowest, rule.highest);
    return number ? std::optional(static_cast<std::uint32_t>(*number)) : std::nullopt;
}

Result<Knob> ParseKnob(std::string_view text) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const KnobSyntax* rule = FindRule(name);
    if (rule == nullptr) {
        return Failure{"unknown knob '" + std::string(name) + "'"};
    }
    if (rule->takesValue != (equals != std::string_view::npos)) {
        return Failure{"knob '" + std::string(name) +
                       (rule->takesValue ? "' needs" : "' takes no") + " value"};
    }
    if (!rule->takesValue) {
        return Knob{rule->kind, 0};
    }
    const auto value = KnobValue(*rule, text.substr(equals + 1));
    if (!value) {
        return Failure{"bad value in knob '" + std::string(text) + "'"};
    }
    return Knob{rule->kind, *value};
}

void AppendKnob(std::string& out, std::string_view knob) {
    if (!out.empty()) {
        out += ',';
    }
    out += knob;
}

}  // namespace

Result<std::vector<Knob>> ParseKnobs(std::string_view text) {
    std::vector<Knob> knobs;
    do {
        const std::size_t comma = std::min(text.find(','), text.size());
        const Result<Knob> knob = ParseKnob(text.substr(0, comma));
        if (!knob) {
            return Failure{knob.Why()};
        }
        knobs.push_back(*knob);
        text.remove_prefix(std::min(comma + 1, text.size()));
    } while (!text.empty());
    return knobs;
}

std::string DescribeBehaviour(const ServerBehaviour& behaviour) {
    std::string text;
    if (behaviour.latencyMs != 0) {
        AppendKnob(text, "latency=" + std::to_string(behaviour.latencyMs));
    }
    if (behaviour.lossPercent != 0) {
        AppendKnob(text, "loss=" + std::to_string(behaviour.lossPercent));
    }
    if (behaviour.answerOnQuery != 0) {
        AppendKnob(text, "answer-on=" + std::to_string(behaviour.answerOnQuery));
    }
    if (behaviour.duplicate) {
        AppendKnob(text, "duplicate");
    }
    if (behaviour.otherPort) {
        AppendKnob(text, "other-port");
    }
    if (behaviour.silent) {
        AppendKnob(text, "silent");
    }
    if (behaviour.hostile != HostileKind::kNone) {
        AppendKnob(text, "hostile=" + std::string(HostileKindName(behaviour.hostile)));
    }
    return text.empty() ? "plain" : text;
}

}  // namespace skelvane
