#include "cli/query_session.h"

#include <ctime>
#include <iostream>
#include <utility>

#include "cli/text_coding.h"
#include "engine/masters_to_ask.h"

namespace skelvane {

void QueryFrontEnd::PutStatus(const char16_t* text) {
    status.Print(TerminalText(text));
}

// Called with the table lock held, so one answer at a time.
void QueryFrontEnd::KeepAnswer(std::int32_t index, std::span<const std::uint8_t> answer) {
    if (keepRules_) {
        rules[index] = ReadServerRules(answer);
    }
}

bool MasterFailed(const RefreshResult& result) {
    return result.master != MasterOutcome::kHandedOver && result.master != MasterOutcome::kNotAsked;
}

// The master's list is kept whenever its answer came whole; when the master
// failed and no cache could stand in, the user learns why.
void UpdateCache(const std::string& path, const CacheRead& cache, const RefreshResult& result,
                 const RefreshState& engine, std::int64_t now) {
    std::string error;
    if (result.master == MasterOutcome::kHandedOver && result.masterListComplete &&
        !SaveMasterList(path, engine.table, result.masterListed, now, error)) {
        std::cerr << "skelvane-query: the cache is not saved: " << error << "\n";
    }
    if (MasterFailed(result) && !cache.list) {
        std::cerr << "skelvane-query: no cached list to sweep instead: " << cache.problem << "\n";
    }
}

void PrepareEngine(const QueryOptions& options, const QueryInputs& inputs,
                   std::shared_ptr<QueryFrontEnd> frontEnd, RefreshState& engine) {
    engine.masters = MastersToAsk(options.masters, {});
    engine.sources.askMaster = options.askMaster;
    engine.sources.given = inputs.servers;
    if (inputs.cache.list) {
        const FallbackList cached{inputs.cache.list->servers,
                                  Utf16FromBytes(FallbackNotice(
                                      options.cacheFile, *inputs.cache.list, std::time(nullptr)))};
        engine.sources.fallback = [cached](std::u16string_view) { return std::optional(cached); };
    }
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.frontEnd = std::move(frontEnd);
}

}  // namespace skelvane
