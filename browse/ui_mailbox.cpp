#include "browse/ui_mailbox.h"

#include <utility>

namespace skelvane {

void UiMailbox::SetWakeUp(WakeUp wakeUp) {
    const std::lock_guard<std::mutex> hold(mutex_);
    wakeUp_ = std::move(wakeUp);
    woken_ = false;
}

// A wake-up that could not be sent is tried again with the next item.
void UiMailbox::WakeLocked() {
    if (!woken_ && wakeUp_) {
        woken_ = wakeUp_();
    }
}

void UiMailbox::PutStatus(const char16_t* text) {
    const std::lock_guard<std::mutex> hold(mutex_);
    CopyText(contents_.status, text);
    contents_.hasStatus = true;
    WakeLocked();
}

void UiMailbox::PutParsed(std::int32_t index) {
    const std::lock_guard<std::mutex> hold(mutex_);
    contents_.parsed.push_back(index);
    WakeLocked();
}

UiMailbox::Contents UiMailbox::Take() {
    const std::lock_guard<std::mutex> hold(mutex_);
    Contents taken = std::move(contents_);
    contents_ = Contents{};
    woken_ = !taken.IsEmpty();
    return taken;
}

void UiMailbox::DiscardParsed() {
    const std::lock_guard<std::mutex> hold(mutex_);
    contents_.parsed.clear();
}

}  // namespace skelvane
