#include "cli/text_file.h"

#include <fstream>

namespace skelvane {

// One byte more than allowed is read, so that a file that is too large is
// told from one that just fits without reading all of it.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::string text(maxBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > maxBytes) {
        error = path + " is larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    return text;
}

}  // namespace skelvane
