#include "settings/config_fields.h"

#include <algorithm>
#include <string>

#include "engine/ascii_text.h"

namespace skelvane {

std::int32_t ConfigNumber(std::u16string_view text) {
    // Only ASCII can be part of a number, so the first other character ends
    // it as any non-digit would.
    std::string ascii;
    for (const char16_t unit : text) {
        if (unit > 0x7F) {
            break;
        }
        ascii.push_back(static_cast<char>(unit));
    }
    return ReadDecimal(
        std::span(reinterpret_cast<const std::uint8_t*>(ascii.data()), ascii.size()));
}

void TakeTextField(std::u16string_view text, std::span<char16_t> member) {
    std::fill(member.begin(), member.end(), u'\0');
    if (member.size() < 2) {
        return;
    }
    // One place is the terminator's, and one is kept for the backslash that a
    // directory may still need.
    const std::size_t kept = std::min(text.size(), member.size() - 2);
    std::copy_n(text.begin(), kept, member.begin());
}

void TakeDirectoryField(std::u16string_view text, std::span<char16_t> member) {
    // The text leaves at least two zeros behind it: room for the backslash.
    TakeTextField(text, member);
    const auto end = std::find(member.begin(), member.end(), u'\0');
    if (end != member.begin() && end[-1] != u'\\') {
        *end = u'\\';
    }
}

namespace {

std::u16string DecimalText(std::int32_t number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

ConfigFields ConfigFieldsOf(const Settings& settings) {
    return ConfigFields{std::u16string(GamePathText(settings.gameDirectory)),
                        std::u16string(GamePathText(settings.gameExecutable)),
                        DecimalText(settings.packetsPerSecond),
                        DecimalText(settings.goodPingThreshold),
                        DecimalText(settings.mediumPingThreshold),
                        settings.buddyText};
}

// A setting may hold what its field cannot give back: a stored path of 259
// characters is one more than a field keeps, and one without its backslash
// would get one. Only what the user changed is taken, so looking at the
// settings never changes them.
void ApplyConfigFields(const ConfigFields& filled, const ConfigFields& now, Settings& settings) {
    if (now.gameDirectory != filled.gameDirectory) {
        TakeDirectoryField(now.gameDirectory, settings.gameDirectory);
    }
    if (now.gameExecutable != filled.gameExecutable) {
        TakeTextField(now.gameExecutable, settings.gameExecutable);
    }
    if (now.queryRate != filled.queryRate) {
        // A rate the sweep could not pace by becomes the default at once.
        settings.packetsPerSecond = UsableQueryRate(ConfigNumber(now.queryRate));
    }
    // Thresholds are taken as typed, a zero included, until the next start.
    if (now.goodPing != filled.goodPing) {
        settings.goodPingThreshold = ConfigNumber(now.goodPing);
    }
    if (now.mediumPing != filled.mediumPing) {
        settings.mediumPingThreshold = ConfigNumber(now.mediumPing);
    }
    if (now.buddyText != filled.buddyText) {
        settings.buddyText = now.buddyText;
    }
}

}  // namespace skelvane
