#include "lists/text_file.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/file_replace.h"

namespace skelvane {

// One byte more than allowed is asked for, so that a file that is too large
// is told from one that just fits without reading all of it; a smaller file
// takes one read into room of its own size.
Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return Failure{"cannot read " + PathText(path)};
    }
    const std::streamoff size = file.tellg();
    file.seekg(0);
    const std::size_t expected =
        size < 0 ? maxBytes : std::min(static_cast<std::size_t>(size), maxBytes);
    std::string text(expected + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        return Failure{"cannot read " + PathText(path)};
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > maxBytes) {
        return Failure{PathText(path) + " is larger than " + std::to_string(maxBytes) + " bytes"};
    }
    return text;
}

Result<> WriteFileWhole(const std::filesystem::path& path, std::string_view text) {
    // A name of its own, so that two programs writing the same file at once
    // never write into each other's new file.
    std::filesystem::path temporary = path;
    temporary += ".";
    temporary += std::to_string(std::random_device{}());
    temporary += ".new";
    std::error_code ignored;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!file.flush()) {
            file.close();
            std::filesystem::remove(temporary, ignored);
            return Failure{"cannot write " + PathText(path)};
        }
    }
    if (!MoveFileOver(temporary, path)) {
        std::filesystem::remove(temporary, ignored);
        return Failure{"cannot replace " + PathText(path)};
    }
    return Done{};
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace skelvane
