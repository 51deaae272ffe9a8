#pragma once

#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

#include "browse/screen_limiters.h"

namespace skelvane {

// Status lines for a stream, written in batches while they pour in: a sweep
// shows two for every server, and a write each would cost more than the
// sweep's own sending. No line waits longer than kTerminalStatusBatchMs.
class StatusPrinter {
  public:
    explicit StatusPrinter(std::ostream& out);
    ~StatusPrinter();
    StatusPrinter(const StatusPrinter&) = delete;
    StatusPrinter& operator=(const StatusPrinter&) = delete;

    // Safe from any thread; lines keep the order of the calls.
    void Print(std::string_view line);
    // Writes what waits and stops: from then on the stream is the caller's
    // alone, and no other thread flushes it (or a stream tied to it) under it.
    void Close();

  private:
    void WriteBatches();
    void WriteWaiting();

    std::ostream& out_;
    // Guards the lines waiting and the stop.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    bool stop_ = false;
    std::thread writer_;
};

}  // namespace skelvane
