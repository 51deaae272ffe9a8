#include "cli/query_inputs.h"

#include <gtest/gtest.h>

#include "tests/cli/query_runner.h"

namespace skelvane {
namespace {

TEST(BuddiesFile, NamesFromArgumentsAndFilesInEitherEncoding) {
    const test::TempFile file("\xEF\xBB\xBF Ann\r\nJ\xC3\xB6rg\r\n\r\n");
    const test::TempFile windows1252("M\xFCller\rZo\xEB");
    QueryOptions options;
    options.buddyNames = {"Bob", "Caf\xC3\xA9"};
    options.buddyFiles = {file.path(), windows1252.path()};
    const auto inputs = LoadQueryInputs(options);
    ASSERT_TRUE(inputs && inputs->buddies) << inputs.Why();
    std::vector<std::u16string> names;
    for (std::int32_t i = 0; i < inputs->buddies->buddyCount; ++i) {
        names.emplace_back(inputs->buddies->buddyNames[static_cast<std::size_t>(i)].text);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Bob", u"Caf\u00e9", u" Ann", u"J\u00f6rg",
                                                  u"M\u00fcller", u"Zo\u00eb"}));

    options.buddyFiles.push_back(file.path() + ".missing");
    const auto missing = LoadQueryInputs(options);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.Why().find("cannot read"), std::string::npos) << missing.Why();
}

}  // namespace
}  // namespace skelvane
