#include "engine/player_line.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "engine/colour_codes.h"
#include "platform/ansi_text.h"

namespace skelvane {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint8_t kSpace = ' ';
constexpr std::uint8_t kQuote = '"';

// Splits off tokens at spaces: spaces before a token are skipped, and the one
// space that ends a token is consumed with it, so whatever follows that space
// is left for the caller as it stands.
class SpaceTokens {
  public:
    explicit SpaceTokens(Bytes text) : rest_(text) {}

    std::optional<Bytes> Next() {
        const auto start =
            std::find_if(rest_.begin(), rest_.end(), [](std::uint8_t c) { return c != kSpace; });
        if (start == rest_.end()) {
            rest_ = Bytes(rest_.end(), rest_.end());
            return std::nullopt;
        }
        const auto end = std::find(start, rest_.end(), kSpace);
        rest_ = Bytes(end == rest_.end() ? end : end + 1, rest_.end());
        return Bytes(start, end);
    }

    Bytes Rest() const { return rest_; }

  private:
    Bytes rest_;
};

// The name starts right after the space that ended the ping: double quotes at
// its start are skipped and it runs to the next double quote or the end. Two
// spaces before the quote therefore give a name of one space.
Bytes QuotedName(Bytes rest) {
    const auto start =
        std::find_if(rest.begin(), rest.end(), [](std::uint8_t c) { return c != kQuote; });
    return Bytes(start, std::find(start, rest.end(), kQuote));
}

}  // namespace

std::optional<PlayerRecord> ReadPlayerLine(Bytes text) {
    SpaceTokens tokens(text);
    const auto score = tokens.Next();
    const auto ping = score ? tokens.Next() : std::nullopt;
    if (!ping) {
        return std::nullopt;
    }
    PlayerRecord player{};
    player.score = ReadDecimal(*score);
    player.ping = ReadDecimal(*ping);
    AnsiToUtf16(QuotedName(tokens.Rest()), player.name, kPlayerNameCapacity);
    StripColourCodes(player.name);
    return player;
}

}  // namespace skelvane
