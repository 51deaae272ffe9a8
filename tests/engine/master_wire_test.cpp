#include "engine/master_wire.h"

#include <time.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::Bytes;
using test::ReadMasterList;

std::string RequestText(bool full, bool empty) {
    const MasterRequest request = BuildGetServersRequest(full, empty);
    return std::string(request.bytes.begin(), request.bytes.begin() + request.size);
}

TEST(MasterRequest, CarriesTheFilterFlagsInOrder) {
    const std::string prefix = "\xFF\xFF\xFF\xFFgetservers 69";
    EXPECT_EQ(RequestText(false, false), prefix);
    EXPECT_EQ(RequestText(true, false), prefix + " full");
    EXPECT_EQ(RequestText(false, true), prefix + " empty");
    EXPECT_EQ(RequestText(true, true), prefix + " full empty");
    EXPECT_EQ(BuildGetServersRequest(false, false).size, 17u);
    EXPECT_EQ(BuildGetServersRequest(true, true).size, 28u);
}

Ipv4Endpoint Server(std::uint8_t d, std::uint16_t port) {
    return Ipv4Endpoint{LoopbackAddress(0, 0, d), port};
}

TEST(MasterResponse, EntriesSplitOverDatagramsKeepTheirOrder) {
    const test::MasterList read = ReadMasterList(
        {MasterDatagram().Entry(127, 0, 0, 1, 27960).Build(),
         MasterDatagram().Entry(127, 0, 0, 2, 1).Entry(127, 0, 0, 3, 65535).EndMarker().Build()});
    EXPECT_TRUE(read.endMarker);
    EXPECT_EQ(read.servers, (std::vector{Server(1, 27960), Server(2, 1), Server(3, 65535)}));
}

TEST(MasterResponse, DuplicatesWithinAndAcrossDatagramsKeepTheFirstIndex) {
    const test::MasterList read = ReadMasterList({MasterDatagram()
                                                      .Entry(127, 0, 0, 1, 100)
                                                      .Entry(127, 0, 0, 2, 200)
                                                      .Entry(127, 0, 0, 1, 100)
                                                      .Build(),
                                                  MasterDatagram()
                                                      .Entry(127, 0, 0, 2, 200)
                                                      .Entry(127, 0, 0, 3, 300)
                                                      .Entry(127, 0, 0, 1, 100)
                                                      .EndMarker()
                                                      .Build()});
    EXPECT_EQ(read.servers, (std::vector{Server(1, 100), Server(2, 200), Server(3, 300)}));
}

TEST(MasterResponse, TwoPortsOnOneAddressAreTwoServers) {
    const test::MasterList read = ReadMasterList(
        {MasterDatagram().Entry(127, 0, 0, 1, 100).Entry(127, 0, 0, 1, 101).Build()});
    EXPECT_EQ(read.servers, (std::vector{Server(1, 100), Server(1, 101)}));
}

TEST(MasterResponse, EntryWithoutSeparatorAdvancesSixBytes) {
    // The second entry lacks its backslash: the cursor moves by 6 while the count
    // of bytes left drops by 7, so the reading ends before the last byte.
    const test::MasterList read = ReadMasterList({MasterDatagram()
                                                      .Entry(127, 0, 0, 1, 100)
                                                      .Entry(127, 0, 0, 2, 200, false)
                                                      .Entry(127, 0, 0, 3, 300)
                                                      .Raw({'\\'})
                                                      .Build()});
    EXPECT_EQ(read.servers, (std::vector{Server(1, 100), Server(2, 200), Server(3, 300)}));
}

TEST(MasterResponse, OnlyTheEndMarkerGivesAnEmptyTable) {
    const Bytes datagram = MasterDatagram().EndMarker().Build();
    ASSERT_EQ(datagram.size(), 29u);
    const test::MasterList read = ReadMasterList({datagram});
    EXPECT_TRUE(read.endMarker);
    EXPECT_TRUE(read.servers.empty());
}

TEST(MasterResponse, EntriesAfterTheEndMarkerAreNotRead) {
    const test::MasterList read =
        ReadMasterList({MasterDatagram().EndMarker().Entry(127, 0, 0, 1, 100).Build()});
    EXPECT_TRUE(read.endMarker);
    EXPECT_TRUE(read.servers.empty());
}

TEST(MasterResponse, HostileLengthsNeverReadPastTheEndOrOverfillTheTable) {
    const Bytes full = MasterDatagram()
                           .Entry(127, 0, 0, 1, 100)
                           .Entry(127, 0, 0, 2, 200, false)
                           .Entry(127, 0, 0, 3, 300, false)
                           .Entry(127, 0, 0, 4, 400)
                           .Raw({1, 2, 3, 4, 5})
                           .Build();
    for (std::size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        const test::MasterList read = ReadMasterList({Bytes(full.begin(), full.begin() + length)});
        EXPECT_LE(read.servers.size(), length < 23 ? 0u : (length - 23 + 6) / 7);
    }
}

TEST(MasterResponse, TrailingPieceTooShortForAnEntryIsDropped) {
    const test::MasterList read =
        ReadMasterList({MasterDatagram().Entry(127, 0, 0, 1, 100).Raw({127, 0, 0, 2, 0}).Build()});
    EXPECT_EQ(read.servers, (std::vector{Server(1, 100)}));
}

