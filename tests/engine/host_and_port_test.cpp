#include "engine/host_and_port.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(HostAndPort, TakesAHostWithOrWithoutAPort) {
    const auto plain = ParseHostAndPort("127.0.0.1", 30710);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->host, "127.0.0.1");
    EXPECT_EQ(plain->port, 30710);
    const auto withPort = ParseHostAndPort("master-2.example_net:65535", 30710);
    ASSERT_TRUE(withPort);
    EXPECT_EQ(withPort->host, "master-2.example_net");
    EXPECT_EQ(withPort->port, 65535);
}

TEST(HostAndPort, RefusesWhatCouldNotBeAMasterAddress) {
    for (const char* bad : {"", ":30710", "host:", "host:0", "host:65536", "host:12x", "host:1:2",
                            "host name", "host/x", "127.0.0.1:99999999999"}) {
        EXPECT_FALSE(ParseHostAndPort(bad, 30710)) << bad;
    }
}

TEST(HostAndPort, WholeNumbersAreDigitsOnlyWithinTheirRange) {
    EXPECT_EQ(ParseWholeNumber("2147483647", 1, INT32_MAX), std::uint64_t{INT32_MAX});
    EXPECT_FALSE(ParseWholeNumber("2147483648", 1, INT32_MAX));
    EXPECT_FALSE(ParseWholeNumber("-1", 0, 5));
    EXPECT_FALSE(ParseWholeNumber("+1", 0, 5));
    EXPECT_EQ(ParseWholeNumber("18446744073709551615", 0, UINT64_MAX), std::nullopt)
        << "twenty digits could overflow";
    EXPECT_EQ(ParseWholeNumber("9999999999999999999", 0, UINT64_MAX), 9999999999999999999u);
}

// Lists keep servers in exactly one form, so that a kept list is trusted only
// when it is what this program wrote.
TEST(HostAndPort, AServerOfAListIsReadOnlyInTheFormItIsWritten) {
    const auto server = ParseDottedEndpoint("10.0.255.1:27960");
    ASSERT_TRUE(server);
    EXPECT_EQ(DottedEndpoint(*server), "10.0.255.1:27960");
    EXPECT_EQ(DottedEndpoint(*ParseDottedEndpoint("0.0.0.0:1")), "0.0.0.0:1");
    for (const char* other :
         {"010.0.0.1:5", "10.0.0.1:05", "10.0.0.1:0", "10.0.0.256:5", "10.0.0:5", "10.0.0.1.2:5",
          " 10.0.0.1:5", "10.0.0.1:5 ", "10.0.0.1", "host:5", "10.0.0.1:65536", "+1.0.0.1:5"}) {
        EXPECT_FALSE(ParseDottedEndpoint(other)) << other;
    }
}

}  // namespace
}  // namespace skelvane
