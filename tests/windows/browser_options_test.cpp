#include "app/browser_options.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(BrowserOptions, TakesNoArgumentsOrOneMasterAddress) {
    const auto none = ParseBrowserOptions({});
    ASSERT_TRUE(none.options);
    EXPECT_EQ(none.options->master.hostName, kDefaultMasterHost);
    EXPECT_EQ(none.options->master.port, kMasterPort);

    const auto local = ParseBrowserOptions({L"--master", L"127.0.0.1:27950"});
    ASSERT_TRUE(local.options);
    EXPECT_EQ(local.options->master.hostName, "127.0.0.1");
    EXPECT_EQ(local.options->master.port, 27950);

    const auto defaultPort = ParseBrowserOptions({L"--master", L"127.0.0.2"});
    ASSERT_TRUE(defaultPort.options);
    EXPECT_EQ(defaultPort.options->master.port, kMasterPort);
}

TEST(BrowserOptions, RefusesAnythingElseWithAReason) {
    const std::vector<std::vector<std::wstring>> bad = {
        {L"--master"},
        {L"--master", L""},
        {L"--master", L"127.0.0.1:0"},
        {L"--master", L"h:70000"},
        {L"--master", L"h\u00e9st"},
        {L"--verbose"},
        {L"127.0.0.1"},
    };
    for (const auto& args : bad) {
        const auto parsed = ParseBrowserOptions(args);
        EXPECT_FALSE(parsed.options) << args.size();
        EXPECT_FALSE(parsed.error.empty());
    }
}

}  // namespace
}  // namespace skelvane
