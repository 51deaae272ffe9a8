#include "cli/servers_file.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ServersFile, OneServerALineAndABadLineNamedByNumber) {
    const auto servers = ParseServersFile("# mine\n\n  alpha.example:27000 \r\n127.0.0.1\nbeta\t\n",
                                          "list.txt", 30720);
    ASSERT_TRUE(servers) << servers.Why();
    ASSERT_EQ(servers->size(), 3u);
    const struct {
        const char* host;
        std::uint16_t port;
        const char* origin;
    } expected[] = {{"alpha.example", 27000, "list.txt:3"},
                    {"127.0.0.1", 30720, "list.txt:4"},
                    {"beta", 30720, "list.txt:5"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*servers)[i].server.host, expected[i].host);
        EXPECT_EQ((*servers)[i].server.port, expected[i].port);
        EXPECT_EQ((*servers)[i].origin, expected[i].origin);
    }

    for (const char* bad : {"host:0", "host:70000", "a b", "host:12x", ":5", "h:1:2", "\x1b[2J"}) {
        const auto refused = ParseServersFile(std::string("ok\n\n") + bad + "\n", "list.txt", 1);
        EXPECT_FALSE(refused);
        EXPECT_EQ(refused.Why().rfind("list.txt:3: ", 0), 0u) << refused.Why();
        EXPECT_EQ(refused.Why().find('\x1b'), std::string::npos)
            << "file bytes are quoted printably";
    }
}

}  // namespace
}  // namespace skelvane
