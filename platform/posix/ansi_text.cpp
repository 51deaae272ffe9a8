#include "platform/ansi_text.h"

namespace skelvane {

int AnsiToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity) {
    if (capacity <= 0) {
        return 0;
    }
    int written = 0;
    for (std::uint8_t byte : text) {
        if (byte == 0 || written + 1 >= capacity) {
            break;
        }
        out[written++] = byte;
    }
    out[written] = u'\0';
    return written;
}

}  // namespace skelvane
