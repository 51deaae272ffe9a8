#include "engine/info_string.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fresh_record.h"

namespace skelvane {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::unique_ptr<ServerRecord> Store(const std::string& info) {
    auto record = test::FreshRecord();
    StoreInfoValues(ReadInfoString(Bytes(info)), *record);
    return record;
}

TEST(InfoString, KeysMatchInAnyCaseAndLaterValuesWin) {
    const auto record =
        Store("\\SV_HOSTNAME\\first\\MapName\\q\\sv_hostname\\second\\unknown\\x\\gameName\\mod");
    EXPECT_EQ(std::u16string(record->hostName), u"second");
    EXPECT_EQ(std::u16string(record->mapName), u"q");
    EXPECT_EQ(std::u16string(record->gameName), u"mod");
}

TEST(InfoString, RunsOfBackslashesAreOneSeparator) {
    const auto record = Store("\\\\\\mapname\\\\\\m1\\\\version\\v\\\\");
    EXPECT_EQ(std::u16string(record->mapName), u"m1");
    EXPECT_EQ(std::u16string(record->version), u"v");
    const auto bare = Store("mapname\\m2");
    EXPECT_EQ(std::u16string(bare->mapName), u"m2") << "no backslash needed before the first key";
}

// An empty value joins its key to the next piece, and every pair after it
// stays shifted: the keys become values and the values keys.
TEST(InfoString, AnEmptyValueShiftsThePairingToTheEnd) {
    const auto record = Store("\\sv_hostname\\\\mapname\\m\\version\\gamename\\g");
    EXPECT_EQ(std::u16string(record->hostName), u"mapname");
    EXPECT_EQ(std::u16string(record->mapName), u"?");
    EXPECT_EQ(std::u16string(record->version), u"") << "\"version\" became the value of \"m\"";
    EXPECT_EQ(std::u16string(record->gameName), u"g") << "and \"gamename\" a key again";
}

TEST(InfoString, AKeyWithoutValueEndsTheString) {
    const auto record = Store("\\sv_maxclients\\8\\sv_pure");
    EXPECT_EQ(record->maxClients, 8);
    EXPECT_EQ(record->pure, 0);
}

TEST(InfoString, AbsentKeysGetTheirOwnValues) {
    auto record = test::FreshRecord();
    record->maxClients = 5;
    record->hostName[0] = u'x';
    StoreInfoValues(InfoValues{}, *record);
    EXPECT_EQ(std::u16string(record->hostName), u"?");
    EXPECT_EQ(std::u16string(record->mapName), u"?");
    EXPECT_EQ(std::u16string(record->version), u"");
    EXPECT_EQ(std::u16string(record->gameName), u"default");
    EXPECT_EQ(record->maxClients, 0);
    EXPECT_EQ(record->privateClients, 0);
    EXPECT_EQ(record->timeLimit, 0);
    EXPECT_EQ(record->pure, 0);
}

TEST(InfoString, ValuesAreConvertedAndCutToTheirField) {
    const auto record = Store(
        "\\sv_maxclients\\ 16 slots\\timelimit\\abc\\sv_privateclients\\-2"
        "\\gamename\\" +
        std::string(100, 'g') + "\\sv_hostname\\^1Caf\xE9 ^7\x80" + std::string(300, 'h') +
        "\\mapname\\^1m");
    EXPECT_EQ(record->maxClients, 16);
    EXPECT_EQ(record->timeLimit, 0);
    EXPECT_EQ(record->privateClients, -2);
    EXPECT_EQ(std::u16string(record->gameName), std::u16string(63, u'g'));
    const std::u16string host = record->hostName;
    EXPECT_EQ(host.substr(0, 6), u"Caf\u00e9 \u20ac") << "colour codes go after conversion";
    EXPECT_EQ(host.size(), 255u - 4u) << "cut to 255 first, then 4 units of colour codes go";
    EXPECT_EQ(std::u16string(record->mapName), u"^1m") << "only the host name loses its codes";
}

}  // namespace
}  // namespace skelvane
