#include "settings/browser_options.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(BrowserOptions, TakesTheMasterAddressAndLeavesEverythingElseAlone) {
    struct Case {
        std::vector<std::wstring> args;
        std::string host;
        std::uint16_t port;
    };
    const Case cases[] = {
        {{}, kDefaultMasterHost, kMasterPort},
        {{L"--master", L"127.0.0.1:27950"}, "127.0.0.1", 27950},
        {{L"--master", L"127.0.0.2"}, "127.0.0.2", kMasterPort},
        // Whatever a shortcut or launcher adds is not the browser's business.
        {{L"--verbose", L"127.0.0.1", L"/x"}, kDefaultMasterHost, kMasterPort},
        {{L"-connect", L"--master", L"127.0.0.3:1", L"+set"}, "127.0.0.3", 1},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseBrowserOptions(c.args);
        ASSERT_TRUE(parsed.options) << c.args.size();
        EXPECT_EQ(parsed.options->master.hostName, c.host);
        EXPECT_EQ(parsed.options->master.port, c.port);
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
