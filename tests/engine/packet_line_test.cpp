#include "engine/packet_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skelvane {
namespace {

std::vector<std::string> Lines(const std::string& datagram) {
    ByteCursor cursor({reinterpret_cast<const std::uint8_t*>(datagram.data()), datagram.size()});
    std::vector<std::string> lines;
    while (const auto line = ReadPacketLine(cursor)) {
        EXPECT_LE(line->length, kLineTextCapacity);
        EXPECT_EQ(line->bytes[line->length], 0);
        const auto text = line->Text();
        lines.emplace_back(text.begin(), text.end());
        if (lines.size() > datagram.size() + 1) {
            ADD_FAILURE() << "the reader never ends";
            break;
        }
    }
    return lines;
}

using Texts = std::vector<std::string>;

TEST(PacketLine, LinesEndAtLineFeedsAndTheRemainderIsTheLast) {
    EXPECT_EQ(Lines(""), Texts{});
    EXPECT_EQ(Lines("\n"), Texts{""});
    EXPECT_EQ(Lines("a\n\nb\r\n"), (Texts{"a", "", "b\r"}));
    EXPECT_EQ(Lines("a\nrest"), (Texts{"a", "rest"}));
    EXPECT_EQ(Lines("no line feed"), Texts{"no line feed"});
}

TEST(PacketLine, TextEndsAtTheFirstZeroByte) {
    EXPECT_EQ(Lines(std::string("ab\0cd\nef", 8)), (Texts{"ab", "ef"}));
    EXPECT_EQ(Lines(std::string("\0\n", 2)), Texts{""});
}

TEST(PacketLine, LongLinesKeepTheir2047FirstBytes) {
    const std::string exact(2047, 'e');
    const std::string longer = std::string(2047, 'l') + "tail";
    EXPECT_EQ(Lines(exact + "\n" + longer + "\nnext"),
              (Texts{exact, longer.substr(0, 2047), "next"}));
    EXPECT_EQ(Lines(longer), Texts{longer.substr(0, 2047)}) << "also without a line feed";
}

}  // namespace
}  // namespace skelvane
