#include "settings/browser_options.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(BrowserOptions, TakesEachMasterAddressAndLeavesEverythingElseAlone) {
    struct Case {
        std::vector<std::wstring> args;
        std::vector<std::pair<std::string, std::uint16_t>> masters;
    };
    const Case cases[] = {
        {{}, {}},
        {{L"--master", L"127.0.0.1:27950"}, {{"127.0.0.1", 27950}}},
        {{L"--master", L"127.0.0.2"}, {{"127.0.0.2", kMasterPort}}},
        // Whatever a shortcut or launcher adds is not the browser's business.
        {{L"--verbose", L"127.0.0.1", L"/x"}, {}},
        {{L"-connect", L"--master", L"127.0.0.3:1", L"+set", L"--master", L"m.example"},
         {{"127.0.0.3", 1}, {"m.example", kMasterPort}}},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseBrowserOptions(c.args);
        ASSERT_TRUE(parsed.options) << c.args.size();
        std::vector<std::pair<std::string, std::uint16_t>> masters;
        for (const MasterServer& master : parsed.options->masters) {
            masters.emplace_back(master.hostName, master.port);
        }
        EXPECT_EQ(masters, c.masters) << c.args.size();
    }
}

TEST(BrowserOptions, RefusesAMasterWithoutAUsableAddressWithAReason) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"--master"},
        {L"--master", L""},
        {L"--master", L"127.0.0.1:0"},
        {L"--master", L"h:70000"},
        {L"--master", L"h\u00e9st"},
        {L"--other", L"--master", L"h:x"},
    };
    for (const auto& args : bad) {
        const auto parsed = ParseBrowserOptions(args);
        EXPECT_FALSE(parsed.options) << args.size();
        EXPECT_FALSE(parsed.error.empty());
    }
}

}  // namespace
}  // namespace skelvane
