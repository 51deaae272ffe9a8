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
void UpdateCache(const std::string& path, const Result<CachedList>& cache,
                 const RefreshResult& result, const RefreshState& engine, std::int64_t now) {
    if (result.master == MasterOutcome::kHandedOver && result.masterListComplete) {
        const Result<> saved = SaveMasterList(path, engine.table, result.masterListed, now);
        if (!saved) {
            std::cerr << "skelvane-query: the cache is not saved: " << saved.Why() << "\n";
        }
    }
    if (MasterFailed(result) && !cache) {
        std::cerr << "skelvane-query: no cached list to sweep instead: " << cache.Why() << "\n";
    }
}

void PrepareEngine(const QueryOptions& options, const QueryInputs& inputs,
                   std::shared_ptr<QueryFrontEnd> frontEnd, RefreshState& engine) {
    engine.masters = MastersToAsk(options.masters, {});
    engine.sources.askMaster = options.askMaster;
    engine.sources.given = inputs.servers;
    if (inputs.cache) {
        const FallbackList cached{
            inputs.cache->servers,
            Utf16FromBytes(FallbackNotice(options.cacheFile, *inputs.cache, std::time(nullptr)))};
        engine.sources.fallback = [cached](std::u16string_view) { return std::optional(cached); };
    }
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.frontEnd = std::move(frontEnd);
}

}  // namespace skelvane
