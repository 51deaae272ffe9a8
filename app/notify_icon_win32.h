#pragma once

#include <windows.h>

#include <shellapi.h>

#include "browse/buddy_alerts.h"

namespace skelvane {

// The browser's icon in the notification area, and the balloons it shows.
// Clicks on it reach the owner window as `callbackMessage`, with the mouse
// message or balloon event in lParam.
class NotifyIcon {
  public:
    NotifyIcon() = default;
    ~NotifyIcon() { Hide(); }
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // Puts the icon in the notification area; again after the shell has
    // restarted, when the icon it held is gone. False when the shell refused.
    bool Show(HWND owner, UINT callbackMessage, HICON icon);
    void Hide();
    bool IsShown() const { return owner_ != nullptr; }
    // Shows the alert as the icon's balloon, in place of any shown before.
    void ShowBalloon(const BuddyAlert& alert);

  private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND owner_ = nullptr;
    UINT callbackMessage_ = 0;
    HICON icon_ = nullptr;
};

}  // namespace skelvane
