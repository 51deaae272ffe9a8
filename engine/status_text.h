#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "engine/refresh_front_end.h"

namespace skelvane {

// Status texts hold at most 1023 characters; longer ones are cut.
inline constexpr int kStatusTextCapacity = 1024;

// One argument of a text format: %s takes UTF-16 text, %S 8-bit text and
// %d a signed 32-bit integer.
struct TextArg {
    enum class Kind { kWide, kNarrow, kInteger };
    Kind kind;
    const char16_t* wide = nullptr;
    const char* narrow = nullptr;
    std::int32_t integer = 0;

    TextArg(const char16_t* text) : kind(Kind::kWide), wide(text) {}
    TextArg(const char* text) : kind(Kind::kNarrow), narrow(text) {}
    TextArg(std::int32_t value) : kind(Kind::kInteger), integer(value) {}
};

// Formats into `out`, which holds `capacity` units: cut to capacity - 1 and
// always terminated. A conversion whose argument is missing or of another kind
// renders nothing, and "%%" renders one percent sign.
void FormatTextInto(char16_t* out, int capacity, const char16_t* format,
                    std::initializer_list<TextArg> args);

template <std::size_t N>
void FormatText(char16_t (&out)[N], const char16_t* format, std::initializer_list<TextArg> args) {
    FormatTextInto(out, static_cast<int>(N), format, args);
}

// Copies `text` into `out`, which holds `capacity` units: cut to capacity - 1
// and terminated; nothing at all without room for the terminator.
void CopyText(char16_t* out, int capacity, std::u16string_view text);

template <std::size_t N>
void CopyText(char16_t (&out)[N], std::u16string_view text) {
    CopyText(out, static_cast<int>(N), text);
}

// Formats a status text and puts it to the front end.
void ReportStatusText(RefreshFrontEnd& frontEnd, const char16_t* format,
                      std::initializer_list<TextArg> args);

template <typename... Args>
void ReportStatus(RefreshFrontEnd& frontEnd, const char16_t* format, Args... args) {
    ReportStatusText(frontEnd, format, {TextArg(args)...});
}

// "%d Player%s" and "%d Server%s": the noun without plural ending for exactly one.
inline constexpr int kCountTextCapacity = 32;
void FormatCountText(char16_t* out, std::int32_t count, const char16_t* noun);

}  // namespace skelvane
