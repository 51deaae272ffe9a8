#include "app/ui_mailbox_win32.h"

namespace skelvane {

void UiMailbox::SetRecipient(HWND window, UINT wakeUpMessage) {
    const std::lock_guard<std::mutex> hold(mutex_);
    recipient_ = window;
    wakeUpMessage_ = wakeUpMessage;
    wakeUpPosted_ = false;
}

void UiMailbox::WakeRecipientLocked() {
    if (!wakeUpPosted_ && recipient_ != nullptr) {
        wakeUpPosted_ = PostMessageW(recipient_, wakeUpMessage_, 0, 0) != FALSE;
    }
}

void UiMailbox::PutStatus(const char16_t* text) {
    const std::lock_guard<std::mutex> hold(mutex_);
    FormatStatus(contents_.status, u"%s", {text});
    contents_.hasStatus = true;
    WakeRecipientLocked();
}

void UiMailbox::PutParsed(std::int32_t index) {
    const std::lock_guard<std::mutex> hold(mutex_);
    contents_.parsed.push_back(index);
    WakeRecipientLocked();
}

UiMailbox::Contents UiMailbox::Take() {
    const std::lock_guard<std::mutex> hold(mutex_);
    Contents taken = std::move(contents_);
    contents_ = Contents{};
    wakeUpPosted_ = !taken.IsEmpty();
    return taken;
}

void UiMailbox::DiscardParsed() {
    const std::lock_guard<std::mutex> hold(mutex_);
    contents_.parsed.clear();
}

}  // namespace skelvane
