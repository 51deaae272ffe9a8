#include "cli/buddies_file.h"

#include "cli/text_coding.h"

namespace skelvane {

std::u16string BuddyTextOfFile(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return Utf16FromBytes(bytes);
}

}  // namespace skelvane
