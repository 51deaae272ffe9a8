#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "engine/status_text.h"

namespace skelvane {

// What the refresh threads leave for the UI thread without waiting for it: the
// latest status text and the records whose answers have been parsed. The
// first item put into an empty box posts one wake-up message to the main
// window, so however fast answers come the UI thread sees one message per
// look into the box, and the refresh threads never stall behind the painting
// of the window. While items keep coming the UI thread looks again by itself
// (see Take), so a steady stream costs the refresh threads no message at all:
// under Wine every posted message is a trip to the server, and the sweep puts
// a text for each query while it holds the table lock. The lock is held only
// to copy in or out, never across a window message.
class UiMailbox {
  public:
    struct Contents {
        bool hasStatus = false;
        char16_t status[kStatusTextCapacity] = {};
        std::vector<std::int32_t> parsed;
        bool IsEmpty() const { return !hasStatus && parsed.empty(); }
    };

    // Where the wake-up goes; messages put before this are kept for the first look.
    void SetRecipient(HWND window, UINT wakeUpMessage);

    void PutStatus(const char16_t* text);
    void PutParsed(std::int32_t index);

    // Empties the box. When it held nothing, the next item posts a wake-up
    // again; otherwise more is likely on its way, and the UI thread, which
    // must then look again soon by itself, gets no wake-up until it has found
    // the box empty.
    Contents Take();
    // Forgets the parsed records: the table they belong to is going.
    void DiscardParsed();

  private:
    void WakeRecipientLocked();

    std::mutex mutex_;
    HWND recipient_ = nullptr;
    UINT wakeUpMessage_ = 0;
    bool wakeUpPosted_ = false;
    Contents contents_;
};

}  // namespace skelvane
