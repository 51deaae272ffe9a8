#include "testnet/testnet_options.h"

#include <algorithm>

#include "engine/host_and_port.h"
#include "testnet/loopback_address.h"

namespace skelvane {

namespace {

const char kUsage[] =
    "Usage: skelvane-testnet [options]\n"
    "A local network on loopback: one master server and N game servers, all\n"
    "generated from a seed. Prints what it listens on, serves until SIGINT or\n"
    "SIGTERM, then prints what it sent to stderr and exits with status 0.\n"
    "\n"
    "Standard output, one line each, then 'ready' once every socket is open:\n"
    "  master 127.0.0.1:PORT\n"
    "  server 127.0.0.1:PORT KNOBS      (one per game server, KNOBS as below)\n"
    "\n"
    "Game servers:\n"
    "  --mix NAME            demo (default; 40 varied servers, some slow, lossy or odd),\n"
    "                        plain (100 well-behaved servers, for benchmarks) or\n"
    "                        hostile (24: every hostile answer and odd behaviour)\n"
    "  --servers N           number of game servers (0-60000; default: the mix's)\n"
    "  --seed N              seed of everything generated (default 1)\n"
    "  --address A           address of the servers (default 127.0.0.1)\n"
    "  --spread N            spread the servers over N addresses from --address on\n"
    "  --server-port P       ports P, P+1, ... (default: free ports the system picks)\n"
    "  --knobs INDEX:KNOBS   knobs for the server with this index (0 = first)\n"
    "  --share PERCENT:KNOBS knobs for this share of the servers, chosen from the seed\n"
    "                        (--knobs and --share apply after the mix, in order given)\n"
    "\n"
    "Master server (answers FF FF FF FF \"getservers...\"; ignores the full and empty\n"
    "flags and always lists every server):\n"
    "  --master-address A    its address (default 127.0.0.1)\n"
    "  --master-port P       its port (default 30710; 0: a free port, see the first line)\n"
    "  --master-entries FILE list the servers in FILE (lines of ADDRESS:PORT) instead;\n"
    "                        no game servers are started then unless --servers is given\n"
    "  --master-split K      entries per datagram (1-9000, default 100)\n"
    "  --master-duplicates   list every server twice: the list, then backwards\n"
    "  --master-malformed L  comma-separated: short (a datagram shorter than the header\n"
    "                        first), ragged (every datagram ends in a piece of an entry,\n"
    "                        no end marker), no-separator (every second entry lacks its\n"
    "                        backslash), trailing-garbage (bytes after the end marker)\n"
    "  --master-answer-on N  answer only the Nth request (1 = first)\n"
    "  --master-silent       never answer\n"
    "  --master-gap MS       pause between the datagrams of one answer\n"
    "\n"
    "Output:\n"
    "  --list-file PATH      write the server lines to PATH instead of stdout\n"
    "                        (use it with many servers when reading only the first line)\n"
    "  --help                this text\n"
    "\n";

constexpr std::uint64_t kMostServers = 60000;
constexpr std::uint64_t kMostEntriesPerDatagram = 9000;
constexpr std::uint64_t kLongestGapMs = 60000;

struct OptionReader {
    const std::vector<std::string>& args;
    std::size_t index = 0;
    std::string error;

    const std::string& Current() const { return args[index]; }

    std::optional<std::string> Value() {
        if (index + 1 >= args.size()) {
            error = "option " + Current() + " needs a value";
            return std::nullopt;
        }
        return args[++index];
    }

    // Reads the value through `parse`; on failure explains what was expected.
    template <typename T, typename Parse>
    std::optional<T> ValueAs(Parse parse, const char* expected) {
        const auto value = Value();
        if (!value) {
            return std::nullopt;
        }
        const std::optional<T> parsed = parse(*value);
        if (!parsed) {
            error = "bad value '" + *value + "' for " + args[index - 1] + ": expected " + expected;
        }
        return parsed;
    }

