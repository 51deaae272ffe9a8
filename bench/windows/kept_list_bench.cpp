// Reads a kept master list of 16,384 servers, the most the table holds, as
// the browser does when no master answers, and prints the median time of a
// read against the 20 ms it may take. The baseline, in the same run: reading
// the same file's bytes alone, without checking or parsing them.
//
//   kept_list_bench.exe [RUNS]    (the list is written to the system's
//                                  temporary folder and removed at the end)

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/windows/bench_support.h"
#include "engine/server_table.h"
#include "lists/kept_list.h"
#include "lists/text_file.h"

namespace skelvane {
namespace {

constexpr double kLimitMs = 20.0;

std::vector<Ipv4Endpoint> LargestList() {
    std::vector<Ipv4Endpoint> servers;
    for (std::int32_t i = 0; i < kMaxServerRecords; ++i) {
        servers.push_back(Ipv4Endpoint{LoopbackAddress(static_cast<std::uint8_t>(i / 250), 0,
                                                       static_cast<std::uint8_t>(1 + i % 250)),
                                       static_cast<std::uint16_t>(27960 + i % 4000)});
    }
    return servers;
}

}  // namespace
}  // namespace skelvane

int wmain(int argc, wchar_t** argv) {
    using namespace skelvane;
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 21;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / L"skelvane-kept-list-bench.txt";
    const std::vector<Ipv4Endpoint> servers = LargestList();
    const double writeStart = NowMs();
    if (!KeepList(path, servers, 1733580000)) {
        std::fprintf(stderr, "kept_list_bench: cannot write the list\n");
        return 1;
    }
    const double writeMs = NowMs() - writeStart;
    std::vector<double> reads, bare;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMs();
        const Result<CachedList> read = ReadKeptList(path);
        reads.push_back(NowMs() - start);
        if (!read || read->servers != servers) {
            std::fprintf(stderr, "kept_list_bench: the list did not read back whole\n");
            return 1;
        }
        const double bareStart = NowMs();
        ReadTextFile(path, kMaxKeptListBytes);
        bare.push_back(NowMs() - bareStart);
    }
    std::error_code ignored;
    const auto bytes = std::filesystem::file_size(path, ignored);
    std::filesystem::remove(path, ignored);
    const double read = Median(reads);
    std::printf(
        "kept list of %d servers (%llu bytes), medians of %d runs: read %.2f ms (limit %.0f ms: "
        "%s), file bytes alone %.2f ms, read/bytes %.1f; written once in %.2f ms\n",
        kMaxServerRecords, static_cast<unsigned long long>(bytes), runs, read, kLimitMs,
        read <= kLimitMs ? "within" : "OVER", Median(bare), read / Median(bare), writeMs);
    return 0;
}
