#include <gtest/gtest.h>

#include <string>

#include "launch/game_command.h"

namespace skelvane {
namespace {

TEST(GameCommand, QuotesThePathAndTheServerAfterPlusConnect) {
    struct Case {
        std::u16string directory;
        std::u16string expected;
    };
    const Case cases[] = {
        // A found or configured directory ends with a backslash: two in a row.
        {u"D:\\Games\\Skelvane\\",
         u"\"D:\\Games\\Skelvane\\\\skelvane.exe\" +connect \"10.0.0.7:30710\""},
        {u"D:\\Games", u"\"D:\\Games\\skelvane.exe\" +connect \"10.0.0.7:30710\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GameCommandLine(c.directory, u"skelvane.exe", u"10.0.0.7:30710"), c.expected);
    }
    // Both settings at their limit: the whole path, and a command line that is
    // not cut; anything longer stops at 1023 characters.
    const std::u16string longest(259, u'x');
    EXPECT_EQ(GameExecutablePath(longest, longest).size(), 519u);
    EXPECT_EQ(GameCommandLine(longest, longest, u"255.255.255.255:65535").size(), 554u);
    EXPECT_EQ(GameCommandLine(std::u16string(1000, u'x'), longest, u"1.2.3.4:5").size(), 1023u);
}

}  // namespace
}  // namespace skelvane
