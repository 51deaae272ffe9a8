#include "engine/status_parser.h"

namespace skelvane {

void ParseStatusAnswer(std::span<const std::uint8_t>, ServerRecord& record, std::uint32_t now) {
    record.responded = 1;
    record.ping = now - record.sendTime;
}

}  // namespace skelvane
