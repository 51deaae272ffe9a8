// Searches a tree for a game executable that is not in it, as a double-click
// searches a drive when no game directory is set, and prints the entries
// looked at per second. The baseline, in the same run: a bare walk of the same
// tree with FindFirstFile and FindNextFile.
//
//   search_bench.exe DIRECTORY [RUNS]    (DIRECTORY ends with a backslash)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/windows/bench_support.h"
#include "launch/game_search.h"
#include "launch/game_search_win32.h"
#include "platform/win32/wide_text.h"

namespace skelvane {
namespace {

long long BareWalk(const std::wstring& directory) {
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW((directory + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    long long entries = 0;
    do {
        ++entries;
        const std::wstring name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
            name != L"..") {
            entries += BareWalk(directory + name + L"\\");
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return entries;
}

struct Measured {
    long long entries;
    double ms;
};

Measured Search(const std::u16string& directory) {
    long long entries = 0;
    GameSearchHost host;
    host.listDirectory = [&entries](const std::u16string& pattern, const auto& visit) {
        return ListDirectory(pattern, [&](const ListedEntry& entry) {
            ++entries;
            return visit(entry);
        });
    };
    host.askYesNo = [](const char16_t*, const char16_t*) { return false; };
    const double start = NowMs();
    FindGameDirectory(directory, u"not-in-this-tree.exe", host);
    return Measured{entries, NowMs() - start};
}

}  // namespace
}  // namespace skelvane

int wmain(int argc, wchar_t** argv) {
    using namespace skelvane;
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench DIRECTORY [RUNS]\n");
        return 64;
    }
    const std::wstring directory = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    std::vector<double> searchRates, bareRates;
    for (int run = 1; run <= runs; ++run) {
        const Measured search = Search(AsUtf16(directory.c_str()));
        const double bareStart = NowMs();
        const long long bareEntries = BareWalk(directory);
        const double bareMs = NowMs() - bareStart;
        searchRates.push_back(1000.0 * static_cast<double>(search.entries) / search.ms);
        bareRates.push_back(1000.0 * static_cast<double>(bareEntries) / bareMs);
        std::printf("run=%d entries=%lld search_ms=%.0f search_per_s=%.0f bare_per_s=%.0f\n", run,
                    search.entries, search.ms, searchRates.back(), bareRates.back());
    }
    const double search = Median(searchRates);
    const double bare = Median(bareRates);
    std::printf(
        "medians of %d runs: search %.0f entries/s, bare walk %.0f entries/s, search/bare %.2f\n",
        runs, search, bare, search / bare);
    return 0;
}
