#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace skelvane::test {

struct ShownMessageBox {
    std::wstring caption;
    std::wstring text;
    bool asksYesNo = false;
    HICON icon = nullptr;
};

// While it lives, answers every message box that this thread shows: a Yes/No
// question with the next of `answers` (No once they run out), any other box
// with OK. Records what each box showed.
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(std::deque<bool> answers = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    const std::vector<ShownMessageBox>& Shown() const { return shown_; }
    // Leaves every box open until `ready` holds; the box's own message loop
    // meanwhile handles whatever else comes to the thread.
    void AnswerOnlyWhen(std::function<bool()> ready) { ready_ = std::move(ready); }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM self);
    void Answer(HWND box);

    std::deque<bool> answers_;
    std::vector<ShownMessageBox> shown_;
    std::vector<HWND> answered_;
    std::function<bool()> ready_;
    UINT_PTR timer_ = 0;
};

}  // namespace skelvane::test
