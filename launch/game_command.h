#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skelvane {

// "DIRECTORY\EXECUTABLE". The backslash goes in even after a directory that
// ends with one, as a found or configured directory always does; with both
// settings at their 259-character limit the path has 519 characters.
std::u16string GameExecutablePath(std::u16string_view directory, std::u16string_view executable);

// The game's command line: the quoted executable path, then +connect and the
// quoted server address. Cut to 1023 characters.
std::u16string GameCommandLine(std::u16string_view directory, std::u16string_view executable,
                               std::u16string_view serverAddress);

}  // namespace skelvane