    std::optional<std::uint64_t> Number(std::uint64_t lowest, std::uint64_t highest) {
        const std::string expected =
            "a number from " + std::to_string(lowest) + " to " + std::to_string(highest);
        return ValueAs<std::uint64_t>(
            [&](const std::string& text) { return ParseWholeNumber(text, lowest, highest); },
            expected.c_str());
    }
};

std::optional<KnobAssignment> ParseAssignment(OptionReader& reader, KnobAssignment::Target target) {
    const auto value = reader.Value();
    if (!value) {
        return std::nullopt;
    }
    const std::size_t colon = value->find(':');
    const std::uint64_t highest = target == KnobAssignment::Target::kShare ? 100 : kMostServers;
    const auto number = ParseWholeNumber(std::string_view(*value).substr(0, colon), 0, highest);
    if (colon == std::string::npos || !number) {
        reader.error = "bad value '" + *value + "': expected " +
                       (target == KnobAssignment::Target::kShare ? "PERCENT" : "INDEX") + ":KNOBS";
        return std::nullopt;
    }
    Result<std::vector<Knob>> knobs = ParseKnobs(std::string_view(*value).substr(colon + 1));
    if (!knobs) {
        reader.error = "bad knobs in '" + *value + "': " + knobs.Why();
        return std::nullopt;
    }
    return KnobAssignment{target, static_cast<std::uint32_t>(*number), std::move(*knobs)};
}

template <typename T, typename Store>
bool Take(const std::optional<T>& value, Store store) {
    if (value) {
        store(*value);
    }
    return value.has_value();
}

bool ApplyServerOption(OptionReader& reader, TestnetOptions& options) {
    const std::string& arg = reader.Current();
    if (arg == "--mix") {
        return Take(reader.ValueAs<Mix>(ParseMix, "demo, plain or hostile"),
                    [&](Mix mix) { options.mix = mix; });
    }
    if (arg == "--servers") {
        return Take(reader.Number(0, kMostServers),
                    [&](std::uint64_t n) { options.serverCount = static_cast<std::uint32_t>(n); });
    }
    if (arg == "--seed") {
        return Take(reader.Number(0, UINT64_MAX), [&](std::uint64_t n) { options.seed = n; });
    }
    if (arg == "--address") {
        return Take(
            reader.ValueAs<std::uint32_t>(ParseLoopbackAddress, "an address in 127.0.0.0/8"),
            [&](std::uint32_t a) { options.serverAddress = a; });
    }
    if (arg == "--spread") {
        return Take(reader.Number(1, 1u << 24),
                    [&](std::uint64_t n) { options.spread = static_cast<std::uint32_t>(n); });
    }
    if (arg == "--server-port") {
        return Take(reader.Number(0, 65535), [&](std::uint64_t n) {
            options.firstServerPort = static_cast<std::uint16_t>(n);
        });
    }
    if (arg == "--knobs" || arg == "--share") {
        const auto target =
            arg == "--share" ? KnobAssignment::Target::kShare : KnobAssignment::Target::kIndex;
        return Take(ParseAssignment(reader, target),
                    [&](KnobAssignment a) { options.assignments.push_back(std::move(a)); });
    }
    reader.error = "unknown option " + arg;
    return false;
}

bool ApplyMasterOption(OptionReader& reader, TestnetOptions& options) {
    const std::string& arg = reader.Current();
    MasterBehaviour& master = options.masterBehaviour;
    if (arg == "--master-address") {
        return Take(
            reader.ValueAs<std::uint32_t>(ParseLoopbackAddress, "an address in 127.0.0.0/8"),
            [&](std::uint32_t a) { options.master.address = a; });
    }
    if (arg == "--master-port") {
        return Take(reader.Number(0, 65535),
                    [&](std::uint64_t n) { options.master.port = static_cast<std::uint16_t>(n); });
    }
    if (arg == "--master-entries") {
        return Take(reader.Value(), [&](std::string path) { options.masterEntriesFile = path; });
    }
    if (arg == "--master-split") {
        return Take(reader.Number(1, kMostEntriesPerDatagram),
                    [&](std::uint64_t n) { master.shape.entriesPerDatagram = n; });
    }
    if (arg == "--master-malformed") {
        return Take(reader.ValueAs<MasterMalformations>(
                        ParseMasterMalformations, "short, ragged, no-separator, trailing-garbage"),
                    [&](MasterMalformations m) { master.shape.malformations = m; });
    }
    if (arg == "--master-answer-on") {
        return Take(reader.Number(1, UINT32_MAX), [&](std::uint64_t n) {
            master.answerOnRequest = static_cast<std::uint32_t>(n);
        });
    }
    if (arg == "--master-gap") {
        return Take(reader.Number(0, kLongestGapMs),
                    [&](std::uint64_t n) { master.gapMs = static_cast<std::uint32_t>(n); });
    }
    return ApplyServerOption(reader, options);
}

bool ApplyOption(OptionReader& reader, TestnetOptions& options) {
    const std::string& arg = reader.Current();
    if (arg == "--help" || arg == "-h") {
        options.help = true;
    } else if (arg == "--master-duplicates") {
        options.masterBehaviour.shape.duplicates = true;
    } else if (arg == "--master-silent") {
        options.masterBehaviour.silent = true;
    } else if (arg == "--list-file") {
        return Take(reader.Value(), [&](std::string path) { options.listFile = path; });
    } else {
        return ApplyMasterOption(reader, options);
    }
    return true;
}

// What no single option can check: the servers' ports and addresses must
// exist, and every server named by index must be there.
std::string CheckCombination(const TestnetOptions& options) {
    const std::uint32_t count = options.ServerCount();
    if (options.firstServerPort != 0 && count > 0 &&
        std::uint64_t{options.firstServerPort} + count - 1 > 65535) {
        return "servers from port " + std::to_string(options.firstServerPort) +
               " would run past port 65535";
    }
    if (!SpreadAddress(options.serverAddress, options.spread, options.spread - 1)) {
        return "spreading over " + std::to_string(options.spread) + " addresses leaves 127.0.0.0/8";
    }
    for (const KnobAssignment& assignment : options.assignments) {
        if (assignment.target == KnobAssignment::Target::kIndex &&
            assignment.indexOrPercent >= count) {
            return "--knobs names server " + std::to_string(assignment.indexOrPercent) +
                   ", but there are " + std::to_string(count);
        }
    }
    return {};
}

}  // namespace

std::uint32_t TestnetOptions::ServerCount() const {
    if (serverCount) {
        return *serverCount;
    }
    return masterEntriesFile.empty() ? DefaultServerCount(mix) : 0;
}

Result<TestnetOptions> ParseTestnetOptions(const std::vector<std::string>& args) {
    TestnetOptions options;
    OptionReader reader{args, 0, {}};
    for (; reader.index < args.size(); ++reader.index) {
        if (!ApplyOption(reader, options)) {
            return Failure{reader.error};
        }
    }
    if (std::string error = CheckCombination(options); !error.empty()) {
        return Failure{error};
    }
    return options;
}

std::string TestnetUsage() {
    return std::string(kUsage) + kKnobHelp;
}

}  // namespace skelvane
