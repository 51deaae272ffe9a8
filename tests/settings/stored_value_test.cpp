#include "settings/stored_value.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::Bytes;
using test::Utf16Bytes;

StoredValue Text(const std::u16string& unitsIncludingAnyTerminator) {
    return {StoredType::kText, Utf16Bytes(unitsIncludingAnyTerminator)};
}

// Tables of cases build their values through this: GCC 12 at -O3 takes the
// clean-up of a vector braced in place inside a table for a read of an
// uninitialised one.
StoredValue Typed(StoredType type, Bytes bytes) {
    return {type, std::move(bytes)};
}

// Numbers are four bytes of a number or binary type; "Version" takes one to
// four bytes of any type.
TEST(StoredValue, NumbersAreFourBytesOfANumberOrBinaryTypeAndTheVersionAnyFourAtMost) {
    const struct {
        StoredValue value;
        std::optional<std::int32_t> number;
        std::int32_t version;
    } cases[] = {
        {{StoredType::kNumber, {0x2A, 0, 0, 0}}, 42, 42},
        {{StoredType::kBinary, {0x00, 0x40, 0, 0}}, 0x4000, 0x4000},
        {{StoredType::kNumber, {0xFF, 0xFF, 0xFF, 0xFF}}, -1, -1},
        {{StoredType::kNumber, {0x2A, 0}}, std::nullopt, 42},
        {{StoredType::kNumber, {1, 0, 0, 0, 0, 0, 0, 0}}, std::nullopt, 1},
        {{StoredType::kNumber, {}}, std::nullopt, 1},
        {Text(std::u16string(u"2\0", 2)), std::nullopt, '2'},
        {{StoredType::kNone, {3, 0, 0, 0}}, std::nullopt, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredNumber(c.value), c.number) << c.value.bytes.size() << " bytes";
        EXPECT_EQ(StoredFormatVersion(c.value), c.version) << c.value.bytes.size() << " bytes";
    }
    EXPECT_EQ(StoredFormatVersion(std::nullopt), 1);
}

// A path member of 8 characters so that the limits are easy to see; the
// guard after it must never change.
struct PathMember {
    char16_t member[8];
    char16_t guard[4] = {u'G', u'G', u'G', u'\0'};
};

TEST(StoredValue, ATextIsTakenOnlyWhenItFitsItsMemberWithTerminator) {
    const std::u16string kept = u"kept";
    const struct {
        StoredValue value;
        std::u16string result;
    } cases[] = {
        {Text(std::u16string(u"C:\\Game\0", 8)), u"C:\\Game"},
        {Text(u"C:\\Game"), u"C:\\Game"},  // stored without terminator
        {Text(std::u16string(u"abcdefgh\0", 9)), kept},
        {Text(u"abcdefgh"), kept},
        {Text(std::u16string(u"ab\0cdefghijkl", 13)), u"ab"},
        {Text(std::u16string(u"x\0\0\0\0\0\0\0\0\0\0", 11)), u"x"},
        {Typed(StoredType::kText, {'d', 0, 'i', 0, 'r'}), u"di"},  // odd trailing byte
        {Typed(StoredType::kExpandableText, Utf16Bytes(u"%D%")), u"%D%"},
        {Typed(StoredType::kNumber, {'a', 0, 0, 0}), u"a"},  // any type is read as text
        {Typed(StoredType::kTextLines, Utf16Bytes(std::u16string(u"m\0n\0", 4))), u"m"},
        {Text(u""), u""},
    };
    for (const auto& c : cases) {
        PathMember path{};
        kept.copy(path.member, 7);
        path.member[6] = u'!';  // must be cleared when a text is taken
        const bool taken = TakeStoredText(c.value, path.member);
        EXPECT_EQ(taken, c.result != kept);
        const std::u16string expected = taken ? c.result : std::u16string(u"kept\0\0!", 7);
        EXPECT_EQ(std::u16string(path.member, 7),
                  expected + std::u16string(7 - expected.size(), 0));
        EXPECT_EQ(path.member[7], u'\0');
        EXPECT_EQ(std::u16string(path.guard), u"GGG");
    }
}

TEST(StoredValue, TheBuddyTextFollowsTheFormatVersion) {
    const StoredValue ansi{StoredType::kText, {'A', 'l', 0xE9, '\r', '\n', 'B', 0, 'x'}};
    EXPECT_EQ(StoredBuddyText(&ansi, 1), u"Al\u00e9\r\nB") << "version 1 ends at a zero byte";
    const StoredValue utf16 = Text(std::u16string(u"Al\u00e9\r\n\u0411\0x", 8));
    for (const std::int32_t version : {2, 0, 3, -1}) {
        EXPECT_EQ(StoredBuddyText(&utf16, version), u"Al\u00e9\r\n\u0411") << version;
    }
    EXPECT_EQ(StoredBuddyText(&utf16, 1), u"A") << "UTF-16 read as 8-bit text stops at once";
    const StoredValue long16 = Text(std::u16string(100000, u'n'));
    EXPECT_EQ(StoredBuddyText(&long16, 2).size(), 100000u) << "unterminated: every character";
    EXPECT_EQ(StoredBuddyText(nullptr, 2), u"");
    const StoredValue number{StoredType::kNumber, {'B', 0, 'o', 0}};
    EXPECT_EQ(StoredBuddyText(&number, 2), u"Bo") << "any type is read as text";
    EXPECT_EQ(TextValue(u"").bytes, (Bytes{0, 0})) << "an empty list is stored as two bytes";
}

Bytes Placement(std::int32_t length, std::int32_t left, std::int32_t top, std::int32_t right,
                std::int32_t bottom) {
    const std::int32_t fields[11] = {length, 0,    3,   -1,    -1,    -32000,
                                     -32000, left, top, right, bottom};
    Bytes bytes;
    for (const std::int32_t field : fields) {
        const Bytes four = NumberValue(field).bytes;
        bytes.insert(bytes.end(), four.begin(), four.end());
    }
    return bytes;
}

TEST(StoredValue, APlacementNeedsItsSizeLengthAndAUsableRectangle) {
    const Bytes good = Placement(44, -1200, 10, 400, 500);
    ASSERT_TRUE(StoredWindowPlacement({StoredType::kBinary, good}));
    EXPECT_TRUE(std::equal(good.begin(), good.end(),
                           StoredWindowPlacement({StoredType::kBinary, good})->bytes.begin()));
    const Bytes bad[] = {
        Placement(40, 0, 0, 400, 500),       Placement(44, 400, 0, 0, 500),
        Placement(44, 0, 500, 400, 500),     Placement(44, 400, 0, 400, 500),
        Placement(44, 0, 0, 70000, 500),     Placement(44, INT32_MIN, 0, 4, 5),
        Bytes(good.begin(), good.end() - 1),
    };
    for (const Bytes& bytes : bad) {
        EXPECT_FALSE(StoredWindowPlacement({StoredType::kBinary, bytes}));
    }
}

}  // namespace
}  // namespace skelvane
