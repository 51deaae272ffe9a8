#pragma once

#include <string>

#include "engine/refresh_engine.h"

namespace skelvane {

// The master phase of a refresh: resolve, ask, read the answer into the server
// table. On kHandedOver the table is complete and the front end has emptied
// its lists; every other outcome has shown its status text. `endMarkerSeen`,
// when given, tells whether the master's answer ended with the end marker.
MasterOutcome RunMasterQuery(RefreshState& engine, bool* endMarkerSeen = nullptr);

// The text of a failed master phase: "Couldn't resolve HOST.", "No response
// from HOST." or "Error querying HOST.".
std::u16string MasterFailureText(MasterOutcome outcome, const std::string& host);

// Tells the front end that no record may be read any more, then empties the
// table.
void ReplaceTableSafely(RefreshState& engine);

}  // namespace skelvane
