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
// of the window. The lock is held only to copy in or out, never across a
// window message.
class UiMailbox {
  public:
    struct Contents {
        bool hasStatus = false;
        char16_t status[kStatusTextCapacity] = {};
        std::vector<std::int32_t> parsed;
    };

    // Where the wake-up goes; messages put before this are kept for the first look.
    void SetRecipient(HWND window, UINT wakeUpMessage);

    void PutStatus(const char16_t* text);
    void PutParsed(std::int32_t index);

    // Empties the box; the next item posts a wake-up again.
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
