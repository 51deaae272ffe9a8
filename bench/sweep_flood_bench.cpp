// Prints how long a status sweep takes to end while a neighbour floods its
// socket with junk datagrams from another address, and how long an abort
// takes to end it then. The master lists five sound servers of the test
// network and a flooding server, which answers and then floods for FLOOD_MS
// unless the run ends it. The baseline, measured in the same run, is the same
// sweep without a flood. Real timings.
//
// - Sweep: 10 queries per second, the flooding server listed last, so that
//   every server has answered when the flood starts and the sweep can end.
// - Abort: 1 query per second, the flooding server listed first, so that the
//   flood runs while the sweep waits; the abort comes 300 ms into the sweep.
//
//   skelvane_sweep_flood_bench [RUNS] [FLOOD_MS]     (defaults 3 and 8000)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "bench/bench_network.h"
#include "bench/median.h"
#include "engine/master_query.h"
#include "engine/status_sweep.h"
#include "platform/clock.h"
#include "testnet/background_network.h"
#include "testnet/flooding_server.h"

namespace skelvane {
namespace {

constexpr std::uint32_t kSoundServers = 5;
constexpr std::uint32_t kAbortAfterMs = 300;

// A master of its own that lists the sound servers and the flooding one.
std::unique_ptr<BackgroundNetwork> MasterListing(const FloodingServer& flooding,
                                                 const BackgroundNetwork& sound,
                                                 bool floodingFirst) {
    TestNetworkConfig config;
    config.master = Ipv4Endpoint{LoopbackAddress(), 0};
    const auto servers = sound.Network().ServerEndpoints();
    std::vector<Ipv4Endpoint> listed(servers.begin(), servers.end());
    listed.insert(floodingFirst ? listed.begin() : listed.end(), flooding.Endpoint());
    config.listedServers = listed;
    return StartNetworkOrExit(config);
}

struct SweepRun {
    std::uint32_t sweepMs = 0;
    std::uint32_t abortToEndMs = 0;
    std::int32_t responded = 0;
};

// One sweep; with `abort`, the abort comes kAbortAfterMs after it started.
SweepRun RunSweep(const BackgroundNetwork& sound, std::uint32_t floodMs, bool abort) {
    FloodingServer flooding(floodMs);
    const auto master = MasterListing(flooding, sound, abort);
    auto engine = std::make_unique<RefreshState>();
    engine->masters = {MasterServer{"127.0.0.1", master->Network().MasterEndpoint().port}};
    engine->settings.packetsPerSecond = abort ? 1 : 10;
    if (RunMasterQuery(*engine).outcome != MasterOutcome::kHandedOver) {
        std::fprintf(stderr, "the master did not answer\n");
        std::exit(1);
    }
    std::uint32_t abortedAt = 0;
    const std::uint32_t start = MillisecondClock();
    std::thread clicker;
    if (abort) {
        clicker = std::thread([&] {
            SleepMs(kAbortAfterMs);
            abortedAt = MillisecondClock();
            AbortRefresh(*engine);
        });
    }
    const SweepSummary summary = StatusSweep(*engine);
    const std::uint32_t end = MillisecondClock();
    if (clicker.joinable()) {
        clicker.join();
    }
    return SweepRun{ElapsedMs(end, start), abort ? ElapsedMs(end, abortedAt) : 0,
                    summary.responded};
}

struct Figures {
    std::vector<std::uint32_t> sweepMs;
    std::vector<std::uint32_t> abortMs;
    std::int32_t responded = 0;
};

Figures Measure(const BackgroundNetwork& sound, std::uint32_t floodMs, int runs) {
    Figures figures;
    for (int run = 0; run < runs; ++run) {
        const SweepRun completed = RunSweep(sound, floodMs, false);
        figures.sweepMs.push_back(completed.sweepMs);
        figures.responded = completed.responded;
        figures.abortMs.push_back(RunSweep(sound, floodMs, true).abortToEndMs);
    }
    return figures;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const auto floodMs = static_cast<std::uint32_t>(argc > 2 ? std::atoi(argv[2]) : 8000);
    const auto sound = PlainNetwork(1, kSoundServers);
    const Figures quiet = Measure(*sound, 0, runs);
    const Figures flooded = Measure(*sound, floodMs, runs);
    std::printf("status sweep of %u servers beside a flooding neighbour (median of %d runs)\n",
                kSoundServers + 1, runs);
    std::printf("                      sweep ms  answered  abort-to-end ms\n");
    std::printf("  no flood (baseline) %8u  %8d  %15u\n", Median(quiet.sweepMs), quiet.responded,
                Median(quiet.abortMs));
    std::printf("  flood of %5u ms    %8u  %8d  %15u\n", floodMs, Median(flooded.sweepMs),
                flooded.responded, Median(flooded.abortMs));
    std::printf("  ratio to baseline   %8.1f            %15.1f\n",
                static_cast<double>(Median(flooded.sweepMs)) / Median(quiet.sweepMs),
                static_cast<double>(Median(flooded.abortMs)) /
                    std::max<std::uint32_t>(1, Median(quiet.abortMs)));
    return 0;
}
