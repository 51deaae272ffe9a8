#pragma once

#include <algorithm>
#include <cstdlib>
#include <span>

namespace skelvane::fuzz {

// A broken invariant ends the run as a crash, which libFuzzer records.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

inline bool IsTerminated(std::span<const char16_t> text) {
    return std::find(text.begin(), text.end(), u'\0') != text.end();
}

// No control character other than the tab (a blank) and no lone surrogate
// half: what a text keeps once its colour codes are gone.
inline bool IsCleanText(const char16_t* text) {
    for (; *text != u'\0'; ++text) {
        const char16_t unit = *text;
        if ((unit < 0x20 && unit != u'\t') || (unit >= 0x7F && unit <= 0x9F)) {
            return false;
        }
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (low || (high && !(text[1] >= 0xDC00 && text[1] <= 0xDFFF))) {
            return false;
        }
        text += high ? 1 : 0;
    }
    return true;
}

}  // namespace skelvane::fuzz
