#pragma once

#include "engine/refresh_engine.h"

namespace skelvane {

// The master phase of a refresh: resolve, ask, read the answer into the server
// table. On kHandedOver the table is complete and the front end has emptied
// its lists; every other outcome has shown its status text.
MasterOutcome RunMasterQuery(RefreshEngine& engine);

}  // namespace skelvane
