#pragma once

#include <optional>
#include <vector>

#include "engine/refresh_engine.h"
#include "settings/stored_value.h"

namespace skelvane {

// "HOST" or "HOST:PORT", the port 30710 when none is given; nothing for a
// text that is not such an address.
std::optional<MasterServer> ParseMasterAddress(std::u16string_view text);

// The masters a "Master Servers" value names, one "HOST" or "HOST:PORT" a
// line, in order. Lines of another form are passed over; a missing value, one
// of another type or one far too large names none. The value is only read:
// the browser never writes it.
std::vector<MasterServer> MastersFromStored(const std::optional<StoredValue>& value);

}  // namespace skelvane
