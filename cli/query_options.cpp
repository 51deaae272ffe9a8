#include "cli/query_options.h"

#include <cstdint>

#include "browse/buddy_watch.h"
#include "engine/host_and_port.h"

namespace skelvane {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string& text, const char16_t* title) {
    std::size_t i = 0;
    for (; i < text.size() && title[i] != u'\0'; ++i) {
        if (title[i] > 0x7F || FoldAscii(text[i]) != FoldAscii(static_cast<char>(title[i]))) {
            return false;
        }
    }
    return i == text.size() && title[i] == u'\0';
}

struct OptionReader {
    const std::vector<std::string>& args;
    std::size_t index = 0;
    std::string error;
    bool masterGiven = false;
    // The first option given that shapes the table, which a watch never prints.
    std::string tableOption;
};

// Options without a value set a flag.
struct FlagOption {
    const char* name;
    bool QueryOptions::*field;
    bool value;
};

constexpr FlagOption kFlagOptions[] = {
    {"--help", &QueryOptions::help, true},
    {"-h", &QueryOptions::help, true},
    {"--full", &QueryOptions::showFull, true},
    {"--no-full", &QueryOptions::showFull, false},
    {"--empty", &QueryOptions::showEmpty, true},
    {"--no-empty", &QueryOptions::showEmpty, false},
    {"--players", &QueryOptions::listPlayers, true},
    {"--json", &QueryOptions::json, true},
    {"--rules", &QueryOptions::rules, true},
    {"--stats", &QueryOptions::stats, true},
    {"--only-buddies", &QueryOptions::onlyBuddies, true},
};

// Options with a value take it here; false, with the error, refuses it.
using ApplyValue = bool (*)(const std::string& value, OptionReader& reader, QueryOptions& options);

struct ValueOption {
    const char* name;
    ApplyValue apply;
};

template <std::string QueryOptions::*Field>
bool StoreValue(const std::string& value, OptionReader&, QueryOptions& options) {
    options.*Field = value;
    return true;
}

template <std::vector<std::string> QueryOptions::*List>
bool AppendValue(const std::string& value, OptionReader&, QueryOptions& options) {
    (options.*List).push_back(value);
    return true;
}

// A HOST[:PORT] value; nothing, with the error, when it is none.
std::optional<HostAndPort> AddressValue(const std::string& value, std::uint16_t defaultPort,
                                        const char* what, OptionReader& reader) {
    auto address = ParseHostAndPort(value, defaultPort);
    if (!address) {
        reader.error =
            std::string("bad ") + what + " address '" + value + "': expected HOST or HOST:PORT";
    }
    return address;
}

bool ApplyMaster(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto master = AddressValue(value, kMasterPort, "master", reader);
    if (master) {
        options.masters.push_back(MasterServer{master->host, master->port});
        reader.masterGiven = true;
    }
    return master.has_value();
}

bool ApplyServer(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto server = AddressValue(value, kDefaultServerPort, "server", reader);
    if (server) {
        options.servers.push_back(GivenServer{*server, "--server " + value});
    }
    return server.has_value();
}

bool ApplyRate(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto rate = ParseWholeNumber(value, 1, INT32_MAX);
    if (!rate) {
        reader.error = "bad rate '" + value + "': expected a positive integer";
        return false;
    }
    options.packetsPerSecond = static_cast<std::int32_t>(*rate);
    return true;
}

