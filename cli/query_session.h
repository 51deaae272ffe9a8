#pragma once

#include <cstdint>
#include <iostream>
#include <string>

#include "cli/cache_file.h"
#include "cli/query_inputs.h"
#include "cli/query_options.h"
#include "cli/server_report.h"
#include "cli/status_printer.h"
#include "engine/refresh_engine.h"

namespace skelvane {

// What the refresh threads hand to the command line. The report reads
// `rules` once the refresh is over and its threads are gone.
struct QueryUi {
    StatusPrinter status{std::cerr};
    RulesByRecord rules;
};

// Points the engine at what the options and inputs name, with its hooks on `ui`.
void PrepareEngine(const QueryOptions& options, const QueryInputs& inputs, QueryUi& ui,
                   RefreshEngine& engine);

// True when the master was asked and its phase did not hand a list over.
bool MasterFailed(const RefreshResult& result);

// After a refresh: keeps the master's list in the cache file when its answer
// came whole, and says why when the master failed and no cache stood in.
void UpdateCache(const std::string& path, const CacheRead& cache, const RefreshResult& result,
                 const RefreshEngine& engine, std::int64_t now);

}  // namespace skelvane
