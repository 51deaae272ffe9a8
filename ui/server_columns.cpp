#include "ui/server_columns.h"

namespace skelvane {

const ColumnDef kServerColumns[kServerColumnCount] = {
    {u"Host Name", 40, KIND_HOSTNAME, SortField::kHostName, false, +1},
    {u"IP Address", 20, KIND_ADDRESS, SortField::kAddress, true, 0},
    {u"Map", 10, KIND_MAP, SortField::kMapName, false, +1},
    {u"Mod", 10, KIND_MOD, SortField::kGameName, false, +1},
    {u"Players", 11, KIND_PLAYERS, SortField::kPlayerCount, true, -1},
    {u"Ping", 9, KIND_PING, SortField::kPing, true, +1},
};

bool IsServerShown(const ServerRecord& record, std::int32_t showFull, std::int32_t showEmpty) {
    return record.responded == 1 &&
           (showFull != 0 || record.playerCount < record.maxClients - record.privateClients) &&
           (showEmpty != 0 || record.playerCount != 0);
}

std::int32_t OsIconForVersion(const char16_t*) {
    return kImageServer;
}

std::int32_t CompareServers(const ServerRecord& a, const ServerRecord& b, std::uint32_t) {
    return a.ping < b.ping ? -1 : (a.ping > b.ping ? 1 : 0);
}

bool FormatServerCell(const ServerRecord&, int, const PingThresholds&, char16_t* out, int capacity,
                      std::int32_t*) {
    if (capacity > 0) {
        out[0] = u'\0';
    }
    return false;
}

}  // namespace skelvane
