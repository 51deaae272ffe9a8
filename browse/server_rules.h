#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// What one server's rules may hold; the server chooses these bytes. Keys are
// cut to 63 characters (the browser compares no more of a key), values to
// 255 (its longest text field), and pairs beyond the 64th are only counted.
// Their text comes from one info line of at most 2047 bytes, so a server's
// rules hold at most 2047 characters.
inline constexpr int kRuleKeyCapacity = 64;
inline constexpr int kRuleValueCapacity = 256;
inline constexpr std::size_t kMaxRules = 64;

// Every key and value of a status answer's info line, in the order received.
class ServerRules {
  public:
    std::size_t Count() const { return ends_.size() / 2; }
    std::u16string_view Key(std::size_t i) const { return Piece(2 * i); }
    std::u16string_view Value(std::size_t i) const { return Piece(2 * i + 1); }
    // Pairs beyond kMaxRules, not kept.
    std::int32_t Dropped() const { return dropped_; }

    // Keeps the pair, cut to the bounds, or counts it once kMaxRules are kept.
    void Add(std::u16string_view key, std::u16string_view value);

  private:
    std::u16string_view Piece(std::size_t i) const;

    // Keys and values one after another, and where each ends.
    std::u16string text_;
    std::vector<std::uint16_t> ends_;
    std::int32_t dropped_ = 0;
};

// The info line of an answer (its second line) as the parser reads it: at
// most 2047 bytes, up to its first zero byte; empty when there is none.
std::string InfoLineOf(std::span<const std::uint8_t> answer);

// The rules of an info line, paired as the browser pairs the info string (a
// key without a value ends it) and converted as it converts text.
ServerRules ReadInfoRules(std::span<const std::uint8_t> infoLine);

// The rules of one answer: those of its info line.
ServerRules ReadServerRules(std::span<const std::uint8_t> answer);

}  // namespace skelvane
