#pragma once

#include <string>

#include "engine/master_query.h"
#include "engine/refresh_engine.h"

namespace skelvane {

// After the master phase: lists what the sweep is to query, the master's list
// or the fallback list with the servers the front end gave, and says which.
// kNone when there is nothing to sweep: the master phase failed, or was
// aborted, and no other list applies. `handOverStatus` becomes the text that
// the hand-over shows: "Querying servers...", after the failures of the
// masters that did not answer when others did, or the fallback's own.
SweptList ListServersToSweep(RefreshState& engine, const MasterPhase& master,
                             std::u16string& handOverStatus);

}  // namespace skelvane
