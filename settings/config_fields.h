#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace skelvane {

// A number field of the Config dialog: leading white space, an optional sign
// and decimal digits; anything else ends the number. No digits gives 0, and a
// number beyond 32 bits the nearest limit.
std::int32_t ConfigNumber(std::u16string_view text);

// Empties `member` completely, then takes at most its capacity less two
// characters of `text`, the rest being dropped without notice.
void TakeTextField(std::u16string_view text, std::span<char16_t> member);

// The game path as typed, ending in a backslash unless it is empty.
void TakeDirectoryField(std::u16string_view text, std::span<char16_t> member);

// The texts of the Config dialog's fields.
struct ConfigFields {
    std::u16string gameDirectory;
    std::u16string gameExecutable;
    std::u16string queryRate;
    std::u16string goodPing;
    std::u16string mediumPing;
    std::u16string buddyText;

    friend bool operator==(const ConfigFields&, const ConfigFields&) = default;
};

// The fields as the dialog fills them: the texts, the numbers in decimal.
ConfigFields ConfigFieldsOf(const Settings& settings);

// Takes into the settings, by the rules above, each field whose text is no
// longer the one it was filled with; a field the user did not change leaves
// its setting exactly as it was.
void ApplyConfigFields(const ConfigFields& filled, const ConfigFields& now, Settings& settings);

}  // namespace skelvane
