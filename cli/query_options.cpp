#include "cli/query_options.h"

#include <cstdint>

#include "engine/host_and_port.h"
#include "engine/refresh_engine.h"
#include "ui/server_columns.h"

namespace skelvane {

const char kQueryUsage[] =
    "Usage: skelvane-query [options]\n"
    "Asks the master server for every game server, queries each one and prints\n"
    "the servers that pass the filters, sorted like the browser sorts them.\n"
    "Progress goes to stderr, the table to stdout.\n"
    "\n"
    "  --master HOST[:PORT]  master server (default master.skelvane.net:30710)\n"
    "  --full, --no-full     list full servers or not (default: list them)\n"
    "  --empty, --no-empty   list empty servers or not (default: list them)\n"
    "  --rate N              status queries per second, a positive integer (default 10)\n"
    "  --sort COLUMN         Host Name, IP Address, Map, Mod, Players or Ping,\n"
    "                        by title or index 0-5 (default Ping)\n"
    "  --reverse             the other direction of the sort column\n"
    "  --players             list each server's players below it\n"
    "  --json                print every field of every server as JSON\n"
    "  --help                this text\n"
    "\n"
    "Exit status: 0 completed, 1 aborted (Ctrl-C), 2 master query failed,\n"
    "3 status sweep could not start, 64 bad command line.\n";

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

    // The value that follows an option, or nothing (with the error) when none does.
    std::optional<std::string> Value(const std::string& option) {
        if (index + 1 >= args.size()) {
            error = "option " + option + " needs a value";
            return std::nullopt;
        }
        return args[++index];
    }
};

bool ApplyOption(OptionReader& reader, QueryOptions& options) {
    const std::string& arg = reader.args[reader.index];
    if (arg == "--help" || arg == "-h") {
        options.help = true;
    } else if (arg == "--full" || arg == "--no-full") {
        options.showFull = arg == "--full";
    } else if (arg == "--empty" || arg == "--no-empty") {
        options.showEmpty = arg == "--empty";
    } else if (arg == "--players") {
        options.listPlayers = true;
    } else if (arg == "--json") {
        options.json = true;
    } else if (arg == "--reverse") {
        options.sortOrder |= SORT_REVERSED;
    } else if (arg == "--master") {
        const auto value = reader.Value(arg);
        const auto master = value ? ParseHostAndPort(*value, kMasterPort) : std::nullopt;
        if (!master) {
            if (value) {
                reader.error = "bad master address '" + *value + "': expected HOST or HOST:PORT";
            }
            return false;
        }
        options.masterHost = master->host;
        options.masterPort = master->port;
    } else if (arg == "--rate") {
        const auto value = reader.Value(arg);
        const auto rate = value ? ParseWholeNumber(*value, 1, INT32_MAX) : std::nullopt;
        if (!rate) {
            if (value) {
                reader.error = "bad rate '" + *value + "': expected a positive integer";
            }
            return false;
        }
        options.packetsPerSecond = static_cast<std::int32_t>(*rate);
    } else if (arg == "--sort") {
        const auto value = reader.Value(arg);
        const auto column = value ? ParseSortColumn(*value) : std::nullopt;
        if (!column) {
            if (value) {
                reader.error = "unknown sort column '" + *value + "'";
            }
            return false;
        }
        options.sortOrder = (options.sortOrder & SORT_REVERSED) | *column;
    } else {
        reader.error = "unknown option '" + arg + "'";
        return false;
    }
    return true;
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

ParsedQueryOptions ParseQueryOptions(const std::vector<std::string>& args) {
    QueryOptions options;
    options.masterHost = kDefaultMasterHost;
    options.masterPort = kMasterPort;
    options.sortOrder = kDefaultSortOrder;
    OptionReader reader{args, 0, {}};
    for (; reader.index < args.size(); ++reader.index) {
        if (!ApplyOption(reader, options)) {
            return ParsedQueryOptions{std::nullopt, reader.error};
        }
    }
    return ParsedQueryOptions{options, {}};
}

}  // namespace skelvane
