#include "browse/buddy_alerts.h"

#include <string_view>

#include "engine/host_and_port.h"

namespace skelvane {

namespace {

// Control characters would break the lines of a notification, or worse.
std::u16string PlainText(std::u16string_view text) {
    std::u16string plain(text);
    for (char16_t& unit : plain) {
        if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F)) {
            unit = u'?';
        }
    }
    return plain;
}

std::u16string Cut(std::u16string text, std::size_t capacity) {
    if (text.size() >= capacity) {
        text.resize(capacity - 1);
    }
    return text;
}

std::u16string AddressText(const Ipv4Endpoint& endpoint) {
    const std::string text = DottedAddress(endpoint.address) + ":" + std::to_string(endpoint.port);
    return std::u16string(text.begin(), text.end());
}

std::u16string CountText(std::int32_t count) {
    const std::string text = std::to_string(count);
    return std::u16string(text.begin(), text.end());
}

// The text names the player and the server, as the lines of the first alert
// do, with the address on a line of its own so that a long name never pushes
// it out: some shells show the text alone.
BuddyAlert SeenAlert(const BuddyEvent& event) {
    const std::u16string address = AddressText(event.server.endpoint);
    const std::u16string who = PlainText(event.player) + u" on " + PlainText(event.server.hostName);
    return BuddyAlert{event.kind == BuddyEventKind::kMoved ? u"A buddy moved to another server"
                                                           : u"A buddy joined a server",
                      Cut(who, kAlertTextCapacity - address.size() - 1) + u"\n" + address,
                      event.server.endpoint};
}

// One line for each buddy playing, as many as the text holds, and a last line
// that counts the others. The first line is cut rather than left out, so that
// at least one buddy is always named.
BuddyAlert PlayingAlert(const std::vector<const BuddyEvent*>& playing) {
    const auto count = static_cast<std::int32_t>(playing.size());
    const auto others = [count](std::size_t named) {
        return u"and " + CountText(count - static_cast<std::int32_t>(named)) + u" more";
    };
    std::u16string text;
    for (std::size_t i = 0; i < playing.size(); ++i) {
        const std::u16string line =
            PlainText(playing[i]->player) + u" on " + PlainText(playing[i]->server.hostName);
        const bool last = i + 1 == playing.size();
        const std::size_t after = last ? 0 : 1 + others(i + 1).size();
        const std::size_t room = kAlertTextCapacity - 1 - text.size() - after;
        if (line.size() > room && i > 0) {
            text += others(i);
            break;
        }
        text += Cut(line, room + 1) + (last ? u"" : u"\n");
    }
    return BuddyAlert{
        count == 1 ? u"A buddy is playing" : CountText(count) + u" buddies are playing", text,
        playing.front()->server.endpoint};
}

BuddyAlert FoldedAlert(const Ipv4Endpoint& server, std::int32_t count) {
    return BuddyAlert{u"More buddies are playing",
                      CountText(count) + u" more buddies joined or moved to a server.", server};
}

}  // namespace

std::vector<BuddyAlert> AlertsFor(const std::vector<BuddyEvent>& events) {
    std::vector<const BuddyEvent*> playing;
    std::vector<BuddyAlert> alerts;
    for (const BuddyEvent& event : events) {
        if (event.kind == BuddyEventKind::kPlaying) {
            playing.push_back(&event);
        } else if (event.kind != BuddyEventKind::kLeft) {
            alerts.push_back(SeenAlert(event));
        }
    }
    if (!playing.empty()) {
        alerts.insert(alerts.begin(), PlayingAlert(playing));
    }
    return alerts;
}

void AlertQueue::Add(const std::vector<BuddyAlert>& alerts) {
    for (const BuddyAlert& alert : alerts) {
        if (folded_ == 0 && waiting_.size() < kMaxWaitingAlerts) {
            waiting_.push_back(alert);
            continue;
        }
        // The last waiting alert becomes the count of itself and what follows.
        folded_ = folded_ == 0 ? 2 : folded_ + 1;
        waiting_.back() = FoldedAlert(waiting_.back().server, folded_);
    }
}

std::optional<BuddyAlert> AlertQueue::ShowNext() {
    if (shown_ || waiting_.empty()) {
        return std::nullopt;
    }
    shown_ = waiting_.front();
    waiting_.pop_front();
    if (waiting_.empty()) {
        folded_ = 0;
    }
    return shown_;
}

const BuddyAlert* AlertQueue::Shown() const {
    return shown_ ? &*shown_ : nullptr;
}

void AlertQueue::ShownGone() {
    shown_.reset();
}

void AlertQueue::Clear() {
    waiting_.clear();
    shown_.reset();
    folded_ = 0;
}

}  // namespace skelvane
