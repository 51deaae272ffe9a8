#include "engine/ascii_text.h"

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::int32_t Decimal(const std::string& text) {
    return ReadDecimal(Bytes(text));
}

TEST(AsciiText, DecimalsStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(Decimal("16"), 16);
    EXPECT_EQ(Decimal(" \t\n\v\f\r-12abc"), -12);
    EXPECT_EQ(Decimal("+7"), 7);
    EXPECT_EQ(Decimal("0x10"), 0);
    EXPECT_EQ(Decimal("3 4"), 3);
    EXPECT_EQ(Decimal("- 5"), 0) << "white space only before the sign";
    EXPECT_EQ(Decimal("--5"), 0);
    EXPECT_EQ(Decimal(""), 0);
    EXPECT_EQ(Decimal("abc"), 0);
    EXPECT_EQ(Decimal("\xA0"
                      "5"),
              0)
        << "no white space beyond ASCII";
}

TEST(AsciiText, DecimalsBeyond32BitsEndAtTheLimit) {
    EXPECT_EQ(Decimal("2147483647"), INT32_MAX);
    EXPECT_EQ(Decimal("2147483648"), INT32_MAX);
    EXPECT_EQ(Decimal("-2147483648"), INT32_MIN);
    EXPECT_EQ(Decimal("-2147483649"), INT32_MIN);
    EXPECT_EQ(Decimal(std::string(5000, '9')), INT32_MAX);
    EXPECT_EQ(Decimal("-" + std::string(5000, '9')), INT32_MIN);
    EXPECT_EQ(Decimal(std::string(40, '0') + "42"), 42);
}

TEST(AsciiText, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase(Bytes("SV_HostName"), "sv_hostname"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(Bytes("sv_hostnam"), "sv_hostname"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(Bytes("sv_hostnamex"), "sv_hostname"));
    // 0xC9 and 0xE9 are one letter in two cases in the ANSI code page, but
    // only A to Z are folded.
    EXPECT_FALSE(EqualsIgnoringAsciiCase(Bytes("\xC9"), "\xE9"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase(Bytes("@"), "`")) << "no fold outside A to Z";
}

}  // namespace
}  // namespace skelvane
