#include "cli/query_options.h"

#include <gtest/gtest.h>

#include "browse/server_columns.h"

namespace skelvane {
namespace {

Result<QueryOptions> Parse(std::vector<std::string> args) {
    return ParseQueryOptions(args);
}

TEST(QueryOptions, DefaultsAreTheBrowsersFirstStart) {
    const auto parsed = Parse({});
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->masters.empty()) << "the built-in master";
    EXPECT_TRUE(parsed->showFull);
    EXPECT_TRUE(parsed->showEmpty);
    EXPECT_EQ(parsed->packetsPerSecond, 10);
    EXPECT_EQ(parsed->sortOrder, 5u);
}

TEST(QueryOptions, ReadsEveryOption) {
    const auto parsed =
        Parse({"--master", "127.0.0.9:4000", "--no-full", "--no-empty", "--rate", "2500",
               "--reverse", "--sort", "players", "--players", "--json", "--master", "m2"});
    ASSERT_TRUE(parsed) << parsed.Why();
    const QueryOptions& o = *parsed;
    ASSERT_EQ(o.masters.size(), 2u);
    EXPECT_EQ(o.masters[0].hostName, "127.0.0.9");
    EXPECT_EQ(o.masters[0].port, 4000);
    EXPECT_EQ(o.masters[1].hostName, "m2");
    EXPECT_EQ(o.masters[1].port, 30710);
    EXPECT_FALSE(o.showFull);
    EXPECT_FALSE(o.showEmpty);
    EXPECT_EQ(o.packetsPerSecond, 2500);
    EXPECT_EQ(o.sortOrder, 4u | SORT_REVERSED) << "--reverse holds whatever the order of options";
    EXPECT_TRUE(o.listPlayers);
    EXPECT_TRUE(o.json);

    const auto given =
        Parse({"--server", "h", "--server", "127.0.0.1:5", "--servers", "f", "--buddy", "Kite",
               "--only-buddies", "--rules", "--stats", "--min-humans", "3"});
    ASSERT_TRUE(given) << given.Why();
    EXPECT_FALSE(given->askMaster) << "servers given without --master";
    ASSERT_EQ(given->servers.size(), 2u);
    EXPECT_EQ(given->servers[0].server.port, kDefaultServerPort);
    EXPECT_EQ(given->servers[1].server.port, 5);
    EXPECT_EQ(given->serverFiles, std::vector<std::string>{"f"});
    EXPECT_EQ(given->buddyNames, std::vector<std::string>{"Kite"});
    EXPECT_TRUE(given->onlyBuddies && given->rules && given->stats);
    EXPECT_EQ(given->minHumans, 3);
    EXPECT_EQ(given->watchSeconds, 0);

    const auto watch = Parse({"--buddies", "f", "--watch", "86400", "--json", "--no-full"});
    ASSERT_TRUE(watch) << watch.Why();
    EXPECT_EQ(watch->watchSeconds, 86400);
}

TEST(QueryOptions, SortColumnsByTitleOrIndex) {
    EXPECT_EQ(ParseSortColumn("Host Name"), 0u);
    EXPECT_EQ(ParseSortColumn("ip address"), 1u);
    EXPECT_EQ(ParseSortColumn("PING"), 5u);
    EXPECT_EQ(ParseSortColumn("3"), 3u);
    EXPECT_FALSE(ParseSortColumn("6"));
    EXPECT_FALSE(ParseSortColumn("Pin"));
    EXPECT_FALSE(ParseSortColumn(""));
}

TEST(QueryOptions, RefusesBadRatesAddressesAndOptions) {
    for (const char* rate : {"0", "-3", "abc", "1.5", "", "99999999999"}) {
        const auto parsed = Parse({"--rate", rate});
        EXPECT_FALSE(parsed) << rate;
        EXPECT_NE(parsed.Why().find("positive integer"), std::string::npos) << parsed.Why();
    }
    for (const char* master :
         {"", ":30710", "host:", "host:0", "host:65536", "a:1:2", "bad host", "host:12x"}) {
        const auto parsed = Parse({"--master", master});
        EXPECT_FALSE(parsed) << master;
        EXPECT_NE(parsed.Why().find("HOST:PORT"), std::string::npos) << parsed.Why();
    }
    EXPECT_NE(Parse({"--rate"}).Why().find("needs a value"), std::string::npos);
    EXPECT_NE(Parse({"--frobnicate"}).Why().find("unknown option"), std::string::npos);
    EXPECT_NE(Parse({"--sort", "size"}).Why().find("unknown sort column"), std::string::npos);
}

TEST(QueryOptions, RefusesWhatCannotWorkTogether) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--server", "h", "--cache", "c"}, "give --master as well"},
        {{"--only-buddies"}, "--only-buddies needs --buddy or --buddies"},
        {{"--server", "h:0"}, "HOST:PORT"},
        {{"--servers"}, "needs a value"},
        {{"--min-humans", "65"}, "bad number of humans '65'"},
        {{"--min-humans", "-1"}, "bad number of humans"},
        {{"--watch", "60"}, "--watch needs --buddy or --buddies"},
        {{"--buddy", "K", "--watch", "0"}, "whole seconds from 1 to 86400"},
        {{"--buddy", "K", "--watch", "86401"}, "whole seconds from 1 to 86400"},
        {{"--buddy", "K", "--watch", "1", "--reverse"}, "not the table: --reverse does not"},
        {{"--players", "--buddy", "K", "--stats", "--watch", "1"}, "--players does not apply"},
        {{"--buddy", "K", "--only-buddies", "--watch", "1"}, "--only-buddies does not apply"},
        {{"--buddy", "K", "--min-humans", "1", "--watch", "1"}, "--min-humans does not apply"},
    };
    for (const auto& c : cases) {
        const auto parsed = Parse(c.args);
        EXPECT_FALSE(parsed);
        EXPECT_NE(parsed.Why().find(c.error), std::string::npos) << parsed.Why();
    }
}

}  // namespace
}  // namespace skelvane
