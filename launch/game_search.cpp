#include "launch/game_search.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "engine/status_text.h"

namespace skelvane {

namespace {

// A searched path, the name of an entry in it and the backslash after it stay
// within the 259 characters that every file function takes.
constexpr std::size_t kSearchPathLimit = 259;

bool NamesMatch(std::u16string_view name, std::u16string_view executable) {
    const auto fold = [](char16_t unit) { return FoldAsciiCase(unit); };
    return std::ranges::equal(name, executable, {}, fold, fold);
}

bool IsDotEntry(std::u16string_view name) {
    return name == u"." || name == u"..";
}

// The question names the executable as the settings spell it, not as the disk
// does.
bool UserAccepts(const char16_t* executable, const std::u16string& directory,
                 const GameSearchHost& host) {
    char16_t text[kMessageTextCapacity];
    FormatText(text,
               u"Skelvane Server Browser found '%s' in:\r\n\t%s\r\nIs this the one you wish to "
               u"use?",
               {executable, directory.c_str()});
    return host.askYesNo(u"Skelvane Location", text);
}

}  // namespace

std::optional<std::u16string> FindGameDirectory(const std::u16string& directory,
                                                const char16_t* executable,
                                                const GameSearchHost& host) {
    std::optional<std::u16string> found;
    host.listDirectory(directory + u"*", [&](const ListedEntry& entry) {
        // An entry too long for a path ends this directory's scan, entries
        // after it included.
        if (directory.size() + entry.name.size() + 1 > kSearchPathLimit) {
            return false;
        }
        if (entry.isDirectory && !IsDotEntry(entry.name)) {
            std::u16string subdirectory = directory;
            subdirectory += entry.name;
            subdirectory += u'\\';
            found = FindGameDirectory(subdirectory, executable, host);
            return !found;
        }
        if (NamesMatch(entry.name, executable) && UserAccepts(executable, directory, host)) {
            found = directory;
            return false;
        }
        return true;
    });
    return found;
}

std::optional<std::u16string> SearchFixedDrives(const char16_t* executable,
                                                const GameSearchHost& host) {
    for (char16_t letter = u'C'; letter <= u'Z'; ++letter) {
        const std::u16string root{letter, u':', u'\\'};
        if (!host.isFixedDrive(root)) {
            continue;
        }
        char16_t status[kStatusTextCapacity];
        FormatText(status, u"Trying to find %s on %s...", {executable, root.c_str()});
        host.showStatus(status);
        if (auto found = FindGameDirectory(root, executable, host)) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace skelvane
