#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lists/result.h"
#include "platform/udp_socket.h"
#include "testnet/answer_policy.h"
#include "testnet/network_plan.h"

namespace skelvane {

struct TestnetOptions {
    Mix mix = Mix::kDemo;
    // Nothing: the mix's count, or none when the master lists a file.
    std::optional<std::uint32_t> serverCount;
    std::uint64_t seed = 1;
    std::uint32_t serverAddress = LoopbackAddress();
    // Servers take turns over this many consecutive addresses.
    std::uint32_t spread = 1;
    // 0: the system picks a free port for each server; otherwise consecutive ports from here.
    std::uint16_t firstServerPort = 0;
    // Port 0: the system picks a free one.
    Ipv4Endpoint master{LoopbackAddress(), 30710};
    // When set, the master lists this file's servers instead of the generated ones.
    std::string masterEntriesFile;
    MasterBehaviour masterBehaviour;
    std::vector<KnobAssignment> assignments;
    // When set, the listing goes to this file and stdout carries only the master line.
    std::string listFile;
    bool help = false;

    std::uint32_t ServerCount() const;
};

// Reads the command line (without the program name).
Result<TestnetOptions> ParseTestnetOptions(const std::vector<std::string>& args);

// The full usage text, knobs included.
std::string TestnetUsage();

}  // namespace skelvane
