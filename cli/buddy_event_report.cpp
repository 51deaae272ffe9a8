#include "cli/buddy_event_report.h"

#include <cstdio>
#include <string>

#include "cli/text_coding.h"
#include "engine/host_and_port.h"
#include "platform/clock.h"

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

std::string FormatTime(const std::tm& local, const char* format) {
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

// ISO 8601 with the offset from UTC, "2025-01-02T10:00:00+01:00". The offset
// is worked out rather than taken from strftime, whose "%z" gives a zone's
// name instead on Windows.
std::string IsoTime(const std::tm& local, int offsetMinutes) {
    const int size = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    // Zones lie within 14 hours of UTC; the hours are held to two digits all
    // the same, so that the text always fits.
    char offset[8];
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+',
                  size / 60 % 100, size % 60);
    return FormatTime(local, "%Y-%m-%dT%H:%M:%S") + offset;
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

// The two readings are of one moment, so they are less than a day apart: a
// different year or day of the year means the day before or after.
int UtcOffsetMinutes(const std::tm& local, const std::tm& utc) {
    int days = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) {
        days = local.tm_year > utc.tm_year ? 1 : -1;
    }
    return days * 24 * 60 + (local.tm_hour - utc.tm_hour) * 60 + (local.tm_min - utc.tm_min);
}

void PrintBuddyEvents(std::ostream& out, const std::vector<BuddyEvent>& events, std::time_t when,
                      bool json) {
    if (events.empty()) {
        return;
    }
    const std::tm local = LocalCalendarTime(when);
    const std::string time = json ? IsoTime(local, UtcOffsetMinutes(local, UtcCalendarTime(when)))
                                  : FormatTime(local, "%Y-%m-%d %H:%M:%S");
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
