#include "engine/info_string.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "engine/colour_codes.h"
#include "platform/ansi_text.h"

namespace skelvane {

namespace {

template <std::int32_t ServerRecord::*Field>
constexpr InfoKeyRow DecimalRow(std::string_view key) {
    return {key, InfoConversion::kDecimal, Field, nullptr, nullptr};
}

std::span<char16_t> HostName(ServerRecord& record) {
    return record.hostName;
}
std::span<char16_t> MapName(ServerRecord& record) {
    return record.mapName;
}
std::span<char16_t> GameName(ServerRecord& record) {
    return record.gameName;
}
std::span<char16_t> Version(ServerRecord& record) {
    return record.version;
}

}  // namespace

const std::array<InfoKeyRow, kInfoKeyCount> kInfoKeyMap = {{
    DecimalRow<&ServerRecord::maxClients>("sv_maxclients"),
    DecimalRow<&ServerRecord::privateClients>("sv_privateclients"),
    {"mapname", InfoConversion::kText, nullptr, MapName, u"?"},
    DecimalRow<&ServerRecord::timeLimit>("timelimit"),
    {"gamename", InfoConversion::kText, nullptr, GameName, u"default"},
    {"sv_hostname", InfoConversion::kTextWithoutColourCodes, nullptr, HostName, u"?"},
    DecimalRow<&ServerRecord::pure>("sv_pure"),
    {"version", InfoConversion::kText, nullptr, Version, u""},
}};

namespace {

void StoreText(const InfoKeyRow& row, const std::optional<std::span<const std::uint8_t>>& value,
               ServerRecord& record) {
    const std::span<char16_t> field = row.textField(record);
    const auto capacity = static_cast<int>(field.size());
    // A value that gives no text, which only a failed conversion can do since
    // no value is empty, says no more than a missing one.
    if (!value || AnsiToUtf16(*value, field.data(), capacity) == 0) {
        std::u16string_view absent = row.absentText;
        const std::size_t length = std::min(absent.size(), field.size() - 1);
        std::copy_n(absent.begin(), length, field.begin());
        field[length] = u'\0';
    } else if (row.conversion == InfoConversion::kTextWithoutColourCodes) {
        StripColourCodes(field.data());
    }
}

}  // namespace

std::optional<std::span<const std::uint8_t>> InfoPieces::Next() {
    const auto isText = [](std::uint8_t c) { return c != '\\'; };
    const auto start = std::find_if(rest_.begin(), rest_.end(), isText);
    const auto end = std::find_if_not(start, rest_.end(), isText);
    if (start == end) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> piece(start, end);
    rest_ = std::span<const std::uint8_t>(end, rest_.end());
    return piece;
}

// Pieces pair up as key then value. A key is cut to its first 63 characters;
// a key without a value ends the string; a later value of a key replaces an
// earlier one.
InfoValues ReadInfoString(std::span<const std::uint8_t> text) {
    InfoValues values;
    InfoPieces pieces(text);
    while (const auto key = pieces.Next()) {
        const auto value = pieces.Next();
        if (!value) {
            break;
        }
        const auto keyCopy = key->first(std::min(key->size(), kInfoKeyCapacity));
        for (std::size_t row = 0; row < kInfoKeyMap.size(); ++row) {
            if (EqualsIgnoringAsciiCase(keyCopy, kInfoKeyMap[row].key)) {
                values[row] = *value;
            }
        }
    }
    return values;
}

void StoreInfoValues(const InfoValues& values, ServerRecord& record) {
    for (std::size_t row = 0; row < kInfoKeyMap.size(); ++row) {
        const InfoKeyRow& info = kInfoKeyMap[row];
        if (info.conversion == InfoConversion::kDecimal) {
            record.*info.integerField = values[row] ? ReadDecimal(*values[row]) : 0;
        } else {
            StoreText(info, values[row], record);
        }
    }
}

}  // namespace skelvane
