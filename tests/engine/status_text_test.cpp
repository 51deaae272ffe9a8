#include "engine/status_text.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/refresh_engine.h"

namespace skelvane {
namespace {

std::u16string Format(const char16_t* format, std::initializer_list<TextArg> args) {
    char16_t out[kStatusTextCapacity];
    FormatText(out, format, args);
    return out;
}

TEST(StatusText, FormatsEachConversionWithItsKindOfArgument) {
    EXPECT_EQ(Format(u"Querying %S:%d...", {"127.0.0.1", 27960}), u"Querying 127.0.0.1:27960...");
    EXPECT_EQ(Format(u"%s. %d of %d servers responded.", {u"Aborted", 0, -5}),
              u"Aborted. 0 of -5 servers responded.");
    EXPECT_EQ(Format(u"%d", {INT32_MIN}), u"-2147483648");
    EXPECT_EQ(Format(u"100%% %d", {1}), u"100% 1");
    // A missing or mismatched argument renders nothing rather than reading garbage.
    EXPECT_EQ(Format(u"[%s][%d][%S]", {7}), u"[][][]");
    EXPECT_EQ(Format(u"trailing %", {}), u"trailing %");
}

TEST(StatusText, LongTextsAreCutTo1023Characters) {
    const std::u16string longName(2000, u'x');
    const std::u16string shown = Format(u"Found %d player%s on '%s'", {3, u"s", longName.c_str()});
    ASSERT_EQ(shown.size(), 1023u);
    EXPECT_EQ(shown.substr(0, 20), u"Found 3 players on '");
}

TEST(StatusText, ACopyStaysWithinItsCapacityAndIsTerminated) {
    const struct {
        int capacity;
        std::u16string copied;
    } cases[] = {{0, u"#"}, {1, u""}, {4, u"Red"}, {11, u"Red Server"}, {20, u"Red Server"}};
    for (const auto& c : cases) {
        std::u16string out(static_cast<std::size_t>(c.capacity) + 1, u'#');
        CopyText(out.data(), c.capacity, u"Red Server");
        EXPECT_EQ(out.c_str(), c.copied) << c.capacity;
        EXPECT_EQ(out.back(), u'#') << c.capacity << ": wrote past the capacity";
    }
}

TEST(StatusText, CountsUseThePluralExceptForOne) {
    char16_t out[kCountTextCapacity];
    FormatCountText(out, 1, u"Player");
    EXPECT_EQ(std::u16string(out), u"1 Player");
    FormatCountText(out, 0, u"Player");
    EXPECT_EQ(std::u16string(out), u"0 Players");
    FormatCountText(out, 2, u"Server");
    EXPECT_EQ(std::u16string(out), u"2 Servers");
    FormatCountText(out, -1, u"Server");
    EXPECT_EQ(std::u16string(out), u"-1 Servers");
}

TEST(StatusText, ReportWithoutAFrontEndOfItsOwnIsHarmless) {
    RefreshState engine;
    ReportStatus(*engine.frontEnd, u"Querying servers...");
}

}  // namespace
}  // namespace skelvane
