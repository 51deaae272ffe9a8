#include "settings/config_fields.h"

#include <algorithm>
#include <string>

#include "engine/ascii_text.h"

namespace skelvane {

std::int32_t ConfigNumber(std::u16string_view text) {
    // Only ASCII can be part of a number, so the first other character ends
    // it as any non-digit would.
    std::string ascii;
    for (const char16_t unit : text) {
        if (unit > 0x7F) {
            break;
        }
        ascii.push_back(static_cast<char>(unit));
    }
    return ReadDecimal(
        std::span(reinterpret_cast<const std::uint8_t*>(ascii.data()), ascii.size()));
}

void TakeTextField(std::u16string_view text, std::span<char16_t> member) {
    std::fill(member.begin(), member.end(), u'\0');
    if (member.size() < 2) {
        return;
    }
    // One place is the terminator's, and one is kept for the backslash that a
    // directory may still need.
    const std::size_t kept = std::min(text.size(), member.size() - 2);
    std::copy_n(text.begin(), kept, member.begin());
}

void TakeDirectoryField(std::u16string_view text, std::span<char16_t> member) {
    // The text leaves at least two zeros behind it: room for the backslash.
    TakeTextField(text, member);
    const auto end = std::find(member.begin(), member.end(), u'\0');
    if (end != member.begin() && end[-1] != u'\\') {
        *end = u'\\';
    }
}

}  // namespace skelvane
