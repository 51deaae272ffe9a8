// Prints the CPU time the master phase spends reading a hostile server list:
// 16,000 distinct servers, each listed six times (80,000 repeats), in
// datagrams of 100 entries, read through the master phase's own reader. The
// baseline, measured in the same run, is a list half that size (8,000
// distinct, 40,000 repeats; its table too is larger than the allocator keeps
// for reuse, so both pay for fresh memory alike): a ratio near 2 means the
// cost grows with the list, a ratio near 4 with its square.
//
//   skelvane_master_list_bench [RUNS]     (default 5; medians are printed)

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/median.h"
#include "engine/master_wire.h"
#include "testnet/master_answer.h"

namespace skelvane {
namespace {

constexpr int kListings = 6;

std::vector<Datagram> HostileList(std::uint32_t distinct) {
    std::vector<Ipv4Endpoint> listed;
    for (int round = 0; round < kListings; ++round) {
        for (std::uint32_t i = 0; i < distinct; ++i) {
            listed.push_back(Ipv4Endpoint{LoopbackAddress(1, static_cast<std::uint8_t>(i >> 8),
                                                          static_cast<std::uint8_t>(i & 0xFF)),
                                          static_cast<std::uint16_t>(20000 + i % 7)});
        }
    }
    MasterAnswerShape shape;
    shape.entriesPerDatagram = 100;
    return BuildMasterAnswer(listed, shape);
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// CPU milliseconds of reading every datagram into a fresh table.
double ReadOnce(const std::vector<Datagram>& datagrams, std::int32_t expectedCount) {
    ServerTable table;
    bool endMarkerSeen = false;
    const double start = ThreadCpuMs();
    for (const Datagram& datagram : datagrams) {
        ReadMasterDatagram(datagram, table, endMarkerSeen);
    }
    const double spent = ThreadCpuMs() - start;
    if (table.Count() != expectedCount || !endMarkerSeen) {
        std::fprintf(stderr, "read %d servers, expected %d\n", table.Count(), expectedCount);
        std::exit(1);
    }
    return spent;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::vector<Datagram> large = HostileList(16000);
    const std::vector<Datagram> small = HostileList(8000);
    std::vector<double> largeMs;
    std::vector<double> smallMs;
    for (int run = 0; run < runs; ++run) {
        smallMs.push_back(ReadOnce(small, 8000));
        largeMs.push_back(ReadOnce(large, 16000));
    }
    const double largeMedian = Median(largeMs);
    const double smallMedian = Median(smallMs);
    std::printf("master list read, CPU ms (median of %d runs)\n", runs);
    std::printf("  16,000 distinct + 80,000 repeats: %10.1f\n", largeMedian);
    std::printf("   8,000 distinct + 40,000 repeats: %10.1f  (baseline)\n", smallMedian);
    std::printf("  ratio (2 = linear, 4 = quadratic):    %10.1f\n", largeMedian / smallMedian);
    return 0;
}
