#include "engine/colour_codes.h"

#include <cstddef>

namespace skelvane {

namespace {

constexpr char16_t kCaret = u'^';

bool InRange(char16_t unit, char16_t first, char16_t last) {
    return unit >= first && unit <= last;
}

bool IsSurrogatePair(const char16_t* at) {
    return InRange(at[0], 0xD800, 0xDBFF) && InRange(at[1], 0xDC00, 0xDFFF);
}

// Letters, digits, punctuation and blanks, decided the same way on every
// system and in every locale so that a name reads alike in both front ends.
// The tab is a blank, so a caret colours it like a space. Not printable are:
// the other C0 controls, DEL and the C1 controls, the line and paragraph
// separators, the invisible format controls that join characters or steer the
// writing direction (a server could otherwise make its name read backwards or
// hide text in the list), the byte-order mark, the code points that are never
// characters, and surrogate halves. Everything else, code points not yet
// assigned included, is printable.
bool IsPrintableUnit(char16_t unit) {
    return !((unit <= 0x1F && unit != u'\t') || InRange(unit, 0x7F, 0x9F) ||
             InRange(unit, 0x200B, 0x200F) || InRange(unit, 0x2028, 0x202E) ||
             InRange(unit, 0x2060, 0x206F) || InRange(unit, 0xD800, 0xDFFF) ||
             InRange(unit, 0xFDD0, 0xFDEF) || unit == 0xFEFF || InRange(unit, 0xFFF9, 0xFFFB) ||
             unit >= 0xFFFE);
}

}  // namespace

// One pass with a read and a write position over the same text. A well-formed
// surrogate pair is one printable character that survives or goes as a whole;
// a lone half is not printable, so the result is always well-formed UTF-16.
void StripColourCodes(char16_t* text) {
    std::size_t skip = 0;
    char16_t* out = text;
    for (const char16_t* in = text; *in != u'\0';) {
        const std::size_t units = IsSurrogatePair(in) ? 2 : 1;
        if (*in == kCaret) {
            ++skip;
        } else if (units == 2 || IsPrintableUnit(*in)) {
            if (skip > 0) {
                --skip;
            } else {
                for (std::size_t i = 0; i < units; ++i) {
                    *out++ = in[i];
                }
            }
        }
        in += units;
    }
    *out = u'\0';
}

}  // namespace skelvane
