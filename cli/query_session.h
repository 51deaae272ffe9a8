#pragma once

#include <cstdint>
#include <iostream>
#include <memory>
#include <span>
#include <string>

#include "cli/cache_file.h"
#include "cli/query_inputs.h"
#include "cli/query_options.h"
#include "cli/server_report.h"
#include "cli/status_printer.h"
#include "engine/refresh_engine.h"

namespace skelvane {

// What the refresh threads hand to the command line, carried out at once on
// the thread that calls. The report reads `rules` once the refresh is over and
// its threads are gone.
class QueryFrontEnd : public RefreshFrontEnd {
  public:
    explicit QueryFrontEnd(bool keepRules) : keepRules_(keepRules) {}

    void PutStatus(const char16_t* text) override;
    void KeepAnswer(std::int32_t index, std::span<const std::uint8_t> answer) override;

    StatusPrinter status{std::cerr};
    RulesByRecord rules;

  private:
    bool keepRules_;
};

// Points the engine at what the options and inputs name, and at `frontEnd`.
void PrepareEngine(const QueryOptions& options, const QueryInputs& inputs,
                   std::shared_ptr<QueryFrontEnd> frontEnd, RefreshState& engine);

// True when the master was asked and its phase did not hand a list over.
bool MasterFailed(const RefreshResult& result);

// After a refresh: keeps the master's list in the cache file when its answer
// came whole, and says why when the master failed and no cache stood in.
void UpdateCache(const std::string& path, const Result<CachedList>& cache,
                 const RefreshResult& result, const RefreshState& engine, std::int64_t now);

}  // namespace skelvane
