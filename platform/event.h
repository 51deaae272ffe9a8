#pragma once

#include <cstdint>

namespace skelvane {

inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFFu;

enum class EventReset { kManual, kAuto };

enum class WaitResult { kFirst, kSecond, kTimeout, kFailed };

class UdpSocket;

// A signalling event, non-signalled when created. An auto-reset event is
// consumed by the wait that reports it; a manual-reset one stays set until
// Reset. An event bound to a socket (UdpSocket::BindReadEvent) is signalled
// while a datagram waits on that socket.
class Event {
  public:
    Event() = default;
    ~Event();
    Event(Event&& other) noexcept;
    Event& operator=(Event&& other) noexcept;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    static Event Create(EventReset reset);

    bool IsValid() const;
    void Set();
    void Reset();
    // Tests the event without waiting; consumes it when it is auto-reset.
    bool Poll();
    void Close();

  private:
    friend WaitResult WaitForEither(Event& first, Event& second, std::uint32_t timeoutMs);
    friend class UdpSocket;
    void Swap(Event& other) noexcept;

#if defined(_WIN32)
    void* handle_ = nullptr;
#else
    int fd_ = -1;
    int boundSocket_ = -1;
    bool autoReset_ = false;
#endif
};

// Waits until one of the two events is signalled or the time runs out. When both
// are signalled, the first is reported.
WaitResult WaitForEither(Event& first, Event& second, std::uint32_t timeoutMs);

}  // namespace skelvane
