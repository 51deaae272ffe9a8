#include "platform/event.h"

#include <windows.h>

#include <utility>

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
    std::swap(handle_, other.handle_);
}

Event Event::Create(EventReset reset) {
    Event event;
    event.handle_ = CreateEventW(nullptr, reset == EventReset::kManual, FALSE, nullptr);
    return event;
}

bool Event::IsValid() const {
    return handle_ != nullptr;
}

void Event::Close() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
    handle_ = nullptr;
}

void Event::Set() {
    SetEvent(handle_);
}

void Event::Reset() {
    ResetEvent(handle_);
}

bool Event::Poll() {
    return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
}

WaitResult WaitForEither(Event& first, Event& second, std::uint32_t timeoutMs) {
    const HANDLE both[2] = {first.handle_, second.handle_};
    const DWORD timeout = timeoutMs == kWaitForever ? INFINITE : timeoutMs;
    switch (WaitForMultipleObjects(2, both, FALSE, timeout)) {
        case WAIT_OBJECT_0:
            return WaitResult::kFirst;
        case WAIT_OBJECT_0 + 1:
            return WaitResult::kSecond;
        case WAIT_TIMEOUT:
            return WaitResult::kTimeout;
        default:
            return WaitResult::kFailed;
    }
}

}  // namespace skelvane
