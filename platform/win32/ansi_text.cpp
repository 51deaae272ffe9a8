#include "platform/ansi_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace skelvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is handed to Windows as is");

// The system converter decides how the ANSI code page maps; its result is
// taken whole into a buffer of the size it asks for and then cut, so a text
// longer than the field never makes the conversion fail. A text that cannot
// be converted gives an empty field.
int CodePageToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity) {
    if (capacity <= 0) {
        return 0;
    }
    out[0] = u'\0';
    const auto length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    if (length == 0) {
        return 0;
    }
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
    if (needed <= 0) {
        return 0;
    }
    std::vector<wchar_t> converted(static_cast<std::size_t>(needed));
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes, length, converted.data(), needed);
    if (units <= 0) {
        return 0;
    }
    const int kept = std::min(units, capacity - 1);
    std::copy_n(converted.begin(), kept, out);
    out[kept] = u'\0';
    return kept;
}

}  // namespace skelvane
