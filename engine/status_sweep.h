#pragma once

#include <array>
#include <cstdint>

#include "engine/refresh_engine.h"

namespace skelvane {

// The getstatus request every server is sent.
inline constexpr std::size_t kStatusQuerySize = 15;
inline constexpr std::uint8_t kStatusQuery[kStatusQuerySize] = {
    0xFF, 0xFF, 0xFF, 0xFF, 'g', 'e', 't', 's', 't', 'a', 't', 'u', 's', 0x0A, 0x00};

struct SweepSummary {
    SweepOutcome outcome = SweepOutcome::kSetupFailed;
    std::int32_t responded = 0;
    std::int32_t listed = 0;
};

// The milliseconds between two queries for a rate: 1000 / rate, truncated.
// A rate below 1 paces at the default rate.
std::uint32_t PacingIntervalMs(std::int32_t packetsPerSecond);

// Queries every server of the table that has not answered, in up to the
// configured number of passes, while a receiver thread takes in the answers.
// Shows the "... servers responded." summary unless it could not set up its
// events, socket or receiver thread; it then sends nothing and shows nothing.
SweepSummary StatusSweep(RefreshState& engine);

}  // namespace skelvane
