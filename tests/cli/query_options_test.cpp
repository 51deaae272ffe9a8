#include "cli/query_options.h"

#include <gtest/gtest.h>

#include "browse/server_columns.h"

namespace skelvane {
namespace {

ParsedQueryOptions Parse(std::vector<std::string> args) {
    return ParseQueryOptions(args);
}

TEST(QueryOptions, DefaultsAreTheBrowsersFirstStart) {
    const auto parsed = Parse({});
    ASSERT_TRUE(parsed.options);
    EXPECT_TRUE(parsed.options->masters.empty()) << "the built-in master";
    EXPECT_TRUE(parsed.options->showFull);
    EXPECT_TRUE(parsed.options->showEmpty);
    EXPECT_EQ(parsed.options->packetsPerSecond, 10);
    EXPECT_EQ(parsed.options->sortOrder, 5u);
}

TEST(QueryOptions, ReadsEveryOption) {
    const auto parsed =
        Parse({"--master", "127.0.0.9:4000", "--no-full", "--no-empty", "--rate", "2500",
               "--reverse", "--sort", "players", "--players", "--json", "--master", "m2"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const QueryOptions& o = *parsed.options;
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
    ASSERT_TRUE(given.options) << given.error;
    EXPECT_FALSE(given.options->askMaster) << "servers given without --master";
    ASSERT_EQ(given.options->servers.size(), 2u);
    EXPECT_EQ(given.options->servers[0].server.port, kDefaultServerPort);
    EXPECT_EQ(given.options->servers[1].server.port, 5);
    EXPECT_EQ(given.options->serverFiles, std::vector<std::string>{"f"});
    EXPECT_EQ(given.options->buddyNames, std::vector<std::string>{"Kite"});
    EXPECT_TRUE(given.options->onlyBuddies && given.options->rules && given.options->stats);
    EXPECT_EQ(given.options->minHumans, 3);
    EXPECT_EQ(given.options->watchSeconds, 0);

    const auto watch = Parse({"--buddies", "f", "--watch", "86400", "--json", "--no-full"});
    ASSERT_TRUE(watch.options) << watch.error;
    EXPECT_EQ(watch.options->watchSeconds, 86400);
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
        EXPECT_FALSE(parsed.options) << rate;
        EXPECT_NE(parsed.error.find("positive integer"), std::string::npos) << parsed.error;
    }
    for (const char* master :
         {"", ":30710", "host:", "host:0", "host:65536", "a:1:2", "bad host", "host:12x"}) {
        const auto parsed = Parse({"--master", master});
        EXPECT_FALSE(parsed.options) << master;
        EXPECT_NE(parsed.error.find("HOST:PORT"), std::string::npos) << parsed.error;
    }
    EXPECT_NE(Parse({"--rate"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(Parse({"--frobnicate"}).error.find("unknown option"), std::string::npos);
    EXPECT_NE(Parse({"--sort", "size"}).error.find("unknown sort column"), std::string::npos);
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
        EXPECT_FALSE(parsed.options);
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
    }
}

}  // namespace
}  // namespace skelvane
