#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

// Everything a refresh tells the program that shows it. Each operation is
// called on a refresh thread (the worker, or for answers the receiver); a
// front end overrides what it needs, and the rest do nothing.
//
// The window (app/refresh_bridge_win32) makes no refresh thread wait for its
// painting: texts and parsed servers go into a mailbox that the UI thread
// empties, so ListServer answers with a prediction from the Full/Empty rule;
// a repaint is posted, and answers are kept for the server's details under
// their own lock. The three calls that come once a refresh (ForgetTable,
// TakeTable, RefreshEnded) are sent to the window and carried out on its UI
// thread before they return.
//
// The command line (cli/query_run) carries each call out at once on the
// calling thread and lists nothing until the refresh is over.
//
// The repaint rule: a row is added without painting; once the sweep has run
// for RefreshTiming::repaintAfterMs, each of its steps asks for RepaintList if
// a row was added since the step before, and the end of the sweep asks once
// more if one was added since.
//
// The front end is held by the refresh state through a shared pointer, and a
// running refresh holds the state, so it outlives a refresh that its window
// no longer waits for.
class RefreshFrontEnd {
  public:
    RefreshFrontEnd() = default;
    RefreshFrontEnd(const RefreshFrontEnd&) = delete;
    RefreshFrontEnd& operator=(const RefreshFrontEnd&) = delete;
    virtual ~RefreshFrontEnd() = default;

    // A progress or error text for the status line. The text goes when this
    // returns.
    virtual void PutStatus(const char16_t*) {}

    // The server table is about to be released and rebuilt: from now until
    // TakeTable, no row may refer to a record and no record may be read.
    virtual void ForgetTable() {}

    // The table is complete and stays in place until the next refresh: empty
    // both lists, set the shown counts to 0 and show them.
    virtual void TakeTable() {}

    // The bytes of the answer just parsed into record `index`, for a front
    // end that shows more of an answer than the record keeps. Called with the
    // table lock held, before ListServer; the bytes go when it returns.
    virtual void KeepAnswer(std::int32_t, std::span<const std::uint8_t>) {}

    // The answer of record `index` has been parsed; called with the table lock
    // held. True when the server gets a row, which is not painted until the
    // repaint rule asks for it.
    virtual bool ListServer(std::int32_t) { return false; }

    // Rows were added since the last repaint: paint the server list.
    virtual void RepaintList() {}

    // The refresh has ended and a new one may start; restore the controls.
    virtual void RefreshEnded() {}
};

}  // namespace skelvane
