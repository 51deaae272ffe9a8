#include "cli/text_file.h"

#include <filesystem>
#include <fstream>
#include <random>

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

bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error) {
    // A name of its own, so that two programs writing the same file at once
    // never write into each other's new file.
    const std::string temporary = path + "." + std::to_string(std::random_device{}()) + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file.flush()) {
            error = "cannot write " + temporary;
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        error = "cannot replace " + path + ": " + failure.message();
        std::filesystem::remove(temporary, failure);
        return false;
    }
    return true;
}

}  // namespace skelvane
