// Arbitrary bytes as a status answer whose rules skelvane-query keeps.

#include "browse/server_rules.h"
#include "fuzz/fuzz_check.h"

using skelvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const skelvane::ServerRules rules = skelvane::ReadServerRules({data, size});
    Require(rules.Count() <= skelvane::kMaxRules);
    Require(rules.Dropped() >= 0);
    std::size_t units = 0;
    for (std::size_t i = 0; i < rules.Count(); ++i) {
        Require(!rules.Key(i).empty() && !rules.Value(i).empty());
        Require(rules.Key(i).size() < skelvane::kRuleKeyCapacity);
        Require(rules.Value(i).size() < skelvane::kRuleValueCapacity);
        units += rules.Key(i).size() + rules.Value(i).size();
    }
    Require(units <= 2047);
    return 0;
}
