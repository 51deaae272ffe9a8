#include "browse/kept_info_lines.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/server_table.h"
#include "testnet/status_answer.h"

namespace skelvane {
namespace {

TEST(KeptInfoLines, KeepsEachRecordsLatestInfoLineWithinTheTablesBounds) {
    KeptInfoLines kept;
    const auto answer = [](const std::string& name) {
        return StatusAnswer().Info("sv_hostname", name).Player(1, 2, "p").Build();
    };
    kept.Keep(3, answer("first"));
    kept.Keep(3, answer("second"));
    kept.Keep(-1, answer("x"));
    kept.Keep(kMaxServerRecords, answer("x"));
    EXPECT_EQ(kept.InfoLine(3), "\\sv_hostname\\second");
    for (const std::int32_t none : {-1, 0, 4, kMaxServerRecords}) {
        EXPECT_EQ(kept.InfoLine(none), "") << none;
    }
    kept.Clear();
    EXPECT_EQ(kept.InfoLine(3), "");
}

// The receiver keeps lines while the window reads them.
TEST(KeptInfoLines, ARefreshThreadKeepsWhileTheWindowReads) {
    KeptInfoLines kept;
    const auto bytes = StatusAnswer().Info("k", "v").Build();
    std::thread receiver([&] {
        for (std::int32_t i = 0; i < 2000; ++i) {
            kept.Keep(i, bytes);
        }
    });
    for (std::int32_t i = 0; i < 2000; ++i) {
        const std::string line = kept.InfoLine(i);
        EXPECT_TRUE(line.empty() || line == "\\k\\v") << line;
    }
    receiver.join();
    EXPECT_EQ(kept.InfoLine(1999), "\\k\\v");
}

}  // namespace
}  // namespace skelvane
