#include "cli/watch_run.h"

#include <ctime>
#include <iostream>

#include "browse/buddy_watch.h"
#include "cli/buddy_event_report.h"
#include "cli/query_session.h"

namespace skelvane {

void RunWatch(const QueryOptions& options, const QueryInputs& inputs, RefreshState& engine,
              Event& interrupted) {
    // Progress goes to stderr from the status printer's own thread; a stderr
    // tied to stdout would flush stdout from there while events are written.
    std::ostream* const tied = std::cerr.tie(nullptr);
    BuddyWatch watch;
    const std::uint32_t pauseMs = static_cast<std::uint32_t>(options.watchSeconds) * 1000u;
    while (!interrupted.Poll()) {
        engine.refreshInProgress = 1;
        const RefreshResult result = RunRefresh(engine);
        if (!options.cacheFile.empty()) {
            UpdateCache(options.cacheFile, inputs.cache, result, engine, std::time(nullptr));
        }
        if (SweptWholeList(result)) {
            PrintBuddyEvents(std::cout, watch.Observe(SightBuddies(engine.table, *inputs.buddies)),
                             std::time(nullptr), options.json);
        }
        // The engine's abort event is only a second thing to wait on: it was
        // reset when the refresh ended, and Ctrl-C sets `interrupted` too.
        WaitForEither(interrupted, engine.abortEvent, pauseMs);
    }
    std::cerr.tie(tied);
}

}  // namespace skelvane
