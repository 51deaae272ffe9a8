// The command line as a Windows program: a refresh's table and a watch's
// events, read back from the files its output went to.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_support.h"
#include "tests/support/wait_until.h"
#include "tests/windows/game_drives.h"

namespace skelvane::test {
namespace {

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// skelvane-query in a process of its own, its output and errors in files.
class RunningQuery {
  public:
    explicit RunningQuery(const std::wstring& arguments)
        : outPath_(TempPath(L"query-out-")), errPath_(TempPath(L"query-err-")) {
        std::wstring commandLine =
            L"\"" + BuiltProgram(L"cli\\skelvane-query.exe") + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = InheritableFile(outPath_);
        startup.hStdError = InheritableFile(errPath_);
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process_) != FALSE;
        CloseHandle(startup.hStdOutput);
        CloseHandle(startup.hStdError);
    }
    ~RunningQuery() {
        if (started_) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
        DeleteFileW(outPath_.c_str());
        DeleteFileW(errPath_.c_str());
    }

    // The exit code, or -1 when the program had not ended after 10 s.
    long Finish() {
        DWORD code = 0;
        if (!started_ || WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.hProcess, &code)) {
            return -1;
        }
        return static_cast<long>(code);
    }
    std::string Out() const { return ReadAll(outPath_); }
    std::string Err() const { return ReadAll(errPath_); }

  private:
    std::wstring outPath_;
    std::wstring errPath_;
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

std::wstring MasterArgument(const FakeMaster& master) {
    return L"--master 127.0.0.1:" + std::to_wstring(master.port());
}

TEST(QueryProgram, ListsTheServersAndWatchesForBuddies) {
    FakeServers games({
        FakeServers::Answering("\\sv_hostname\\Caf\xc3\xa9 Arena\\mapname\\q3dm17",
                               {"3 40 \"Kite\""}),
        FakeServers::Answering("\\sv_hostname\\Hollow\\mapname\\dm6", {"0 50 \"Ann\""}),
    });
    FakeMaster master(FakeMaster::Script{{}, {games.MasterAnswer()}, 0});

    RunningQuery once(MasterArgument(master) + L" --rate 1000");
    EXPECT_EQ(once.Finish(), 0) << once.Err();
    EXPECT_NE(once.Out().find("Caf\xc3\xa9 Arena"), std::string::npos) << "names go out as UTF-8:\n"
                                                                       << once.Out();
    EXPECT_NE(once.Err().find("Completed. 2 of 2 servers responded."), std::string::npos)
        << once.Err();

    // The time stamp carries the offset from UTC, which the C library of
    // Windows does not give in the form ISO 8601 asks for.
    RunningQuery watch(MasterArgument(master) + L" --rate 1000 --watch 1 --json --buddy Kite");
    EXPECT_TRUE(WaitUntil([&] { return watch.Out().find('\n') != std::string::npos; }, 10000))
        << watch.Err();
    const std::string event = watch.Out();
    EXPECT_TRUE(StartsWithShape(event, kJsonStamp)) << event;
    EXPECT_NE(event.find("\", \"event\": \"playing\", \"player\": \"Kite\", "
                         "\"hostName\": \"Caf\xc3\xa9 Arena\""),
              std::string::npos)
        << event;
}

}  // namespace
}  // namespace skelvane::test
