#include "launch/game_search_win32.h"

#include <utility>

#include "platform/win32/wide_text.h"

namespace skelvane {

namespace {

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (IsValid()) {
            FindClose(handle_);
        }
    }
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

// Short names are not needed, and fetching entries in large batches keeps a
// search through a big tree quick.
bool ListDirectory(const std::u16string& pattern,
                   const std::function<bool(const ListedEntry&)>& visit) {
    WIN32_FIND_DATAW entry{};
    const FindHandle find(FindFirstFileExW(AsWide(pattern.c_str()), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (!find.IsValid()) {
        return false;
    }
    do {
        const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!visit(ListedEntry{AsUtf16(entry.cFileName), isDirectory})) {
            break;
        }
    } while (FindNextFileW(find.Get(), &entry));
    return true;
}

GameSearchHost MakeGameSearchHost(HWND owner, std::function<void(const char16_t*)> showStatus) {
    GameSearchHost host;
    host.listDirectory = ListDirectory;
    host.isFixedDrive = [](const std::u16string& root) {
        return GetDriveTypeW(AsWide(root.c_str())) == DRIVE_FIXED;
    };
    host.askYesNo = [owner](const char16_t* caption, const char16_t* text) {
        return MessageBoxW(owner, AsWide(text), AsWide(caption), MB_YESNO | MB_ICONQUESTION) ==
               IDYES;
    };
    host.showStatus = std::move(showStatus);
    return host;
}

}  // namespace skelvane
