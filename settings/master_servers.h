#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/refresh_engine.h"
#include "settings/stored_value.h"

namespace skelvane {

// Masters beyond this number are not asked: each one asked costs a socket
// and a thread for the length of the master phase.
inline constexpr std::size_t kMaxMasters = 8;

// "HOST" or "HOST:PORT", the port 30710 when none is given; nothing for a
// text that is not such an address.
std::optional<MasterServer> ParseMasterAddress(std::u16string_view text);

// The masters a "Master Servers" value names, one "HOST" or "HOST:PORT" a
// line, in order. Lines of another form are passed over; a missing value, one
// of another type or one far too large names none. The value is only read:
// the browser never writes it.
std::vector<MasterServer> MastersFromStored(const std::optional<StoredValue>& value);

// The masters to ask, in order: those named on the command line, or the
// built-in one when it names none, then those of the settings. Each is asked
// once (host names compared ignoring the case of ASCII letters), and at most
// kMaxMasters in all.
std::vector<MasterServer> MastersToAsk(const std::vector<MasterServer>& commandLine,
                                       const std::vector<MasterServer>& stored);

}  // namespace skelvane
