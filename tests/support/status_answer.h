#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/server_table.h"

namespace skelvane::test {

// Builds a status answer one piece at a time: the header line, then the info
// string, then any further lines, each ended by a line feed.
class StatusAnswer {
  public:
    StatusAnswer& Info(const std::string& key, const std::string& value) {
        info_ += "\\" + key + "\\" + value;
        return *this;
    }
    StatusAnswer& InfoText(const std::string& text) {
        info_ += text;
        return *this;
    }
    StatusAnswer& Player(int score, int ping, const std::string& name) {
        return Line(std::to_string(score) + " " + std::to_string(ping) + " \"" + name + "\"");
    }
    StatusAnswer& Line(const std::string& text) {
        lines_ += text + "\n";
        return *this;
    }
    // Bytes after the last line feed.
    StatusAnswer& Tail(const std::string& text) {
        tail_ = text;
        return *this;
    }

    std::string Text() const {
        return "\xFF\xFF\xFF\xFFstatusResponse\n" + info_ + "\n" + lines_ + tail_;
    }
    std::vector<std::uint8_t> Build() const {
        const std::string text = Text();
        return {text.begin(), text.end()};
    }

  private:
    std::string info_;
    std::string lines_;
    std::string tail_;
};

// A record as the receiver hands it over: all zero, queried at `sendTime`.
inline std::unique_ptr<ServerRecord> FreshRecord(std::uint32_t sendTime = 1000) {
    auto record = std::make_unique<ServerRecord>();
    record->sendTime = sendTime;
    return record;
}

}  // namespace skelvane::test
