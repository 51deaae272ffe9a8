#pragma once

#include <cstdint>
#include <initializer_list>

#include "engine/refresh_front_end.h"

namespace skelvane {

// Status texts hold at most 1023 characters; longer ones are cut.
inline constexpr int kStatusTextCapacity = 1024;

// One argument of a status format: %s takes UTF-16 text, %S 8-bit text and
// %d a signed 32-bit integer.
struct StatusArg {
    enum class Kind { kWide, kNarrow, kInteger };
    Kind kind;
    const char16_t* wide = nullptr;
    const char* narrow = nullptr;
    std::int32_t integer = 0;

    StatusArg(const char16_t* text) : kind(Kind::kWide), wide(text) {}
    StatusArg(const char* text) : kind(Kind::kNarrow), narrow(text) {}
    StatusArg(std::int32_t value) : kind(Kind::kInteger), integer(value) {}
};

// Formats into `out` (kStatusTextCapacity units), always terminated. A
// conversion whose argument is missing or of another kind renders nothing, and
// "%%" renders one percent sign.
void FormatStatus(char16_t* out, const char16_t* format, std::initializer_list<StatusArg> args);

// Formats a status text and puts it to the front end.
void ReportStatusText(RefreshFrontEnd& frontEnd, const char16_t* format,
                      std::initializer_list<StatusArg> args);

template <typename... Args>
void ReportStatus(RefreshFrontEnd& frontEnd, const char16_t* format, Args... args) {
    ReportStatusText(frontEnd, format, {StatusArg(args)...});
}

// "%d Player%s" and "%d Server%s": the noun without plural ending for exactly one.
inline constexpr int kCountTextCapacity = 32;
void FormatCountText(char16_t* out, std::int32_t count, const char16_t* noun);

}  // namespace skelvane
