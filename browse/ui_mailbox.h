#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "engine/status_text.h"

namespace skelvane {

// What the refresh threads leave for the UI thread without waiting for it: the
// latest status text and the records whose answers have been parsed. The
// first item put into an empty box wakes the UI thread once, so however fast
// answers come the UI thread is woken once per look into the box, and the
// refresh threads never stall behind the painting of the window. While items
// keep coming the UI thread looks again by itself (see Take), so a steady
// stream costs the refresh threads no wake-up at all. The lock is held only
// to copy in or out, and around the wake-up, which must not wait for the UI
// thread.
class UiMailbox {
  public:
    struct Contents {
        bool hasStatus = false;
        char16_t status[kStatusTextCapacity] = {};
        std::vector<std::int32_t> parsed;
        bool IsEmpty() const { return !hasStatus && parsed.empty(); }
    };

    // Tells the UI thread to look into the box; true when the word is on its
    // way. Called with the box's lock held.
    using WakeUp = std::function<bool()>;

    // Whom to wake from now on; an empty WakeUp wakes nobody. Items put before
    // are kept for the first look.
    void SetWakeUp(WakeUp wakeUp);

    void PutStatus(const char16_t* text);
    void PutParsed(std::int32_t index);

    // Empties the box. When it held nothing, the next item wakes the UI thread
    // again; otherwise more is likely on its way, and the UI thread, which
    // must then look again soon by itself, is not woken until it has found
    // the box empty.
    Contents Take();
    // Forgets the parsed records: the table they belong to is going.
    void DiscardParsed();

  private:
    void WakeLocked();

    std::mutex mutex_;
    WakeUp wakeUp_;
    bool woken_ = false;
    Contents contents_;
};

}  // namespace skelvane
