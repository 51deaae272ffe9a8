// The window's text conversion: UTF-8 names decoded, everything else through
// the system's ANSI code page exactly as the system converter does it.

#include "platform/ansi_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

std::u16string Convert(const std::string& bytes) {
    char16_t out[64];
    AnsiToUtf16({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, out, 64);
    return out;
}

std::u16string SystemConversion(const std::string& bytes) {
    wchar_t out[64] = {};
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out, 63);
    return reinterpret_cast<const char16_t*>(out);
}

TEST(AnsiText, Utf8NamesAreDecodedAndCodePageNamesStayAsTheSystemConvertsThem) {
    EXPECT_EQ(Convert("Caf\xC3\xA9 \xE2\x82\xAC\xF0\x9F\x98\x80"), u"Caf\u00e9 \u20ac\U0001F600");
    for (const std::string codePage : {"Caf\xE9", "\x93Quoted\x94 \x80", "\xC3\xA9\xE9", "abc"}) {
        EXPECT_EQ(Convert(codePage), SystemConversion(codePage)) << codePage;
    }
    if (GetACP() == 1252) {
        EXPECT_EQ(Convert("Caf\xE9 \x80"), u"Caf\u00e9 \u20ac");
    }
}

}  // namespace
}  // namespace skelvane
