// Arbitrary UTF-16 text through the colour-code filter.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/colour_codes.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::IsCleanText;
using skelvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly as many units as the input holds and one terminator, so that a
    // write past the end lands outside the buffer.
    std::vector<char16_t> text(size / 2 + 1, u'\0');
    std::memcpy(text.data(), data, size / 2 * 2);
    const std::u16string before = text.data();

    skelvane::StripColourCodes(text.data());
    const std::u16string after = text.data();

    Require(after.size() <= before.size());
    Require(after.find(u'^') == std::u16string::npos);
    Require(IsCleanText(after.c_str()));
    // What survives keeps its order: the result is a subsequence of the text.
    auto next = before.begin();
    for (char16_t unit : after) {
        next = std::find(next, before.end(), unit);
        Require(next != before.end());
        ++next;
    }
    // Nothing left is a colour code or a control, so a second pass keeps it all.
    std::u16string again = after;
    skelvane::StripColourCodes(again.data());
    Require(again.c_str() == after);
    return 0;
}
