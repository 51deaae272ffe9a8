#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace skelvane {

// A read position over received bytes. Every read checks what is left; a read
// that does not fit fails and leaves the position where it was.
class ByteCursor {
  public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    std::span<const std::uint8_t> Rest() const { return bytes_.subspan(position_); }

    bool StartsWith(std::span<const std::uint8_t> expected) const {
        if (expected.size() > Remaining()) {
            return false;
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (bytes_[position_ + i] != expected[i]) {
                return false;
            }
        }
        return true;
    }

    std::optional<std::uint8_t> Peek() const {
        if (Remaining() == 0) {
            return std::nullopt;
        }
        return bytes_[position_];
    }

    bool Skip(std::size_t count) {
        if (count > Remaining()) {
            return false;
        }
        position_ += count;
        return true;
    }

    // Four bytes exactly as they stand, in memory order (an address in network order).
    std::optional<std::uint32_t> ReadRaw32() {
        if (Remaining() < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        auto* out = reinterpret_cast<std::uint8_t*>(&value);
        for (int i = 0; i < 4; ++i) {
            out[i] = bytes_[position_ + i];
        }
        position_ += 4;
        return value;
    }

    // A big-endian (network order) 16-bit value, in host order.
    std::optional<std::uint16_t> ReadBigEndian16() {
        if (Remaining() < 2) {
            return std::nullopt;
        }
        const auto value =
            static_cast<std::uint16_t>((bytes_[position_] << 8) | bytes_[position_ + 1]);
        position_ += 2;
        return value;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace skelvane
