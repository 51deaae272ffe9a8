#include "tests/cli/query_runner.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace

QueryRun RunQuery(std::vector<std::string> args, void (*whileRunning)(pid_t)) {
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
