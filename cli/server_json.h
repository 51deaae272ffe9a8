#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "cli/server_report.h"

namespace skelvane {

// Every field of the given servers, with their players and the details asked
// for, as a JSON array.
void PrintServerJson(std::ostream& out, const ServerTable& table,
                     const std::vector<std::int32_t>& rows, const ReportDetails& details);

}  // namespace skelvane
