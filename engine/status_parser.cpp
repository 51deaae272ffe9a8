#include "engine/status_parser.h"

#include "engine/byte_cursor.h"
#include "engine/info_string.h"
#include "engine/packet_line.h"
#include "engine/player_line.h"
#include "engine/status_text.h"
#include "platform/clock.h"

namespace skelvane {

// A status answer, line by line (each ended by a line feed):
//
//   header line                       read and not looked at
//   \key\value\key\value...           the info string
//   score ping "name"                 one line per player
//   ...
//
// Only the bytes received are read: the cursor ends where the datagram does,
// whatever lies behind it. A server listing more than 64 players gets its
// first 64; the lines after them are not read.
void ParseStatusAnswer(std::span<const std::uint8_t> bytes, ServerRecord& record,
                       std::uint32_t now) {
    record.responded = 1;
    ByteCursor cursor(bytes);
    ReadPacketLine(cursor);
    record.ping = now - record.sendTime;

    const std::optional<PacketLine> info = ReadPacketLine(cursor);
    StoreInfoValues(info ? ReadInfoString(info->Text()) : InfoValues{}, record);

    std::int32_t playerCount = 0;
    while (playerCount < kMaxPlayers) {
        const std::optional<PacketLine> line = ReadPacketLine(cursor);
        if (!line) {
            break;
        }
        if (const auto player = ReadPlayerLine(line->Text())) {
            record.players[playerCount++] = *player;
        }
    }
    record.playerCount = playerCount;
}

void StatusParser(RefreshState& engine, std::span<const std::uint8_t> datagram,
                  std::int32_t index) {
    ServerRecord& record = engine.table[index];
    ParseStatusAnswer(datagram, record, MillisecondClock());
    RefreshFrontEnd& frontEnd = *engine.frontEnd;
    frontEnd.KeepAnswer(index, datagram);
    if (frontEnd.ListServer(index)) {
        engine.listNeedsRepaint.store(1);
    }
    ReportStatus(frontEnd, u"Found %d player%s on '%s'", record.playerCount,
                 record.playerCount == 1 ? u"" : u"s",
                 static_cast<const char16_t*>(record.hostName));
}

}  // namespace skelvane
