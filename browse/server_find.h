#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/server_table.h"

namespace skelvane {

// Find texts hold at most 63 characters: more than any name a player types,
// and a bound on the work of every keystroke.
inline constexpr int kFindTextCapacity = 64;

// The text a user types to find servers, kept folded for comparing.
class FindText {
  public:
    FindText() = default;
    // Cut to kFindTextCapacity - 1 units.
    explicit FindText(std::u16string_view typed);

    bool IsEmpty() const { return folded_.empty(); }
    // True when every server this text finds is also found by `wider`.
    bool Narrows(const FindText& wider) const;
    // True when the server's host name, map, mod or one of its players' names,
    // as the lists show them, contains the text ignoring case. An empty text
    // finds every server.
    bool Finds(const ServerRecord& record) const;

    friend bool operator==(const FindText&, const FindText&) = default;

  private:
    bool FoundIn(std::u16string_view text) const;

    std::u16string folded_;
};

// Letters of the Latin, Greek and Cyrillic alphabets folded to lower case;
// every other unit stays as it is.
char16_t FoldCaseForFind(char16_t c);

// Which servers the server list shows: Full, Empty and the find text.
struct ServerFilter {
    std::int32_t showFull = 1;
    std::int32_t showEmpty = 1;
    const FindText* find = nullptr;
};

// True when an answered server passes Full, Empty and the find text: the one
// rule for "is this server shown".
bool IsServerListed(const ServerRecord& record, const ServerFilter& filter);

}  // namespace skelvane
