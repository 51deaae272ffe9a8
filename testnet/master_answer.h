#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/udp_socket.h"
#include "testnet/datagram.h"

namespace skelvane {

// Ways to spoil the master's answer; any number of them at once.
struct MasterMalformations {
    // A datagram of a few header bytes, sent before the others.
    bool shortDatagram = false;
    // Every datagram ends in a 3-byte piece of an entry, and no end marker is sent.
    bool raggedLength = false;
    // Every second entry of each datagram lacks its backslash.
    bool missingSeparator = false;
    // Bytes at the end of the last datagram, after its end marker if it has one.
    bool trailingGarbage = false;
};

// Their names on the command line: "short", "ragged", "no-separator", "trailing-garbage",
// separated by commas. Nothing for an unknown name.
std::optional<MasterMalformations> ParseMasterMalformations(std::string_view names);

struct MasterAnswerShape {
    std::size_t entriesPerDatagram = 100;
    // Every server is listed twice: the list, then the list backwards, so that
    // repeats fall within one datagram and across datagrams.
    bool duplicates = false;
    MasterMalformations malformations;
};

// One datagram of a master's answer, built one piece at a time:
//
//   0         23                              23+7n          23+7n+6
//   +---------+--------+------+------+-- ... -+--------------+
//   | FF x4, "getserversResponse", "\" | addr 4 | port 2 | "\" | ... | "EOT" 00 00 00 |
//   +---------+--------+------+------+-- ... -+--------------+
//
// Address and port in network byte order; the end marker in the last datagram
// only. Many deployed masters put the backslash before each entry and before
// the end marker instead, with none after the header.
class MasterDatagram {
  public:
    enum class Separators { kAfterEachEntry, kBeforeEachEntry };

    explicit MasterDatagram(Separators separators = Separators::kAfterEachEntry);
    // `separator` false leaves the entry's backslash out.
    MasterDatagram& Entry(const Ipv4Endpoint& server, bool separator = true);
    // The server a.b.c.d:port.
    MasterDatagram& Entry(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d,
                          std::uint16_t port, bool separator = true);
    MasterDatagram& EndMarker();
    MasterDatagram& Raw(const Datagram& bytes);
    Datagram Build() const { return bytes_; }

  private:
    Separators separators_;
    Datagram bytes_;
};

// The datagrams that answer one getservers request. An empty list is one
// datagram of the header and the end marker.
std::vector<Datagram> BuildMasterAnswer(std::span<const Ipv4Endpoint> servers,
                                        const MasterAnswerShape& shape);

}  // namespace skelvane
