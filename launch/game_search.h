#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// The texts of the launcher's message boxes hold at most 1023 characters.
inline constexpr int kMessageTextCapacity = 1024;

struct ListedEntry {
    std::u16string_view name;
    bool isDirectory;
};

// What a search for the game asks of the system and of the user.
struct GameSearchHost {
    // Calls `visit` for each entry that `pattern` lists, in the order the file
    // system gives them, until `visit` returns false. False when the listing
    // cannot be started.
    std::function<bool(const std::u16string& pattern,
                       const std::function<bool(const ListedEntry&)>& visit)>
        listDirectory;
    std::function<bool(const std::u16string& root)> isFixedDrive;
    // A question with Yes and No buttons; true for Yes.
    std::function<bool(const char16_t* caption, const char16_t* text)> askYesNo;
    std::function<void(const char16_t* text)> showStatus;
};

// Depth first, in listing order: the first directory under `directory` (a path
// that ends with a backslash) holding a file named `executable`, ASCII case
// ignored, that the user accepts. The directory ends with a backslash.
std::optional<std::u16string> FindGameDirectory(const std::u16string& directory,
                                                const char16_t* executable,
                                                const GameSearchHost& host);

// The same over the root of each fixed drive from C: to Z:, in turn.
std::optional<std::u16string> SearchFixedDrives(const char16_t* executable,
                                                const GameSearchHost& host);

}  // namespace skelvane
