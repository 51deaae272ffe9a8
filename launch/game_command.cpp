#include "launch/game_command.h"

namespace skelvane {

namespace {

constexpr std::size_t kCommandLineLimit = 1023;

}  // namespace

std::u16string GameExecutablePath(std::u16string_view directory, std::u16string_view executable) {
    std::u16string path(directory);
    path += u'\\';
    path += executable;
    return path;
}

std::u16string GameCommandLine(std::u16string_view directory, std::u16string_view executable,
                               std::u16string_view serverAddress) {
    std::u16string line = u"\"";
    line += GameExecutablePath(directory, executable);
    line += u"\" +connect \"";
    line += serverAddress;
    line += u'"';
    if (line.size() > kCommandLineLimit) {
        line.resize(kCommandLineLimit);
    }
    return line;
}

}  // namespace skelvane
