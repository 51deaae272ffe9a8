#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace skelvane {

// What the refresh engine asks of a front end. Every call comes from a refresh
// thread; a windowed front end carries each one out on its UI thread before it
// returns. A null member is a request the front end does not need.
struct RefreshUi {
    void* context = nullptr;
    // Keeps `context` alive for as long as a refresh may call these hooks; a
    // front end whose state may go before a refresh has ended puts it here.
    std::shared_ptr<void> contextOwner;

    // A progress or error text for the status line.
    void (*showStatus)(void* context, const char16_t* text) = nullptr;

    // The server table is about to be released and rebuilt: from now until
    // handOver, no row may refer to a record and no record may be read.
    void (*tableReplaced)(void* context) = nullptr;

    // The table is complete and stays in place until the next refresh: empty
    // both lists, set the shown counts to 0 and show them.
    void (*handOver)(void* context) = nullptr;

    // The bytes of the answer just parsed into record `index`, for a front end
    // that shows more of an answer than the record keeps; called with the
    // table lock held, before serverParsed. The bytes go when it returns.
    void (*answerReceived)(void* context, std::int32_t index,
                           std::span<const std::uint8_t> answer) = nullptr;

    // The answer of record `index` has been parsed; called with the table lock
    // held. True when the front end added a row for it, which it must not
    // paint yet (the engine asks for a repaint later).
    bool (*serverParsed)(void* context, std::int32_t index) = nullptr;

    // Rows were added since the last repaint: paint the server list now.
    void (*repaintList)(void* context) = nullptr;

    // The refresh has ended and a new one may start; restore the controls.
    void (*refreshEnded)(void* context) = nullptr;
};

}  // namespace skelvane
