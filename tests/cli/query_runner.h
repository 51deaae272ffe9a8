#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace skelvane::test {

// What the built skelvane-query did.
struct QueryRun {
    int exitCode = -1;
    // The signal that ended the program, if one did.
    int signal = 0;
    std::string out;
    std::string err;
};

// Runs the program with `args` to its end; `whileRunning` gets its process id.
QueryRun RunQuery(std::vector<std::string> args, void (*whileRunning)(pid_t) = nullptr);

// Runs the program with `args` and interrupts it (SIGINT) as soon as its
// standard output so far is `enough`, or after `limitMs`; then reads it to
// its end.
QueryRun RunQueryUntil(std::vector<std::string> args,
                       const std::function<bool(const std::string& out)>& enough,
                       std::uint32_t limitMs);

// "127.0.0.1:PORT" of a fake master.
std::string Master(const FakeMaster& master);

// "127.0.0.1:PORT" and the like.
std::string EndpointText(const Ipv4Endpoint& endpoint);

// A file of its own in the temporary folder, removed with the object.
class TempFile {
  public:
    explicit TempFile(const std::string& content = "");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }
    std::string Read() const;

  private:
    std::string path_;
};

}  // namespace skelvane::test
