// Runs the built skelvane-query against local fake masters and servers.

#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "platform/clock.h"
#include "tests/cli/query_runner.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::FakeMaster;
using test::FakeServers;
using test::Master;
using test::QueryRun;
using test::RunQuery;

TEST(QueryCli, PrintsTheShownServersSortedWithTheirCellTexts) {
    FakeServers::Behaviour slow{
        StatusAnswer()
            .InfoText("\\sv_hostname\\Slow\\mapname\\dm2\\gamename\\base\\sv_maxclients\\8")
            .Player(3, 20, "ann")
            .Build(),
        {}};
    slow.knobs.latencyMs = 250;
    const FakeServers::Behaviour fast{
        StatusAnswer()
            .InfoText("\\sv_hostname\\Fast\\mapname\\dm1\\sv_maxclients\\16\\sv_privateclients\\2")
            .Build(),
        {}};
    FakeServers servers({slow, fast, FakeServers::Silent()});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun run = RunQuery({"--master", Master(master), "--rate", "1000", "--players"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::size_t header = run.out.find("Host Name");
    const std::size_t fastRow = run.out.find("Fast");
    const std::size_t slowRow = run.out.find("Slow");
    ASSERT_NE(header, std::string::npos) << run.out;
    ASSERT_NE(fastRow, std::string::npos) << run.out;
    ASSERT_NE(slowRow, std::string::npos) << run.out;
    EXPECT_LT(fastRow, slowRow) << "lowest ping first";
    EXPECT_NE(run.out.find("ann"), std::string::npos) << "--players lists the players";
    EXPECT_NE(run.err.find("Querying servers..."), std::string::npos);
    EXPECT_NE(run.err.find("Completed. 2 of 3 servers responded.\n"), std::string::npos) << run.err;
}

TEST(QueryCli, MasterFailureAndBadCommandLinesHaveTheirOwnExitCodes) {
    FakeMaster silent({{999}, {}});
    const QueryRun failed = RunQuery({"--master", Master(silent)});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_NE(failed.err.find("No response from 127.0.0.1."), std::string::npos) << failed.err;
    EXPECT_TRUE(failed.out.empty());

    const QueryRun badRate = RunQuery({"--rate", "0"});
    EXPECT_EQ(badRate.exitCode, 64);
    EXPECT_NE(badRate.err.find("positive integer"), std::string::npos);
    EXPECT_NE(badRate.err.find("Usage:"), std::string::npos);

    const QueryRun badMaster = RunQuery({"--master", "host:99999"});
    EXPECT_EQ(badMaster.exitCode, 64);
}

TEST(QueryCli, InterruptAbortsTheRefreshThroughTheEngine) {
    FakeServers servers(std::vector<FakeServers::Behaviour>(6, FakeServers::Silent()));
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun run = RunQuery({"--master", Master(master), "--rate", "2"}, [](pid_t pid) {
        SleepMs(1500);
        kill(pid, SIGINT);
    });
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("Aborted. 0 of 6 servers responded."), std::string::npos) << run.err;

    // In the master phase too: the master did not fail, the user stopped it.
    FakeMaster silent({{999}, {}});
    const QueryRun early = RunQuery({"--master", Master(silent)}, [](pid_t pid) {
        SleepMs(300);
        kill(pid, SIGINT);
    });
    EXPECT_EQ(early.exitCode, 1) << early.err;
}

TEST(QueryCli, ASecondInterruptEndsTheProgramAtOnce) {
    FakeMaster silent({{999}, {}});
    // The first Ctrl-C cannot cut the master's two-second wait short.
    const QueryRun run = RunQuery({"--master", Master(silent)}, [](pid_t pid) {
        SleepMs(300);
        kill(pid, SIGINT);
        SleepMs(200);
        kill(pid, SIGINT);
    });
    EXPECT_EQ(run.signal, SIGINT) << "exit status " << run.exitCode << "\n" << run.err;
}

// Bytes below 0x20 other than the line feed, DEL, and C1 controls as UTF-8.
bool HasControlCharacters(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

TEST(QueryCli, ControlCharactersFromServersNeverReachTheTerminal) {
    // A terminal title, a screen clear, a carriage return, DEL and CSI in
    // UTF-8; the map's value is Windows-1252, whose 0x81 is a C1 control.
    const std::string steer = "\x1b]0;owned\x07\x1b[2J\r\x7f\xc2\x9b";
    FakeServers servers({{StatusAnswer()
                              .Info("sv_hostname", "H" + steer)
                              .Info("mapname", "M\x81\x1b[1m")
                              .Info("gamename", "G" + steer)
                              .Info("version", "V" + steer)
                              .Player(1, 2, "P" + steer)
                              .Build(),
                          {}}});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun table = RunQuery({"--master", Master(master), "--players"});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_NE(table.out.find("M?"), std::string::npos) << table.out;
    EXPECT_FALSE(HasControlCharacters(table.out)) << table.out;
    EXPECT_FALSE(HasControlCharacters(table.err)) << table.err;

    const QueryRun json = RunQuery({"--master", Master(master), "--json"});
    EXPECT_FALSE(HasControlCharacters(json.out)) << json.out;
    for (const char* escaped : {"\\u001b]0;owned\\u0007", "\\u000d\\u007f\\u009b", "M\\u0081"}) {
        EXPECT_NE(json.out.find(escaped), std::string::npos) << escaped << "\n" << json.out;
    }
}

// The buddy rules: equal ignoring the case of ASCII letters, or contained with
// the same case; entries are not trimmed.
TEST(QueryCli, MarksBuddiesAndTheirServersAndListsOnlyThoseServersWhenAsked) {
    const auto server = [](const std::string& name, const std::vector<std::string>& players) {
        StatusAnswer answer;
        answer.Info("sv_hostname", name);
        for (const std::string& player : players) {
            answer.Player(1, 2, player);
        }
        return FakeServers::Behaviour{answer.Build(), {}};
    };
    FakeServers servers({server("A", {"bob", "Ann"}), server("B", {"xbobx", "Bo", "Ann"}),
                         server("C", {"xBobx", "The Ann"}), server("D", {"z\xC3\xA9ro"})});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const test::TempFile buddies("\xEF\xBB\xBF Ann\r\nZ\xC3\xA9ro\r\n");
    const std::vector<std::string> common = {"--master",  Master(master), "--rate",
                                             "1000",      "--buddy",      "Bob",
                                             "--buddies", buddies.path()};

    std::vector<std::string> args = common;
    args.push_back("--json");
    const QueryRun json = RunQuery(args);
    EXPECT_EQ(json.exitCode, 0) << json.err;
    for (const auto& [name, buddy] : std::vector<std::pair<std::string, bool>>{
             {"A", true}, {"B", false}, {"C", true}, {"D", true}}) {
        const std::size_t record = json.out.find("\"hostName\": \"" + name + "\"");
        ASSERT_NE(record, std::string::npos) << json.out;
        EXPECT_EQ(json.out.find("\"buddy\": ", record),
                  json.out.find(buddy ? "\"buddy\": true" : "\"buddy\": false", record))
            << name;
    }
    for (const auto& [player, buddy] :
         std::vector<std::pair<std::string, bool>>{{"bob", true},
                                                   {"Ann", false},
                                                   {"xbobx", false},
                                                   {"Bo", false},
                                                   {"xBobx", true},
                                                   {"The Ann", true},
                                                   {"z\xC3\xA9ro", true}}) {
        const std::string expected = "{\"name\": \"" + player + "\", \"score\": 1, \"ping\": 2, " +
                                     "\"bot\": false, \"buddy\": " + (buddy ? "true}" : "false}");
        EXPECT_NE(json.out.find(expected), std::string::npos) << expected << "\n" << json.out;
    }

    args = common;
    args.insert(args.end(), {"--only-buddies", "--players", "--sort", "Host Name", "--stats"});
    const QueryRun only = RunQuery(args);
    EXPECT_EQ(only.exitCode, 0) << only.err;
    EXPECT_NE(only.err.find("Completed. 4 of 4 servers responded.\nStatistics:\n"
                            "  master: 1 datagram, 4 entries, 0 duplicates\n"
                            "  pass 1: 4 queries sent, 4 answers matched\n"
                            "  pass 2: 0 queries sent, 0 answers matched\n"),
              std::string::npos)
        << "statistics on stderr after the summary:\n"
        << only.err;
    EXPECT_EQ(only.out.find("\n  B "), std::string::npos) << only.out;
    for (const char* marked :
         {"\n* A ", "\n* C ", "\n* D ", "\n    * bob  ", "\n      Ann  ", "\n    * The Ann  "}) {
        EXPECT_NE(only.out.find(marked), std::string::npos) << marked << "\n" << only.out;
    }
}

// The last two words of the table line that starts with `host`.
std::string HumansAndBotsCells(const std::string& table, const std::string& host) {
    const std::size_t line = table.find("\n" + host + " ");
    if (line == std::string::npos) {
        return "no row";
    }
    const std::string row = table.substr(line + 1, table.find('\n', line + 1) - line - 1);
    const std::size_t bots = row.find_last_not_of(' ', row.rfind(' '));
    const std::size_t humans = row.rfind(' ', bots) + 1;
    return row.substr(humans, bots + 1 - humans) + row.substr(row.rfind(' '));
}

TEST(QueryCli, HumansAndBotsInTheTableAndJsonAndAMinimumOfHumans) {
    const auto server = [](const std::string& name, const std::vector<int>& pings) {
        StatusAnswer answer;
        answer.Info("sv_hostname", name).Info("sv_maxclients", "8");
        for (const int ping : pings) {
            answer.Player(5, ping, "p" + std::to_string(ping));
        }
        return FakeServers::Behaviour{answer.Build(), {}};
    };
    FakeServers servers({server("A", {40, 0, 0}), server("B", {10, 20}), server("C", {})});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun table = RunQuery({"--master", Master(master), "--sort", "Host Name"});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')).substr(table.out.find("Ping")),
              "Ping  Humans  Bots")
        << table.out;
    EXPECT_EQ(HumansAndBotsCells(table.out, "A"), "1 2") << table.out;
    EXPECT_EQ(HumansAndBotsCells(table.out, "B"), "2 0") << table.out;
    EXPECT_EQ(HumansAndBotsCells(table.out, "C"), "0 0") << table.out;
    EXPECT_NE(table.out.find("3 / 8"), std::string::npos) << "the Players cell is the browser's";

    const QueryRun json = RunQuery({"--master", Master(master), "--json", "--sort", "Host Name"});
    for (const char* field : {"\"humans\": 1, \"bots\": 2", "\"humans\": 2, \"bots\": 0",
                              "\"ping\": 0, \"bot\": true", "\"ping\": 40, \"bot\": false"}) {
        EXPECT_NE(json.out.find(field), std::string::npos) << field << "\n" << json.out;
    }

    const QueryRun two = RunQuery({"--master", Master(master), "--min-humans", "2"});
    EXPECT_EQ(HumansAndBotsCells(two.out, "B"), "2 0") << two.out;
    EXPECT_EQ(two.out.find("\nA "), std::string::npos) << "three players, one human\n" << two.out;
    EXPECT_EQ(two.out.find("\nC "), std::string::npos) << two.out;
}

TEST(QueryCli, JsonCarriesEveryField) {
    FakeServers servers({{StatusAnswer()
                              .Info("sv_hostname", "J")
                              .Info("sv_maxclients", "4")
                              .Player(1, 2, "p")
                              .Build(),
                          {}}});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun run = RunQuery({"--master", Master(master), "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* field :
         {"\"address\": \"127.0.0.1\"", "\"port\": ", "\"hostName\"", "\"mapName\"", "\"version\"",
          "\"gameName\"", "\"playerCount\"", "\"maxClients\"", "\"privateClients\"", "\"pure\"",
          "\"timeLimit\"", "\"sendTime\"", "\"ping\"", "\"responded\": 1", "\"attempts\": 1",
          "\"players\": ["}) {
        EXPECT_NE(run.out.find(field), std::string::npos) << field << "\n" << run.out;
    }
}

}  // namespace
}  // namespace skelvane
