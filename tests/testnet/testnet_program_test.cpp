// Runs the real skelvane-testnet program, started by its path and stopped by its process id.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/master_wire.h"
#include "engine/status_sweep.h"
#include "platform/clock.h"
#include "platform/udp_socket.h"
#include "testnet/network_plan.h"
#include "tests/support/test_support.h"
#include "tests/support/wait_until.h"

extern char** environ;

namespace skelvane {
namespace {

constexpr std::uint32_t kPatienceMs = 10000;

// The program with its standard output and error on pipes.
class RunningProgram {
  public:
    explicit RunningProgram(const std::vector<std::string>& args) {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        std::vector<char*> argv = {const_cast<char*>(SKELVANE_TESTNET_PATH)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, SKELVANE_TESTNET_PATH, &actions, nullptr, argv.data(), environ) !=
            0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        stdout_ = out[0];
        stderr_ = err[0];
    }

    ~RunningProgram() {
        if (pid_ > 0 && !exitStatus_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(stdout_);
        close(stderr_);
    }

    bool Started() const { return pid_ > 0; }

    // The next line of standard output, or nothing when none comes in time.
    std::optional<std::string> ReadLine() {
        const std::uint32_t start = MillisecondClock();
        for (;;) {
            const std::size_t end = pendingOut_.find('\n');
            if (end != std::string::npos) {
                std::string line = pendingOut_.substr(0, end);
                pendingOut_.erase(0, end + 1);
                return line;
            }
            if (!ReadSome(stdout_, pendingOut_, start)) {
                return std::nullopt;
            }
        }
    }

    void Signal(int number) { kill(pid_, number); }

    // The exit status once the program has ended, and all it wrote to stderr.
    std::optional<int> AwaitExit(std::string& errorOutput) {
        const std::uint32_t start = MillisecondClock();
        while (ReadSome(stderr_, errorOutput, start)) {
        }
        int status = 0;
        if (!test::WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, kPatienceMs,
                             10)) {
            return std::nullopt;
        }
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return exitStatus_;
    }

  private:
    // False at the end of the stream or when nothing came in time.
    static bool ReadSome(int fd, std::string& into, std::uint32_t start) {
        const std::uint32_t waited = ElapsedMs(MillisecondClock(), start);
        pollfd one{fd, POLLIN, 0};
        if (waited >= kPatienceMs || poll(&one, 1, static_cast<int>(kPatienceMs - waited)) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        into.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    pid_t pid_ = -1;
    int stdout_ = -1;
    int stderr_ = -1;
    std::string pendingOut_;
    std::optional<int> exitStatus_;
};

std::uint16_t PortOf(const std::string& line) {
    return static_cast<std::uint16_t>(std::stoi(line.substr(line.find(':') + 1)));
}

std::vector<std::uint8_t> Receive(UdpSocket& socket) {
    std::vector<std::uint8_t> buffer(65536);
    if (socket.WaitReadable(2000) != ReadyResult::kReadable) {
        return {};
    }
    const ReceiveResult got = socket.ReceiveFrom(buffer);
    buffer.resize(got.status.Ok() ? got.size : 0);
    return buffer;
}

TEST(TestnetProgram, ServesItsListingOverLoopbackAndStopsOnSigterm) {
    RunningProgram program(
        {"--master-port", "0", "--mix", "plain", "--servers", "3", "--seed", "7"});
    ASSERT_TRUE(program.Started());
    const auto masterLine = program.ReadLine();
    ASSERT_TRUE(masterLine);
    ASSERT_EQ(masterLine->rfind("master 127.0.0.1:", 0), 0u) << *masterLine;
    std::vector<std::uint16_t> serverPorts;
    for (auto line = program.ReadLine(); line && *line != "ready"; line = program.ReadLine()) {
        ASSERT_EQ(line->rfind("server 127.0.0.1:", 0), 0u) << *line;
        EXPECT_EQ(line->substr(line->rfind(' ') + 1), "plain");
        serverPorts.push_back(PortOf(*line));
    }
    ASSERT_EQ(serverPorts.size(), 3u);

    UdpSocket client = UdpSocket::Open();
    client.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    const MasterRequest request = BuildGetServersRequest(false, true);
    client.SendTo(request.View(), Ipv4Endpoint{LoopbackAddress(), PortOf(*masterLine)});
    const test::MasterList read = test::ReadMasterList({Receive(client)});
    EXPECT_TRUE(read.endMarker);
    ASSERT_EQ(read.servers.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.servers[i].port, serverPorts[i]);
    }

    client.SendTo(kStatusQuery, Ipv4Endpoint{LoopbackAddress(), serverPorts[1]});
    const auto planned = PlanServers(Mix::kPlain, 7, 3, {});
    EXPECT_EQ(Receive(client), PlannedAnswer(planned[1], 7, 1));

    program.Signal(SIGTERM);
    std::string summary;
    EXPECT_EQ(program.AwaitExit(summary), 0);
    EXPECT_NE(summary.find("master requests=1 answered=1 datagrams=1\n"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("servers count=3 queried=1 answered=1 queries=1 answers=1"),
              std::string::npos)
        << summary;
}

TEST(TestnetProgram, FailsClearlyWhenTheMasterPortIsTaken) {
    UdpSocket holder = UdpSocket::Open();
    ASSERT_TRUE(holder.Bind(Ipv4Endpoint{LoopbackAddress(), 0}));
    const std::string port = std::to_string(holder.LocalEndpoint()->port);
    RunningProgram program({"--master-port", port, "--servers", "2"});
    ASSERT_TRUE(program.Started());
    std::string errorOutput;
    EXPECT_EQ(program.AwaitExit(errorOutput), 1);
    EXPECT_NE(errorOutput.find("cannot open master server on 127.0.0.1:" + port), std::string::npos)
        << errorOutput;
}

TEST(TestnetProgram, RefusesABadCommandLine) {
    RunningProgram program({"--servers", "many"});
    ASSERT_TRUE(program.Started());
    std::string errorOutput;
    EXPECT_EQ(program.AwaitExit(errorOutput), 64);
    EXPECT_NE(errorOutput.find("--servers"), std::string::npos) << errorOutput;
}

}  // namespace
}  // namespace skelvane
