// Arbitrary bytes as a --buddies file of skelvane-query, read into the
// browser's buddy list.

#include <string_view>

#include "browse/buddy_list.h"
#include "cli/buddies_file.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::IsTerminated;
using skelvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const skelvane::BuddyList list = skelvane::ParseBuddyList(skelvane::BuddyTextOfFile(bytes));
    Require(list.buddyCount >= 0);
    Require(static_cast<std::size_t>(list.buddyCount) <= list.buddyNames.size());
    for (std::int32_t i = 0; i < list.buddyCount; ++i) {
        const auto& name = list.buddyNames[static_cast<std::size_t>(i)].text;
        Require(IsTerminated(name) && name[0] != u'\0');
        for (const char16_t* c = name; *c != u'\0'; ++c) {
            Require(*c != u'\r' && *c != u'\n');
        }
        Require(skelvane::IsBuddyName(list, name));
    }
    return 0;
}
