#include "cli/text_file.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace skelvane {

// One byte more than allowed is read, so that a file that is too large is
// told from one that just fits without reading all of it.
Result<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Failure{"cannot read " + path};
    }
    std::string text(maxBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        return Failure{"cannot read " + path};
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > maxBytes) {
        return Failure{path + " is larger than " + std::to_string(maxBytes) + " bytes"};
    }
    return text;
}

Result<> WriteFileWhole(const std::string& path, const std::string& text) {
    // A name of its own, so that two programs writing the same file at once
    // never write into each other's new file.
    const std::string temporary = path + "." + std::to_string(std::random_device{}()) + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return Failure{"cannot write " + temporary};
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        const std::string why = "cannot replace " + path + ": " + failure.message();
        std::filesystem::remove(temporary, failure);
        return Failure{why};
    }
    return Done{};
}

}  // namespace skelvane
