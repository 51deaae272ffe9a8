#include "cli/status_printer.h"

#include <chrono>

namespace skelvane {

StatusPrinter::StatusPrinter(std::ostream& out) : out_(out) {
    writer_ = std::thread([this] { WriteBatches(); });
}

StatusPrinter::~StatusPrinter() {
    Close();
}

void StatusPrinter::Print(std::string_view line) {
    bool first = false;
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        first = pending_.empty();
        pending_ += line;
        pending_ += '\n';
    }
    if (first) {
        wake_.notify_one();
    }
}

void StatusPrinter::Close() {
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    if (writer_.joinable()) {
        writer_.join();
    }
    WriteWaiting();
}

// The stream is written without holding the lines' lock, so that the refresh
// threads never wait for it. Only the writer thread calls this until Close
// has ended it, so batches keep their order.
void StatusPrinter::WriteWaiting() {
    std::string batch;
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        batch.swap(pending_);
    }
    if (!batch.empty()) {
        out_.write(batch.data(), static_cast<std::streamsize>(batch.size())).flush();
    }
}

// A line that arrives into an empty batch starts the clock; whatever has come
// when it runs out goes in one write.
void StatusPrinter::WriteBatches() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        wake_.wait_for(lock, std::chrono::milliseconds(kTerminalStatusBatchMs),
                       [this] { return stop_; });
        lock.unlock();
        WriteWaiting();
        lock.lock();
    }
}

}  // namespace skelvane
