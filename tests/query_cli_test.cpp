// Runs the built skelvane-query against local fake masters and servers.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/clock.h"
#include "tests/test_support.h"

extern char** environ;

namespace skelvane {
namespace {

using test::FakeMaster;
using test::FakeServers;

struct QueryRun {
    int exitCode = -1;
    // The signal that ended the program, if one did.
    int signal = 0;
    std::string out;
    std::string err;
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return text;
}

// Starts the program; `whileRunning` gets its process id.
QueryRun RunQuery(std::vector<std::string> args, void (*whileRunning)(pid_t) = nullptr) {
    args.insert(args.begin(), SKELVANE_QUERY_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    QueryRun run;
    if (spawned != 0) {
        return run;
    }
    std::thread errReader([&] { run.err = ReadAll(err[0]); });
    if (whileRunning != nullptr) {
        whileRunning(pid);
    }
    run.out = ReadAll(out[0]);
    errReader.join();
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

std::string Master(const FakeMaster& master) {
    return "127.0.0.1:" + std::to_string(master.port());
}

TEST(QueryCli, PrintsTheShownServersSortedWithTheirCellTexts) {
    FakeServers::Behaviour slow{test::StatusAnswer(
        "\\sv_hostname\\Slow\\mapname\\dm2\\gamename\\base\\sv_maxclients\\8", {"3 20 \"ann\""})};
    slow.delayMs = 250;
    FakeServers::Behaviour fast{test::StatusAnswer(
        "\\sv_hostname\\Fast\\mapname\\dm1\\sv_maxclients\\16\\sv_privateclients\\2")};
    FakeServers servers({slow, fast, {}});
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
    FakeServers servers({{}, {}, {}, {}, {}, {}});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    const QueryRun run = RunQuery({"--master", Master(master), "--rate", "2"}, [](pid_t pid) {
        SleepMs(1500);
        kill(pid, SIGINT);
    });
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("Aborted. 0 of 6 servers responded."), std::string::npos) << run.err;
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
    FakeServers servers(
        {{test::StatusAnswer("\\sv_hostname\\H" + steer + "\\mapname\\M\x81\x1b[1m\\gamename\\G" +
                                 steer + "\\version\\V" + steer,
                             {"1 2 \"P" + steer + "\""})}});
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

TEST(QueryCli, JsonCarriesEveryField) {
    FakeServers servers(
        {{test::StatusAnswer("\\sv_hostname\\J\\sv_maxclients\\4", {"1 2 \"p\""})}});
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
