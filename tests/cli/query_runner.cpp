#include "tests/cli/query_runner.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace skelvane::test {

namespace {

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return text;
}

// The program started with its standard output and error on pipes.
struct Started {
    pid_t pid = 0;
    int out = -1;
    int err = -1;
};

bool Start(std::vector<std::string> args, Started& started) {
    args.insert(args.begin(), SKELVANE_QUERY_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    const int spawned = posix_spawn(&started.pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    started.out = out[0];
    started.err = err[0];
    return spawned == 0;
}

// Reads both pipes to their ends, `onStart` running meanwhile with the
// output read so far, and waits for the program.
QueryRun Finish(const Started& started, const std::function<void(std::string& out)>& onStart) {
    QueryRun run;
    std::thread errReader([&] { run.err = ReadAll(started.err); });
    onStart(run.out);
    run.out += ReadAll(started.out);
    errReader.join();
    int status = 0;
    waitpid(started.pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

// Appends what comes on `fd` to `out` while `goOn` says so. True when the
// pipe has ended.
bool ReadWhile(int fd, std::string& out, const std::function<bool()>& goOn) {
    pollfd readable{fd, POLLIN, 0};
    char buffer[4096];
    while (goOn()) {
        const int ready = poll(&readable, 1, 50);
        const ssize_t got = ready > 0 ? read(fd, buffer, sizeof buffer) : 0;
        if (ready < 0 || (ready > 0 && got <= 0)) {
            return true;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    return false;
}

}  // namespace

QueryRun RunQuery(std::vector<std::string> args, void (*whileRunning)(pid_t)) {
    Started started;
    if (!Start(std::move(args), started)) {
        return {};
    }
    return Finish(started, [&](std::string&) {
        if (whileRunning != nullptr) {
            whileRunning(started.pid);
        }
    });
}

QueryRun RunQueryUntil(std::vector<std::string> args,
                       const std::function<bool(const std::string& out)>& enough,
                       std::uint32_t limitMs) {
    Started started;
    if (!Start(std::move(args), started)) {
        return {};
    }
    return Finish(started, [&](std::string& out) {
        const auto now = [] { return std::chrono::steady_clock::now(); };
        const auto deadline = now() + std::chrono::milliseconds(limitMs);
        bool ended = ReadWhile(started.out, out, [&] { return !enough(out) && now() < deadline; });
        kill(started.pid, SIGINT);
        // A program that does not end on the interrupt is ended for good.
        const auto grace = now() + std::chrono::seconds(10);
        ended = ended || ReadWhile(started.out, out, [&] { return now() < grace; });
        if (!ended) {
            kill(started.pid, SIGKILL);
        }
    });
}

std::string Master(const FakeMaster& master) {
    return "127.0.0.1:" + std::to_string(master.port());
}

std::string EndpointText(const Ipv4Endpoint& endpoint) {
    const auto* a = reinterpret_cast<const std::uint8_t*>(&endpoint.address);
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]) + ":" + std::to_string(endpoint.port);
}

TempFile::TempFile(const std::string& content) {
    char name[] = "/tmp/skelvane-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) {
        close(fd);
        path_ = name;
        std::ofstream(path_, std::ios::binary) << content;
    }
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

std::string TempFile::Read() const {
    std::ostringstream text;
    text << std::ifstream(path_, std::ios::binary).rdbuf();
    return text.str();
}

}  // namespace skelvane::test
