// Prints how long the master phase takes with three masters of which one is
// silent, at the real timings: the answering two list their test networks,
// the silent one never answers, so its three waits of two seconds run out.
// Baselines, measured in the same run: the silent master asked alone, and the
// two answering ones asked alone. Asked at once, the three take as long as
// the silent one alone, not the sum of their phases.
//
//   skelvane_masters_bench [RUNS]     (default 3)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_network.h"
#include "bench/median.h"
#include "engine/master_query.h"
#include "platform/clock.h"
#include "testnet/background_network.h"

namespace skelvane {
namespace {

constexpr std::uint32_t kServersPerMaster = 50;

MasterServer MasterAt(std::uint16_t port) {
    return MasterServer{"127.0.0.1", port};
}

struct Phase {
    std::uint32_t ms = 0;
    std::int32_t listed = 0;
};

Phase TimeMasterPhase(const std::vector<MasterServer>& masters) {
    RefreshState engine;
    engine.masters = masters;
    const std::uint32_t start = MillisecondClock();
    RunMasterQuery(engine);
    return Phase{ElapsedMs(MillisecondClock(), start), engine.table.Count()};
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    if (!StartNetworking()) {
        return 1;
    }
    const auto first = PlainNetwork(1, kServersPerMaster);
    const auto second = PlainNetwork(2, kServersPerMaster);
    UdpSocket silent = UdpSocket::Open();
    silent.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    const MasterServer silentMaster = MasterAt(silent.LocalEndpoint()->port);
    const MasterServer one = MasterAt(first->Network().MasterEndpoint().port);
    const MasterServer two = MasterAt(second->Network().MasterEndpoint().port);

    std::vector<std::uint32_t> alone, answering, together;
    std::int32_t listed = 0;
    for (int run = 1; run <= runs; ++run) {
        alone.push_back(TimeMasterPhase({silentMaster}).ms);
        answering.push_back(TimeMasterPhase({one, two}).ms);
        const Phase all = TimeMasterPhase({one, silentMaster, two});
        together.push_back(all.ms);
        listed = all.listed;
        std::printf("run=%d silent_alone_ms=%u answering_two_ms=%u three_ms=%u listed=%d\n", run,
                    alone.back(), answering.back(), together.back(), all.listed);
    }
    const std::uint32_t silentMs = Median(alone);
    const std::uint32_t threeMs = Median(together);
    std::printf(
        "medians of %d runs: three masters, one silent: %u ms (%d servers listed); the silent one "
        "alone %u ms; the answering two alone %u ms; three/silent-alone %.2f (three waits in a "
        "row would be about %u ms)\n",
        runs, threeMs, listed, silentMs, Median(answering), static_cast<double>(threeMs) / silentMs,
        3 * silentMs);
    StopNetworking();
    return 0;
}
