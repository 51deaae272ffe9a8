#include "cli/buddy_event_report.h"

#include <string>

#include "cli/text_coding.h"
#include "engine/host_and_port.h"

namespace skelvane {

namespace {

const char* EventName(BuddyEventKind kind) {
    switch (kind) {
        case BuddyEventKind::kPlaying:
            return "playing";
        case BuddyEventKind::kJoined:
            return "joined";
        case BuddyEventKind::kMoved:
            return "moved";
        case BuddyEventKind::kLeft:
            return "left";
    }
    return "";
}

// The word before the server a line names first.
const char* PlaceWord(BuddyEventKind kind) {
    switch (kind) {
        case BuddyEventKind::kMoved:
            return "to";
        case BuddyEventKind::kLeft:
            return "from";
        default:
            return "on";
    }
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

std::string FormatTime(const std::tm& local, const char* format) {
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

// ISO 8601 with the offset from UTC, "2025-01-02T10:00:00+01:00".
std::string IsoTime(const std::tm& local) {
    const std::string time = FormatTime(local, "%Y-%m-%dT%H:%M:%S");
    const std::string offset = FormatTime(local, "%z");
    return offset.size() == 5 ? time + offset.substr(0, 3) + ":" + offset.substr(3) : time;
}

std::string ServerText(const WatchedServer& server) {
    return TerminalText(server.hostName) + " (" + DottedAddress(server.endpoint.address) + ":" +
           std::to_string(server.endpoint.port) + ")";
}

void PrintLine(std::ostream& out, const BuddyEvent& event, const std::string& time) {
    out << time << ' ' << EventName(event.kind) << ' ' << TerminalText(event.player) << ' '
        << PlaceWord(event.kind) << ' ' << ServerText(event.server);
    if (event.kind == BuddyEventKind::kMoved) {
        out << " from " << ServerText(event.from);
    }
    out << '\n';
}

// The names a server's fields take in an event's JSON object.
struct JsonServerKeys {
    const char* hostName;
    const char* address;
    const char* port;
};
constexpr JsonServerKeys kWhereKeys{"hostName", "address", "port"};
constexpr JsonServerKeys kFromKeys{"fromHostName", "fromAddress", "fromPort"};

void PrintJsonServer(std::ostream& out, const JsonServerKeys& keys, const WatchedServer& server) {
    out << ", \"" << keys.hostName << "\": " << JsonString(server.hostName) << ", \""
        << keys.address << "\": \"" << DottedAddress(server.endpoint.address) << "\", \""
        << keys.port << "\": " << server.endpoint.port;
}

void PrintJson(std::ostream& out, const BuddyEvent& event, const std::string& time) {
    out << "{\"time\": \"" << time << "\", \"event\": \"" << EventName(event.kind)
        << "\", \"player\": " << JsonString(event.player);
    PrintJsonServer(out, kWhereKeys, event.server);
    if (event.kind == BuddyEventKind::kMoved) {
        PrintJsonServer(out, kFromKeys, event.from);
    }
    out << "}\n";
}

}  // namespace

void PrintBuddyEvents(std::ostream& out, const std::vector<BuddyEvent>& events, std::time_t when,
                      bool json) {
    if (events.empty()) {
        return;
    }
    const std::tm local = LocalTime(when);
    const std::string time = json ? IsoTime(local) : FormatTime(local, "%Y-%m-%d %H:%M:%S");
    for (const BuddyEvent& event : events) {
        if (json) {
            PrintJson(out, event, time);
        } else {
            PrintLine(out, event, time);
        }
    }
    out.flush();
}

}  // namespace skelvane
