#include "browse/server_rules.h"

#include "engine/byte_cursor.h"
#include "engine/info_string.h"
#include "engine/packet_line.h"
#include "platform/ansi_text.h"

namespace skelvane {

namespace {

template <int Capacity>
std::u16string_view Converted(std::span<const std::uint8_t> bytes, char16_t (&out)[Capacity]) {
    const int units = AnsiToUtf16(bytes, out, Capacity);
    return std::u16string_view(out, static_cast<std::size_t>(units));
}

}  // namespace

void ServerRules::Add(std::u16string_view key, std::u16string_view value) {
    if (Count() >= kMaxRules) {
        ++dropped_;
        return;
    }
    text_ += key.substr(0, kRuleKeyCapacity - 1);
    ends_.push_back(static_cast<std::uint16_t>(text_.size()));
    text_ += value.substr(0, kRuleValueCapacity - 1);
    ends_.push_back(static_cast<std::uint16_t>(text_.size()));
}

std::u16string_view ServerRules::Piece(std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::u16string_view(text_).substr(start, ends_[i] - start);
}

std::string InfoLineOf(std::span<const std::uint8_t> answer) {
    ByteCursor cursor(answer);
    ReadPacketLine(cursor);
    const std::optional<PacketLine> info = ReadPacketLine(cursor);
    if (!info) {
        return {};
    }
    const std::span<const std::uint8_t> text = info->Text();
    return std::string(text.begin(), text.end());
}

ServerRules ReadInfoRules(std::span<const std::uint8_t> infoLine) {
    ServerRules rules;
    InfoPieces pieces(infoLine);
    while (const auto key = pieces.Next()) {
        const auto value = pieces.Next();
        if (!value) {
            break;
        }
        char16_t keyText[kRuleKeyCapacity];
        char16_t valueText[kRuleValueCapacity];
        rules.Add(Converted(*key, keyText), Converted(*value, valueText));
    }
    return rules;
}

ServerRules ReadServerRules(std::span<const std::uint8_t> answer) {
    const std::string info = InfoLineOf(answer);
    return ReadInfoRules({reinterpret_cast<const std::uint8_t*>(info.data()), info.size()});
}

}  // namespace skelvane
