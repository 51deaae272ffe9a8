#include "platform/event.h"

#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <utility>

#include "platform/clock.h"

namespace skelvane {

Event::~Event() {
    Close();
}

Event::Event(Event&& other) noexcept {
    Swap(other);
}

Event& Event::operator=(Event&& other) noexcept {
    Event moved(std::move(other));
    Swap(moved);
    return *this;
}

void Event::Swap(Event& other) noexcept {
    std::swap(fd_, other.fd_);
    std::swap(boundSocket_, other.boundSocket_);
    std::swap(autoReset_, other.autoReset_);
}

Event Event::Create(EventReset reset) {
    Event event;
    event.fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    event.autoReset_ = reset == EventReset::kAuto;
    return event;
}

bool Event::IsValid() const {
    return fd_ >= 0;
}

void Event::Close() {
    if (fd_ >= 0) {
        close(fd_);
    }
    fd_ = -1;
    boundSocket_ = -1;
}

void Event::Set() {
    const std::uint64_t one = 1;
    // A full counter already means "set"; the write may then fail harmlessly.
    [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
}

void Event::Reset() {
    std::uint64_t value = 0;
    [[maybe_unused]] const ssize_t got = read(fd_, &value, sizeof value);
}

namespace {

// The descriptor whose readability means "signalled".
int WatchedDescriptor(int eventFd, int boundSocket) {
    return boundSocket >= 0 ? boundSocket : eventFd;
}

// Takes the signal of a ready auto-reset event. False when another waiter took
// it first, so that the caller waits again.
bool Consume(int eventFd, int boundSocket, bool autoReset) {
    if (boundSocket >= 0 || !autoReset) {
        return true;
    }
    std::uint64_t value = 0;
    return read(eventFd, &value, sizeof value) == static_cast<ssize_t>(sizeof value);
}

}  // namespace

bool Event::Poll() {
    pollfd one{WatchedDescriptor(fd_, boundSocket_), POLLIN, 0};
    if (poll(&one, 1, 0) != 1 || (one.revents & POLLIN) == 0) {
        return false;
    }
    return Consume(fd_, boundSocket_, autoReset_);
}

WaitResult WaitForEither(Event& first, Event& second, std::uint32_t timeoutMs) {
    const std::uint32_t start = MillisecondClock();
    for (;;) {
        int waitMs = -1;
        if (timeoutMs != kWaitForever) {
            const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
            waitMs = spent >= timeoutMs ? 0 : static_cast<int>(timeoutMs - spent);
        }
        pollfd both[2] = {{WatchedDescriptor(first.fd_, first.boundSocket_), POLLIN, 0},
                          {WatchedDescriptor(second.fd_, second.boundSocket_), POLLIN, 0}};
        const int ready = poll(both, 2, waitMs);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitResult::kFailed;
        }
        if (ready == 0) {
            return WaitResult::kTimeout;
        }
        if ((both[0].revents & (POLLIN | POLLERR)) != 0 &&
            Consume(first.fd_, first.boundSocket_, first.autoReset_)) {
            return WaitResult::kFirst;
        }
        if ((both[1].revents & (POLLIN | POLLERR)) != 0 &&
            Consume(second.fd_, second.boundSocket_, second.autoReset_)) {
            return WaitResult::kSecond;
        }
        if ((both[0].revents | both[1].revents) & POLLNVAL) {
            return WaitResult::kFailed;
        }
    }
}

}  // namespace skelvane
