#pragma once

#include "cli/query_inputs.h"
#include "cli/query_options.h"
#include "engine/refresh_engine.h"
#include "platform/event.h"

namespace skelvane {

// Refreshes again and again, each `options.watchSeconds` after the previous
// one ended, and prints each buddy event to stdout as it is found. Returns
// once `interrupted` is set, which also aborts a running refresh.
void RunWatch(const QueryOptions& options, const QueryInputs& inputs, RefreshState& engine,
              Event& interrupted);

}  // namespace skelvane
