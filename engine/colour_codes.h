#pragma once

namespace skelvane {

// Removes colour codes from a terminated UTF-16 text, in place: a caret drops
// itself and the next printable character; carets in a row stack. Characters
// that are not printable are dropped and leave the count unchanged.
void StripColourCodes(char16_t* text);

}  // namespace skelvane