// A whole number from `low` to `high`; nothing, with the error, for any other
// value. `what` names the value and `expected` what it must be.
std::optional<std::int32_t> BoundedNumber(const std::string& value, std::int32_t low,
                                          std::int32_t high, const std::string& what,
                                          const std::string& expected, OptionReader& reader) {
    const auto number =
        ParseWholeNumber(value, static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(high));
    if (!number) {
        reader.error = "bad " + what + " '" + value + "': expected " + expected + " from " +
                       std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

bool ApplyMinHumans(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto minimum =
        BoundedNumber(value, 0, kMaxPlayers, "number of humans", "a whole number", reader);
    options.minHumans = minimum.value_or(options.minHumans);
    return minimum.has_value();
}

bool ApplySort(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto column = ParseSortColumn(value);
    if (!column) {
        reader.error = "unknown sort column '" + value + "'";
        return false;
    }
    options.sortOrder = (options.sortOrder & SORT_REVERSED) | *column;
    return true;
}

bool ApplyWatch(const std::string& value, OptionReader& reader, QueryOptions& options) {
    const auto seconds = BoundedNumber(value, 1, kLongestWatchPauseSeconds, "--watch pause",
                                       "whole seconds", reader);
    options.watchSeconds = seconds.value_or(options.watchSeconds);
    return seconds.has_value();
}

// The options that only change the table.
constexpr const char* kTableOptions[] = {"--sort",  "--reverse",      "--players",   "--rules",
                                         "--stats", "--only-buddies", "--min-humans"};

void NoteTableOption(const std::string& arg, OptionReader& reader) {
    for (const char* name : kTableOptions) {
        if (arg == name && reader.tableOption.empty()) {
            reader.tableOption = arg;
        }
    }
}

constexpr ValueOption kValueOptions[] = {
    {"--master", ApplyMaster},
    {"--server", ApplyServer},
    {"--servers", AppendValue<&QueryOptions::serverFiles>},
    {"--cache", StoreValue<&QueryOptions::cacheFile>},
    {"--buddy", AppendValue<&QueryOptions::buddyNames>},
    {"--buddies", AppendValue<&QueryOptions::buddyFiles>},
    {"--rate", ApplyRate},
    {"--sort", ApplySort},
    {"--min-humans", ApplyMinHumans},
    {"--watch", ApplyWatch},
};

bool ApplyOption(OptionReader& reader, QueryOptions& options) {
    const std::string& arg = reader.args[reader.index];
    NoteTableOption(arg, reader);
    if (arg == "--reverse") {
        options.sortOrder |= SORT_REVERSED;
        return true;
    }
    for (const FlagOption& flag : kFlagOptions) {
        if (arg == flag.name) {
            options.*flag.field = flag.value;
            return true;
        }
    }
    for (const ValueOption& option : kValueOptions) {
        if (arg != option.name) {
            continue;
        }
        if (reader.index + 1 >= reader.args.size()) {
            reader.error = "option " + arg + " needs a value";
            return false;
        }
        return option.apply(reader.args[++reader.index], reader, options);
    }
    reader.error = "unknown option '" + arg + "'";
    return false;
}

}  // namespace

std::optional<std::uint32_t> ParseSortColumn(const std::string& text) {
    if (const auto index = ParseWholeNumber(text, 0, kServerColumnCount - 1)) {
        return static_cast<std::uint32_t>(*index);
    }
    for (int i = 0; i < kServerColumnCount; ++i) {
        if (EqualsIgnoringCase(text, kServerColumns[i].title)) {
            return static_cast<std::uint32_t>(i);
        }
    }
    return std::nullopt;
}

Result<QueryOptions> ParseQueryOptions(const std::vector<std::string>& args) {
    QueryOptions options;
    OptionReader reader{args, 0, {}, false, {}};
    for (; reader.index < args.size(); ++reader.index) {
        if (!ApplyOption(reader, options)) {
            return Failure{reader.error};
        }
    }
    options.askMaster =
        reader.masterGiven || (options.servers.empty() && options.serverFiles.empty());
    if (!options.cacheFile.empty() && !options.askMaster) {
        return Failure{
            "--cache keeps the master's list, and no master is asked: give --master as well"};
    }
    if (options.onlyBuddies && options.buddyNames.empty() && options.buddyFiles.empty()) {
        return Failure{"--only-buddies needs --buddy or --buddies"};
    }
    if (options.watchSeconds != 0 && options.buddyNames.empty() && options.buddyFiles.empty()) {
        return Failure{"--watch needs --buddy or --buddies"};
    }
    if (options.watchSeconds != 0 && !reader.tableOption.empty()) {
        return Failure{"--watch prints buddy events, not the table: " + reader.tableOption +
                       " does not apply"};
    }
    return options;
}

}  // namespace skelvane
