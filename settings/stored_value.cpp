#include "settings/stored_value.h"

#include <algorithm>
#include <cstring>

#include "platform/ansi_text.h"

namespace skelvane {

namespace {

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes) {
    const std::uint32_t number = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                 std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(number);
}

// Stored text is little-endian UTF-16. A value written without its
// terminator, or with an odd trailing byte, still reads as the whole
// characters it holds; the text ends at the first zero character.
std::u16string DecodeText(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == u'\0') {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

std::u16string DecodeAnsiText(std::span<const std::uint8_t> bytes) {
    // One UTF-16 unit per byte is always enough, terminator included.
    std::u16string text(bytes.size() + 1, u'\0');
    const int length = AnsiToUtf16(bytes, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Windows live within 16-bit coordinates; a minimized one sits at -32000.
constexpr std::int32_t kCoordinateLimit = 32767;

bool IsUsableRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) {
    const auto inRange = [](std::int32_t c) {
        return c >= -kCoordinateLimit && c <= kCoordinateLimit;
    };
    return inRange(left) && inRange(top) && inRange(right) && inRange(bottom) && left < right &&
           top < bottom;
}

}  // namespace

std::optional<std::int32_t> StoredNumber(const StoredValue& value) {
    const bool numeric = value.type == StoredType::kNumber || value.type == StoredType::kBinary;
    if (!numeric || value.bytes.size() != 4) {
        return std::nullopt;
    }
    return ReadInt32(value.bytes);
}

std::int32_t StoredFormatVersion(const std::optional<StoredValue>& version) {
    if (!version || version->bytes.empty() || version->bytes.size() > 4) {
        return 1;
    }
    std::uint8_t four[4] = {};
    std::copy(version->bytes.begin(), version->bytes.end(), four);
    return ReadInt32(four);
}

bool TakeStoredText(const StoredValue& value, std::span<char16_t> member) {
    if (member.empty()) {
        return false;
    }
    const std::u16string text = DecodeText(value.bytes);
    if (text.size() >= member.size()) {
        return false;
    }
    std::fill(member.begin(), member.end(), u'\0');
    std::copy(text.begin(), text.end(), member.begin());
    return true;
}

std::u16string StoredBuddyText(const StoredValue* value, std::int32_t formatVersion) {
    if (value == nullptr) {
        return {};
    }
    return formatVersion == 1 ? DecodeAnsiText(value->bytes) : DecodeText(value->bytes);
}

bool IsWhollyAnsiText(const StoredValue& value) {
    const auto end = std::find(value.bytes.begin(), value.bytes.end(), std::uint8_t{0});
    return std::all_of(end, value.bytes.end(), [](std::uint8_t byte) { return byte == 0; });
}

std::optional<StoredPlacement> StoredWindowPlacement(const StoredValue& value) {
    if (value.bytes.size() != kPlacementSize) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes = value.bytes;
    const auto field = [&bytes](std::size_t index) {
        return ReadInt32(bytes.subspan(index * 4, 4));
    };
    if (field(0) != static_cast<std::int32_t>(kPlacementSize) ||
        !IsUsableRectangle(field(7), field(8), field(9), field(10))) {
        return std::nullopt;
    }
    StoredPlacement placement;
    std::copy(bytes.begin(), bytes.end(), placement.bytes.begin());
    return placement;
}

// A value written by hand or by another program may miss the last zero
// character or end in an odd byte; such a value is not taken, so that it is
// never misread or, being unreadable, written over.
std::optional<std::vector<std::u16string>> StoredLines(const StoredValue& value) {
    const std::size_t size = value.bytes.size();
    const bool ended =
        size >= 2 && size % 2 == 0 && value.bytes[size - 1] == 0 && value.bytes[size - 2] == 0;
    if (value.type != StoredType::kTextLines || !ended) {
        return std::nullopt;
    }
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < size; i += 2) {
        const char16_t unit = static_cast<char16_t>(value.bytes[i] | value.bytes[i + 1] << 8);
        if (unit != u'\0') {
            line.push_back(unit);
            continue;
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    return lines;
}

StoredValue NumberValue(std::int32_t number) {
    StoredValue value{StoredType::kNumber, std::vector<std::uint8_t>(4)};
    const auto bits = static_cast<std::uint32_t>(number);
    for (std::size_t i = 0; i < 4; ++i) {
        value.bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return value;
}

// Every character and the terminator: an empty text is two zero bytes.
StoredValue TextValue(std::u16string_view text) {
    StoredValue value{StoredType::kText, {}};
    value.bytes.reserve((text.size() + 1) * 2);
    for (const char16_t unit : text) {
        value.bytes.push_back(static_cast<std::uint8_t>(unit));
        value.bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    value.bytes.insert(value.bytes.end(), {0, 0});
    return value;
}

// Each line and its zero character, then one more: no lines at all are two
// zero characters.
StoredValue TextLinesValue(const std::vector<std::u16string>& lines) {
    StoredValue value{StoredType::kTextLines, {}};
    for (const std::u16string& line : lines) {
        const StoredValue text = TextValue(line);
        value.bytes.insert(value.bytes.end(), text.bytes.begin(), text.bytes.end());
    }
    value.bytes.insert(value.bytes.end(), {0, 0});
    if (lines.empty()) {
        value.bytes.insert(value.bytes.end(), {0, 0});
    }
    return value;
}

}  // namespace skelvane
