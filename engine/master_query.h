#pragma once

#include <string>

#include "engine/refresh_engine.h"

namespace skelvane {

// How the master phase ended: handed over when at least one master answered;
// whether the list may be kept, every answer having ended with the end
// marker; and the texts of the masters that failed, in their order.
struct MasterPhase {
    MasterOutcome outcome = MasterOutcome::kQueryError;
    bool listComplete = false;
    std::u16string failures;
};

// The master phase of a refresh: resolve, ask, read the answers into the
// server table, every master at once. On kHandedOver the table holds every
// answering master's list, each server once, and the front end has emptied
// its lists; every failure has shown its status text.
MasterPhase RunMasterQuery(RefreshState& engine);

// The text of a failed master phase: "Couldn't resolve HOST.", "No response
// from HOST." or "Error querying HOST.".
std::u16string MasterFailureText(MasterOutcome outcome, const std::string& host);

// Tells the front end that no record may be read any more, then empties the
// table.
void ReplaceTableSafely(RefreshState& engine);

}  // namespace skelvane
