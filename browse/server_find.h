#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/server_table.h"

namespace skelvane {

// Find texts hold at most 63 characters: more than any name a player types,
// and a bound on the work of every keystroke.
inline constexpr int kFindTextCapacity = 64;

// Letters of the Latin, Greek and Cyrillic alphabets folded to lower case;
// every other unit stays as it is.
char16_t FoldCaseForFind(char16_t c);

// What a find looks in: the server's host name, map and mod and its players'
// names, as the lists show them, folded, with a zero unit after each. A front
// end that finds again and again may keep it, since an answered record does
// not change.
std::u16string FoundTextOf(const ServerRecord& record);

// The text a user types to find servers, kept folded for comparing.
class FindText {
  public:
    FindText() = default;
    // Up to its first zero unit, cut to kFindTextCapacity - 1 units.
    explicit FindText(std::u16string_view typed);

    bool IsEmpty() const { return folded_.empty(); }
    // True when every server this text finds is also found by `wider`.
    bool Narrows(const FindText& wider) const;
    // True when one of the texts of `foundText` contains this text: the text
    // is found ignoring case, and never across two texts. An empty text finds
    // every server.
    bool FindsIn(std::u16string_view foundText) const;
    bool Finds(const ServerRecord& record) const {
        return IsEmpty() || FindsIn(FoundTextOf(record));
    }

    friend bool operator==(const FindText&, const FindText&) = default;

  private:
    std::u16string folded_;
};

// Which servers the server list shows: Full, Empty and the find text.
struct ServerFilter {
    std::int32_t showFull = 1;
    std::int32_t showEmpty = 1;
    const FindText* find = nullptr;
};

// True when an answered server passes Full, Empty and the find text: the one
// rule for "is this server shown". The second form takes the record's
// FoundTextOf as a front end keeps it.
bool IsServerListed(const ServerRecord& record, const ServerFilter& filter);
bool IsServerListed(const ServerRecord& record, const ServerFilter& filter,
                    std::u16string_view foundText);

}  // namespace skelvane
