#include "lists/kept_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/host_and_port.h"
#include "lists/text_file.h"

namespace skelvane {
namespace {

class KeptList : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("skelvane-kept-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

std::vector<Ipv4Endpoint> Servers(std::size_t count) {
    std::vector<Ipv4Endpoint> servers;
    for (std::size_t i = 0; i < count; ++i) {
        servers.push_back(Ipv4Endpoint{LoopbackAddress(0, static_cast<std::uint8_t>(i / 250),
                                                       static_cast<std::uint8_t>(1 + i % 250)),
                                       static_cast<std::uint16_t>(27960 + i)});
    }
    return servers;
}

constexpr std::int64_t kSaved = 1733580000;

// The list kept is the list swept when no master answers, said so with the
// failure's own text, the list's size and its age; a list that is missing,
// damaged or empty is no list to sweep.
TEST_F(KeptList, IsSweptAfterTheFailureWithItsSizeAndAgeUnlessMissingDamagedOrEmpty) {
    const std::u16string failure = u"No response from master.skelvane.net.";
    const struct {
        const char* what;
        std::size_t servers;
        std::int64_t age;
        const char* damage;  // replaces the first "127" of the file
        std::u16string status;
    } cases[] = {
        {"many", 5120, 2 * 3600 + 59, nullptr,
         u"No response from master.skelvane.net. Querying the 5120 servers kept from 2 hours "
         u"ago..."},
        {"one", 1, 45, nullptr,
         u"No response from master.skelvane.net. Querying the 1 server kept from 45 seconds "
         u"ago..."},
        {"a clock set back", 2, -600, nullptr,
         u"No response from master.skelvane.net. Querying the 2 servers kept from 0 seconds "
         u"ago..."},
        {"empty", 0, 1, nullptr, u""},
        {"damaged", 3, 1, "128", u""},
        {"missing", 0, 0, "", u""},
    };
    for (const auto& c : cases) {
        const std::filesystem::path path = folder_ / "list.txt";
        std::filesystem::remove(path);
        const std::vector<Ipv4Endpoint> servers = Servers(c.servers);
        if (c.damage == nullptr || *c.damage != '\0') {
            ASSERT_TRUE(KeepList(path, servers, kSaved)) << c.what;
        }
        if (c.damage != nullptr && *c.damage != '\0') {
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(static_cast<std::streamoff>(std::string("# skelvane-query master list, "
                                                               "format 1\n# saved 1733580000\n")
                                                       .size()));
            file.write(c.damage, 3);
        }
        const auto fallback = KeptListFallback(path, failure, kSaved + c.age);
        ASSERT_EQ(fallback.has_value(), !c.status.empty()) << c.what;
        if (fallback) {
            EXPECT_EQ(fallback->servers, servers) << c.what;
            EXPECT_EQ(fallback->status, c.status) << c.what;
        }
    }
    const std::filesystem::path unreachable = folder_ / "missing" / "list.txt";
    EXPECT_EQ(KeepList(unreachable, Servers(1), kSaved).Why(),
              "cannot write " + PathText(unreachable));
}

}  // namespace
}  // namespace skelvane
