#include "launch/game_launcher_win32.h"

#include <algorithm>
#include <string>

#include "engine/status_text.h"
#include "launch/game_command.h"
#include "launch/game_search_win32.h"
#include "platform/win32/wide_text.h"

namespace skelvane {

namespace {

// A setting's text up to its terminator, never past its capacity.
std::u16string TextOf(std::span<const char16_t> setting) {
    const auto end = std::ranges::find(setting, u'\0');
    return std::u16string(setting.begin(), end);
}

// A found directory always fits the setting: the search never goes deeper
// than 259 characters, its last entry's name included.
void StoreDirectory(std::span<char16_t> setting, const std::u16string& found) {
    if (found.size() < setting.size()) {
        std::ranges::copy(found, setting.begin());
        setting[found.size()] = u'\0';
    }
}

void Warn(HWND owner, const char16_t* caption, const char16_t* text) {
    MessageBoxW(owner, AsWide(text), AsWide(caption), MB_OK | MB_ICONWARNING);
}

void ReportGameNotFound(const GameJoin& join) {
    join.showStatus(u"Couldn't find a Skelvane executable!");
    Warn(join.owner, u"Can't find Skelvane",
         u"Unable to find your Skelvane executable!\r\n\r\nYou can't join a server until you have "
         u"specified where Skelvane is on your system.\n\nTry setting the executable name "
         u"manually in the config if you have a different executable name.");
}

// The text holds the whole path: at most 519 characters and the words around
// them stay well within a message's capacity.
void ReportMissingExecutable(const GameJoin& join, const std::u16string& path) {
    char16_t status[kStatusTextCapacity];
    FormatText(status, u"Couldn't find %s! Check your config.", {join.gameExecutable});
    join.showStatus(status);
    char16_t text[kMessageTextCapacity];
    FormatText(text, u"Error: Couldn't find a Skelvane executable:\r\n\r\n\t%s: File Not Found",
               {path.c_str()});
    Warn(join.owner, u"Couldn't find Skelvane", text);
}

// A start that could not be made keeps the browser open and says why, with
// the whole path: the user can put it right in the Config dialog.
void ReportFailedStart(const GameJoin& join, const std::u16string& path, const char16_t* reason) {
    char16_t text[kStatusTextCapacity];
    FormatText(text, u"Couldn't start %s: %s", {path.c_str(), reason});
    join.showStatus(text);
}

// The system's own words for an error, without the line end it puts after
// them; its number when it has none.
std::u16string SystemReason(DWORD error) {
    wchar_t words[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, words, 512, nullptr);
    while (length > 0 && (words[length - 1] == L'\r' || words[length - 1] == L'\n' ||
                          words[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        return u"error " + std::u16string(AsUtf16(std::to_wstring(error).c_str()));
    }
    return std::u16string(AsUtf16(words), length);
}

// The game gets the browser's environment and its own directory as the
// current one; what it does with the command line is its own matter. Gives
// 0 when the game started, else the system's error.
DWORD StartGame(const std::u16string& directory, std::u16string commandLine) {
    SetCurrentDirectoryW(AsWide(directory.c_str()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, AsWide(commandLine.data()), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, AsWide(directory.c_str()), &startup,
                        &process)) {
        return GetLastError();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

bool LaunchGame(const GameJoin& join) {
    const HCURSOR previousCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (TextOf(join.gameDirectory).empty()) {
        const GameSearchHost host = MakeGameSearchHost(join.owner, join.showStatus);
        if (const auto found = SearchFixedDrives(join.gameExecutable, host)) {
            StoreDirectory(join.gameDirectory, *found);
        }
    }
    // A search lets the refresh go on: the server is read only now, and only
    // if its record is still there.
    const std::optional<std::u16string> address = join.serverAddress();
    SetCursor(previousCursor);

    const std::u16string directory = TextOf(join.gameDirectory);
    if (directory.empty()) {
        ReportGameNotFound(join);
        return false;
    }
    if (!address) {
        join.showStatus(u"The server list has changed. Double-click the server again.");
        return false;
    }
    join.showStatus(u"Starting Skelvane...");
    const std::u16string path = GameExecutablePath(directory, join.gameExecutable);
    const DWORD attributes = GetFileAttributesW(AsWide(path.c_str()));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ReportMissingExecutable(join, path);
        return false;
    }
    // An empty executable name makes the path the game directory itself.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ReportFailedStart(join, path, u"it is a folder, not a program");
        return false;
    }
    const DWORD error =
        StartGame(directory, GameCommandLine(directory, join.gameExecutable, *address));
    if (error != 0) {
        ReportFailedStart(join, path, SystemReason(error).c_str());
        return false;
    }
    return true;
}

}  // namespace skelvane
