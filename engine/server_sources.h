#pragma once

#include "engine/refresh_engine.h"

namespace skelvane {

// After the master phase: lists what the sweep is to query, the master's list
// or the fallback list with the servers the front end gave, and says which.
// kNone when there is nothing to sweep: the master phase failed, or was
// aborted, and no other list applies.
SweptList ListServersToSweep(RefreshEngine& engine, MasterOutcome master);

}  // namespace skelvane