// The layout of many deployed masters: the backslash comes before each entry,
// so a datagram without the end marker has 22 + 7n bytes and ends with an
// entry, and the end marker may come alone in a datagram of its own.
Bytes LeadingSeparators(const std::vector<std::uint8_t>& lastBytes, bool endMarker) {
    MasterDatagram datagram(MasterDatagram::Separators::kBeforeEachEntry);
    for (const std::uint8_t d : lastBytes) {
        datagram.Entry(Server(d, d));
    }
    if (endMarker) {
        datagram.EndMarker();
    }
    return datagram.Build();
}

TEST(MasterResponse, SeparatorsBeforeEachEntryGiveEveryEntryAndNoMore) {
    struct Case {
        const char* what;
        std::vector<Bytes> datagrams;
        std::vector<std::uint8_t> servers;
        bool endMarker;
    };
    const std::vector<Case> cases = {
        {"one entry, 29 bytes", {LeadingSeparators({1}, false)}, {1}, false},
        {"split, marker alone",
         {LeadingSeparators({1, 2, 3}, false), LeadingSeparators({4, 5}, false),
          LeadingSeparators({}, true)},
         {1, 2, 3, 4, 5},
         true},
        {"split, marker after the last entries",
         {LeadingSeparators({1, 2}, false), LeadingSeparators({3}, true)},
         {1, 2, 3},
         true},
        {"repeats across datagrams",
         {LeadingSeparators({1, 2}, false), LeadingSeparators({2, 1, 3}, false)},
         {1, 2, 3},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const test::MasterList read = ReadMasterList(c.datagrams);
        std::vector<Ipv4Endpoint> expected;
        for (const std::uint8_t d : c.servers) {
            expected.push_back(Server(d, d));
        }
        EXPECT_EQ(read.servers, expected);
        EXPECT_EQ(read.endMarker, c.endMarker);
    }
}

TEST(MasterResponse, RepeatedEntriesDoNotInflateTheTable) {
    ServerTable table;
    bool endMarker = false;
    MasterDatagram datagram;
    for (int i = 0; i < 9000; ++i) {
        datagram.Entry(127, 0, 0, 1, 100);
    }
    const Bytes bytes = datagram.Build();
    for (int round = 0; round < 5; ++round) {
        ReadMasterDatagram(bytes, table, endMarker);
    }
    EXPECT_EQ(table.Count(), 1);
    EXPECT_LE(table.capacity, 9001);
}

// `distinct` servers on 127.1.x.y, the whole list given `listings` times, in
// datagrams of 100 entries.
std::vector<Bytes> RepeatedList(int distinct, int listings) {
    std::vector<Bytes> datagrams;
    for (int round = 0; round < listings; ++round) {
        for (int first = 0; first < distinct; first += 100) {
            MasterDatagram datagram;
            for (int i = first; i < std::min(first + 100, distinct); ++i) {
                datagram.Entry(127, 1, static_cast<std::uint8_t>(i >> 8),
                               static_cast<std::uint8_t>(i & 0xFF), 27960);
            }
            datagrams.push_back(datagram.Build());
        }
    }
    return datagrams;
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The servers of a list arrive a datagram at a time; a table that moved its
// records (several kilobytes each) for every datagram would copy gigabytes
// for a long list. Counted, not timed: the copying's cost depends on the
// build and the machine, the number of moves does not.
TEST(MasterResponse, ALongListMovesTheTableOnlyAFewTimes) {
    ServerTable table;
    bool endMarker = false;
    int moves = 0;
    for (const Bytes& datagram : RepeatedList(16000, 1)) {
        const std::int32_t allocatedBefore = table.allocated;
        ReadMasterDatagram(datagram, table, endMarker);
        moves += table.allocated != allocatedBefore ? 1 : 0;
    }
    EXPECT_EQ(table.Count(), 16000);
    // Growing by half at least: about log1.5(160) moves for 160 datagrams.
    EXPECT_LE(moves, 16);
}

TEST(MasterResponse, AHostileListOfRepeatsCostsLittleTime) {
    // Testing each repeat against every record kept so far would take seconds
    // for these 80,000 repeats of 16,000 servers; one look-up each takes little.
    ServerTable table;
    bool endMarker = false;
    const std::vector<Bytes> datagrams = RepeatedList(16000, 6);
    const std::size_t firstListing = datagrams.size() / 6;
    for (std::size_t i = 0; i < firstListing; ++i) {
        ReadMasterDatagram(datagrams[i], table, endMarker);
    }
    const double start = ThreadCpuSeconds();
    for (std::size_t i = firstListing; i < datagrams.size(); ++i) {
        ReadMasterDatagram(datagrams[i], table, endMarker);
    }
    const double cpuSeconds = ThreadCpuSeconds() - start;
    EXPECT_EQ(table.Count(), 16000);
    EXPECT_LT(cpuSeconds, 1.5);
}

TEST(MasterResponse, AListLongerThanTheTableIsCutAndSaysSo) {
    // Every server listed twice: repeats of kept servers are no loss.
    for (const int distinct : {kMaxServerRecords, kMaxServerRecords + 1}) {
        SCOPED_TRACE(distinct);
        const test::MasterList read = ReadMasterList(RepeatedList(distinct, 2));
        EXPECT_EQ(read.servers.size(), static_cast<std::size_t>(kMaxServerRecords));
        EXPECT_EQ(read.cut, distinct > kMaxServerRecords);
    }
}

}  // namespace
}  // namespace skelvane
