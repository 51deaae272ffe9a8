#include "engine/server_table.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ServerTable, GrowingKeepsRecordsAndZeroFillsNewOnes) {
    ServerTable table;
    ASSERT_EQ(GrowTable(table, 2), 2);
    ASSERT_TRUE(AppendServer(table, 0x0100007F, 27960));
    table[0].players[3].score = 7;
    ASSERT_EQ(GrowTable(table, 500), 500);
    EXPECT_EQ(table[0].port, 27960);
    EXPECT_EQ(table[0].players[3].score, 7);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&table[1]);
    for (std::size_t i = 0; i < sizeof(ServerRecord) * 499; ++i) {
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    }
    EXPECT_EQ(GrowTable(table, 10), 500) << "a smaller size never shrinks the table";
}

TEST(ServerTable, AppendRefusesDuplicatesAndAFullTable) {
    ServerTable table;
    GrowTable(table, 2);
    EXPECT_TRUE(AppendServer(table, 1, 10));
    EXPECT_FALSE(AppendServer(table, 1, 10));
    EXPECT_TRUE(AppendServer(table, 1, 11));
    EXPECT_FALSE(AppendServer(table, 2, 10)) << "no room left";
    EXPECT_EQ(table.Count(), 2);
}

TEST(ServerTable, ReplaceEmptiesAndGrowthIsCapped) {
    ServerTable table;
    GrowTable(table, 1);
    AppendServer(table, 1, 1);
    AppendServer(table, 2, 2);
    ASSERT_TRUE(table.serversLeftOut);
    ReplaceTable(table);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_FALSE(table.serversLeftOut);
    EXPECT_EQ(table.records, nullptr);
    EXPECT_EQ(GrowTable(table, kMaxServerRecords + 1000), kMaxServerRecords);
}

TEST(ServerTable, AnAnswerBelongsOnlyToAQueriedServerThatHasNotAnswered) {
    ServerTable table;
    GrowTable(table, 4);
    struct Listed {
        std::uint16_t port;
        std::uint32_t sendTime;
        std::int32_t responded;
    };
    const Listed listed[] = {{10, 5, 0}, {11, 0, 0}, {12, 5, 1}, {13, 0xFFFFFFFF, 0}};
    for (const Listed& server : listed) {
        AppendServer(table, 7, server.port);
        ServerRecord& record = table[table.Count() - 1];
        record.sendTime = server.sendTime;
        record.responded = server.responded;
    }
    const struct {
        std::uint32_t address;
        std::uint16_t port;
        std::int32_t record;
    } answers[] = {
        {7, 10, 0},   // asked, waiting
        {7, 11, -1},  // not asked yet
        {7, 12, -1},  // answered already
        {7, 13, 3},   // asked at a clock reading that is all ones
        {8, 10, -1},  // another address
        {7, 14, -1},  // another port
    };
    for (const auto& answer : answers) {
        EXPECT_EQ(FindQueriedUnanswered(table, answer.address, answer.port), answer.record)
            << answer.address << ":" << answer.port;
    }
    EXPECT_EQ(CountUnanswered(table), 3);
}

}  // namespace
}  // namespace skelvane
