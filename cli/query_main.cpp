// skelvane-query: one refresh through the browser's engine, on the command line.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/query_options.h"
#include "cli/query_run.h"
#include "platform/console.h"

namespace skelvane {
namespace {

RefreshState* gEngineForSignal = nullptr;
Event* gInterruptedForSignal = nullptr;

// Ctrl-C takes the same road as the browser's Abort button, and tells a watch
// to end. Setting an event is a single write, which is safe inside a signal
// handler. The handler is used once: a second Ctrl-C ends the program at
// once, for a user who will not wait for a master's answer or the sweep's
// last second.
void OnInterrupt(int signalNumber) {
    std::signal(signalNumber, SIG_DFL);
    if (gInterruptedForSignal != nullptr) {
        gInterruptedForSignal->Set();
    }
    if (gEngineForSignal != nullptr) {
        AbortRefresh(*gEngineForSignal);
    }
}

void InstallInterruptHandler(RefreshState& engine, Event& interrupted) {
    gEngineForSignal = &engine;
    gInterruptedForSignal = &interrupted;
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    // The report is written through the streams alone; their own buffers keep
    // a large one from costing a call to the C library for every piece.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Result<QueryOptions> parsed = ParseQueryOptions(args);
    if (!parsed) {
        std::cerr << "skelvane-query: " << parsed.Why() << "\n\n" << kQueryUsage;
        return kExitUsage;
    }
    if (parsed->help) {
        std::cout << kQueryUsage;
        return kExitCompleted;
    }
    if (!StartNetworking()) {
        std::cerr << "skelvane-query: the network cannot be used\n";
        return kExitSweepFailed;
    }
    UseUtf8Console();
    // The engine outlives every thread of the refresh and the signal handler's use of it.
    static RefreshState engine;
    static Event interrupted = Event::Create(EventReset::kManual);
    InstallInterruptHandler(engine, interrupted);
    return RunQuery(*parsed, engine, interrupted);
}
