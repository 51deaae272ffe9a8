#include "browse/server_find.h"

#include <algorithm>

#include "browse/player_columns.h"
#include "browse/server_columns.h"

namespace skelvane {

namespace {

// The columns whose texts a find looks at, besides the players' names.
constexpr std::int32_t kFoundKinds[] = {KIND_HOSTNAME, KIND_MAP, KIND_MOD};

// Capital letters whose small letter lies a fixed distance above them.
struct CaseRange {
    char16_t first;
    char16_t last;
    char16_t distance;
};

constexpr CaseRange kCaseRanges[] = {
    {u'A', u'Z', 0x20},     {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0391, 0x03A1, 0x20},
    {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50}, {0x0410, 0x042F, 0x20},
};

// Latin Extended-A pairs each capital with the small letter right after it;
// the pairs start on even units in two runs and on odd units in two others.
// The dotted capital I has no small letter of its own there.
bool IsPairedCapital(char16_t c) {
    if (c == 0x0130) {
        return false;
    }
    const bool even = c % 2 == 0;
    return ((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))   ? even
           : ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) ? !even
                                                                            : false;
}

}  // namespace

char16_t FoldCaseForFind(char16_t c) {
    for (const CaseRange& range : kCaseRanges) {
        if (c >= range.first && c <= range.last) {
            return static_cast<char16_t>(c + range.distance);
        }
    }
    if (c == 0x0178) {  // Y with diaeresis, whose small letter is in Latin-1
        return 0x00FF;
    }
    return IsPairedCapital(c) ? static_cast<char16_t>(c + 1) : c;
}

std::u16string FoundTextOf(const ServerRecord& record) {
    std::u16string found;
    const auto append = [&found](std::u16string_view text) {
        const std::size_t start = found.size();
        found.append(text);
        std::transform(found.begin() + static_cast<std::ptrdiff_t>(start), found.end(),
                       found.begin() + static_cast<std::ptrdiff_t>(start), FoldCaseForFind);
        found.push_back(u'\0');
    };
    for (const std::int32_t kind : kFoundKinds) {
        append(TextCellOf(record, kind));
    }
    for (std::int32_t i = 0; i < ReadablePlayerCount(record); ++i) {
        append(PlayerNameText(record.players[i]));
    }
    return found;
}

FindText::FindText(std::u16string_view typed) {
    typed = typed.substr(0, std::min(typed.find(u'\0'), std::size_t{kFindTextCapacity - 1}));
    folded_.resize(typed.size());
    std::transform(typed.begin(), typed.end(), folded_.begin(), FoldCaseForFind);
}

bool FindText::Narrows(const FindText& wider) const {
    return folded_.find(wider.folded_) != std::u16string::npos;
}

// The texts are apart by zero units, which a find text never holds.
bool FindText::FindsIn(std::u16string_view foundText) const {
    return foundText.find(folded_) != std::u16string_view::npos;
}

bool IsServerListed(const ServerRecord& record, const ServerFilter& filter) {
    const bool finding = filter.find != nullptr && !filter.find->IsEmpty();
    return IsServerListed(record, filter, finding ? FoundTextOf(record) : std::u16string());
}

bool IsServerListed(const ServerRecord& record, const ServerFilter& filter,
                    std::u16string_view foundText) {
    // The found text first: it lies apart from the table, and most records
    // fail it while a text is typed.
    return (filter.find == nullptr || filter.find->FindsIn(foundText)) &&
           IsServerShown(record, filter.showFull, filter.showEmpty);
}

}  // namespace skelvane
