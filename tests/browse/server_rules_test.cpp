#include "browse/server_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace skelvane {
namespace {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

ServerRules Read(const std::string& answer) {
    return ReadServerRules({reinterpret_cast<const std::uint8_t*>(answer.data()), answer.size()});
}

Pairs PairsOf(const ServerRules& rules) {
    Pairs pairs;
    for (std::size_t i = 0; i < rules.Count(); ++i) {
        pairs.emplace_back(rules.Key(i), rules.Value(i));
    }
    return pairs;
}

TEST(ServerRules, EveryPairInOrderAsTheBrowserPairsThem) {
    const struct {
        std::string answer;
        Pairs pairs;
    } cases[] = {
        {"hdr\n\\a\\1\\b\\2\n3 4 \"p\"\n", {{u"a", u"1"}, {u"b", u"2"}}},
        {"hdr\n\\a\\1\\a\\2", {{u"a", u"1"}, {u"a", u"2"}}},
        {"hdr\n\\a\\\\b\\2\\c\n", {{u"a", u"b"}, {u"2", u"c"}}},
        {"hdr\n\\\\a\\\\\\1\\b\n", {{u"a", u"1"}}},
        {"hdr\n\\caf\xC3\xA9\\\xE9t\xE9\n", {{u"caf\u00e9", u"\u00e9t\u00e9"}}},
        {"hdr\n\\a\\x\0y\\b\\z", {{u"a", u"x"}}},
        {"hdr only", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PairsOf(Read(c.answer)), c.pairs) << c.answer;
    }
}

TEST(ServerRules, KeysValuesPairsAndTheLineAreBounded) {
    const std::string longKey(100, 'k');
    const std::string longValue(300, 'v');
    const ServerRules cut = Read("hdr\n\\" + longKey + "\\" + longValue + "\n");
    ASSERT_EQ(cut.Count(), 1u);
    EXPECT_EQ(cut.Key(0), std::u16string(kRuleKeyCapacity - 1, u'k'));
    EXPECT_EQ(cut.Value(0), std::u16string(kRuleValueCapacity - 1, u'v'));

    std::string many = "hdr\n";
    for (int i = 0; i < 100; ++i) {
        many += "\\k" + std::to_string(i) + "\\v";
    }
    const ServerRules kept = Read(many);
    EXPECT_EQ(kept.Count(), kMaxRules);
    EXPECT_EQ(kept.Dropped(), 100 - static_cast<std::int32_t>(kMaxRules));
    EXPECT_EQ(kept.Key(kMaxRules - 1), u"k63");

    // The info line is read as far as the browser reads it: 2047 bytes.
    const std::string filler(2037, 'f');
    const ServerRules line = Read("hdr\n\\a\\" + filler + "\\b\\c\\d\\e\n");
    EXPECT_EQ(PairsOf(line),
              (Pairs{{u"a", std::u16string(kRuleValueCapacity - 1, u'f')}, {u"b", u"c"}}));
}

}  // namespace
}  // namespace skelvane
