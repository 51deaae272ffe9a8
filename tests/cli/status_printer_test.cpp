#include "cli/status_printer.h"

#include <gtest/gtest.h>

#include <mutex>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"

namespace skelvane {
namespace {

// A stream buffer that the test may read while the printer writes to it.
class SharedText : public std::streambuf {
  public:
    std::string Snapshot() {
        const std::lock_guard<std::mutex> hold(mutex_);
        return text_;
    }

    int Writes() {
        const std::lock_guard<std::mutex> hold(mutex_);
        return writes_;
    }

  protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::lock_guard<std::mutex> hold(mutex_);
        text_.append(s, static_cast<std::size_t>(n));
        ++writes_;
        return n;
    }
    int sync() override {
        const std::lock_guard<std::mutex> hold(mutex_);
        ++writes_;
        return 0;
    }
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            const std::lock_guard<std::mutex> hold(mutex_);
            text_ += traits_type::to_char_type(c);
        }
        return c;
    }

  private:
    std::mutex mutex_;
    std::string text_;
    int writes_ = 0;
};

TEST(StatusPrinter, LinesKeepTheirOrderWaitBrieflyAndStopAtClose) {
    SharedText text;
    std::ostream out(&text);
    StatusPrinter printer(out);
    printer.Print("quiet after this");
    SleepMs(kTerminalStatusBatchMs * 10);
    EXPECT_EQ(text.Snapshot(), "quiet after this\n") << "a line waits for no later one";

    constexpr int kThreads = 4;
    constexpr int kLines = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&printer, t] {
            for (int i = 0; i < kLines; ++i) {
                printer.Print(std::to_string(t) + " " + std::to_string(i));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    printer.Close();
    const int writes = text.Writes();
    std::istringstream lines(text.Snapshot().substr(17));
    std::vector<int> next(kThreads, 0);
    int t = 0;
    int i = 0;
    while (lines >> t >> i) {
        ASSERT_EQ(i, next[static_cast<std::size_t>(t)]++) << "thread " << t;
    }
    EXPECT_EQ(next, std::vector<int>(kThreads, kLines));
    SleepMs(kTerminalStatusBatchMs * 3);
    EXPECT_EQ(text.Writes(), writes) << "after Close the stream is the caller's alone";
}

}  // namespace
}  // namespace skelvane
