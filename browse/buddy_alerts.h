#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "browse/buddy_watch.h"

namespace skelvane {

// What a notification can hold: a title of 63 characters and a text of 255.
inline constexpr std::size_t kAlertTitleCapacity = 64;
inline constexpr std::size_t kAlertTextCapacity = 256;

// One notification about buddies, and the server it leads to when clicked.
struct BuddyAlert {
    std::u16string title;
    std::u16string text;
    Ipv4Endpoint server;
};

// The notifications of one watched refresh: one naming every buddy already
// playing at the first refresh, then one for each buddy who joined a server
// or moved to another. A departure raises none: the user learns of friends to
// play with, not of every goodbye. Texts fit their capacities, and text from
// servers never carries a control character into them.
std::vector<BuddyAlert> AlertsFor(const std::vector<BuddyEvent>& events);

// Notifications waiting to be shown, one at a time: a new one would replace
// the one on screen, and a click must lead to the server of the one the user
// saw. At most kMaxWaitingAlerts wait; what comes beyond is counted in a last
// one that says how many more buddies came.
class AlertQueue {
  public:
    static constexpr std::size_t kMaxWaitingAlerts = 16;

    void Add(const std::vector<BuddyAlert>& alerts);
    // The next alert to show, which becomes the one shown; nothing while one
    // is shown or none waits.
    std::optional<BuddyAlert> ShowNext();
    // The alert on screen, if any.
    const BuddyAlert* Shown() const;
    // The alert on screen has gone: clicked, timed out or closed.
    void ShownGone();
    void Clear();

  private:
    std::deque<BuddyAlert> waiting_;
    std::optional<BuddyAlert> shown_;
    // Alerts counted in the last waiting one instead of waiting themselves.
    std::int32_t folded_ = 0;
};

}  // namespace skelvane
