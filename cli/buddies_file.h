#pragma once

#include <string>
#include <string_view>

namespace skelvane {

// The buddy text of a --buddies file, one name a line as in the browser's
// buddy list: converted as text from a server would be, without the
// byte-order mark that editors on Windows put at the start of UTF-8.
std::u16string BuddyTextOfFile(std::string_view bytes);

}  // namespace skelvane
