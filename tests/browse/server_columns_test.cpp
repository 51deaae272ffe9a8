#include "browse/server_columns.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/fresh_record.h"

namespace skelvane {
namespace {

std::int32_t Icon(const std::u16string& version) {
    return OsIconForVersion(version.c_str());
}

TEST(ServerColumns, OsIconTestsRunInOrderAndIgnoreAsciiCase) {
    EXPECT_EQ(Icon(u"1.32 linux-i386"), kImageOsLinux);
    EXPECT_EQ(Icon(u"build LINUX mingw"), kImageOsLinux) << "linux is looked for first";
    EXPECT_EQ(Icon(u"MinGW32"), kImageOsWindows);
    EXPECT_EQ(Icon(u"win-x86"), kImageOsWindows);
    EXPECT_EQ(Icon(u"MSVC"), kImageOsWindows);
    EXPECT_EQ(Icon(u"darwin-ppc"), kImageOsWindows) << "darwin contains win";
    EXPECT_EQ(Icon(u"FreeBSD 4"), kImageOsFreeBsd);
    EXPECT_EQ(Icon(u"macOSX"), kImageOsMac);
    EXPECT_EQ(Icon(u"PPC"), kImageOsMac);
    EXPECT_EQ(Icon(u""), kImageServer);
    EXPECT_EQ(Icon(u"w i n"), kImageServer);
    EXPECT_EQ(Icon(u"\u0130inux"), kImageServer) << "only A to Z are folded";
}

struct Server {
    std::unique_ptr<ServerRecord> record = test::FreshRecord();

    Server& Host(const std::u16string& name) {
        std::memcpy(record->hostName, name.c_str(), (name.size() + 1) * sizeof(char16_t));
        return *this;
    }
    Server& Players(std::int32_t count) {
        record->playerCount = count;
        return *this;
    }
    Server& Ping(std::uint32_t ping) {
        record->ping = ping;
        return *this;
    }
};

std::int32_t Compare(const Server& a, const Server& b, std::uint32_t order) {
    return CompareServers(*a.record, *b.record, order);
}

TEST(ServerColumns, TextColumnsSortAToZFoldingAsciiOnly) {
    const std::uint32_t byHost = 0;
    EXPECT_LT(Compare(Server().Host(u"alpha"), Server().Host(u"Beta"), byHost), 0);
    EXPECT_GT(Compare(Server().Host(u"alpha"), Server().Host(u"Beta"), byHost | SORT_REVERSED), 0);
    EXPECT_EQ(Compare(Server().Host(u"ALPHA"), Server().Host(u"alpha"), byHost), 0);
    EXPECT_LT(Compare(Server().Host(u"ab"), Server().Host(u"ABC"), byHost), 0) << "prefix first";
    EXPECT_GT(Compare(Server().Host(u"abc"), Server().Host(u"ab"), byHost), 0);
    // '_' lies between 'Z' and 'a': folding to lower case puts it before every
    // letter, which comparing first and folding after would not.
    EXPECT_LT(Compare(Server().Host(u"_x"), Server().Host(u"Zx"), byHost), 0);
    EXPECT_GT(Compare(Server().Host(u"\u00e9"), Server().Host(u"z"), byHost), 0);
}

TEST(ServerColumns, NumericColumnsUseTheirWeightAndSignedValues) {
    const std::uint32_t byPlayers = 4;
    const std::uint32_t byPing = 5;
    EXPECT_LT(Compare(Server().Players(9), Server().Players(2), byPlayers), 0) << "most first";
    EXPECT_GT(Compare(Server().Players(9), Server().Players(2), byPlayers | SORT_REVERSED), 0);
    EXPECT_EQ(Compare(Server().Players(3), Server().Players(3), byPlayers), 0);
    EXPECT_LT(Compare(Server().Ping(20), Server().Ping(300), byPing), 0) << "lowest first";
    EXPECT_LT(Compare(Server().Ping(0x80000000u), Server().Ping(5), byPing), 0)
        << "a ping is compared as a signed number";
    Server low;
    Server high;
    low.record->address = 0x0100007F;
    high.record->address = 0xFF00007F;
    EXPECT_EQ(Compare(low, high, 1), 0) << "the address column imposes no order";
    EXPECT_EQ(Compare(low, high, 1 | SORT_REVERSED), 0);
}

TEST(ServerColumns, AnOrderWithoutSuchAColumnComparesEveryPairEqual) {
    for (std::uint32_t order : {6u, 0x3FFFu, 0xFFFFFFFFu, 0x8005u, 0x4006u}) {
        EXPECT_EQ(Compare(Server().Players(1).Host(u"a"), Server().Players(2).Host(u"b"), order), 0)
            << order;
    }
}

std::u16string Cell(const ServerRecord& record, int column, int capacity = 64,
                    std::int32_t* image = nullptr, PingThresholds thresholds = {}) {
    std::u16string out(static_cast<std::size_t>(capacity) + 1, u'#');
    if (!FormatServerCell(record, column, thresholds, out.data(), capacity, image)) {
        return u"<none>";
    }
    EXPECT_EQ(out.back(), u'#') << "wrote past the capacity";
    return out.c_str();
}

TEST(ServerColumns, CellTexts) {
    Server server;
    server.Host(u"Red Server").Players(7);
    ServerRecord& r = *server.record;
    std::memcpy(r.mapName, u"dm1", 8);
    std::memcpy(r.gameName, u"arena", 12);
    const std::uint8_t address[4] = {192, 168, 0, 255};
    std::memcpy(&r.address, address, 4);
    r.port = 65535;
    r.maxClients = 16;
    r.privateClients = 2;
    r.ping = 42;
    EXPECT_EQ(Cell(r, 0), u"Red Server");
    EXPECT_EQ(Cell(r, 1), u"192.168.0.255:65535");
    EXPECT_EQ(Cell(r, 2), u"dm1");
    EXPECT_EQ(Cell(r, 3), u"arena");
    EXPECT_EQ(Cell(r, 4), u"7 / 14");
    EXPECT_EQ(Cell(r, 5), u"42");
    EXPECT_EQ(Cell(r, 6), u"<none>");
    EXPECT_EQ(Cell(r, -1), u"<none>");
    EXPECT_EQ(Cell(r, 0, 4), u"Red");
    EXPECT_EQ(Cell(r, 1, 1), u"");
    r.privateClients = 20;
    EXPECT_EQ(Cell(r, 4), u"7 / -4");
    r.maxClients = INT32_MIN;
    r.privateClients = 1;
    EXPECT_EQ(Cell(r, 4), u"7 / 2147483647") << "the slots wrap as 32-bit numbers do";
    r.ping = 0xFFFFFFFFu;
    EXPECT_EQ(Cell(r, 5), u"-1") << "the ping is shown as a signed number";
    std::memset(&r.address, 0xFF, 4);
    EXPECT_EQ(Cell(r, 1), u"255.255.255.255:65535");
}

std::int32_t PingImage(std::uint32_t ping, PingThresholds thresholds = {100, 200}) {
    Server server;
    server.Ping(ping);
    std::int32_t image = -1;
    Cell(*server.record, 5, 16, &image, thresholds);
    return image;
}

TEST(ServerColumns, PingImagesCompareUnsignedAndIncludeTheThresholds) {
    EXPECT_EQ(PingImage(100), kImagePingGood);
    EXPECT_EQ(PingImage(101), kImagePingMedium);
    EXPECT_EQ(PingImage(200), kImagePingMedium);
    EXPECT_EQ(PingImage(201), kImagePingBad);
    EXPECT_EQ(PingImage(150, {200, 100}), kImagePingGood);
    EXPECT_EQ(PingImage(250, {200, 100}), kImagePingBad) << "medium below good is never shown";
    EXPECT_EQ(PingImage(0xFFFFFFF0u, {-1, 0}), kImagePingGood) << "-1 is the largest threshold";
    std::int32_t image = -1;
    Cell(*Server().record, 4, 16, &image);
    EXPECT_EQ(image, -1) << "only the Ping cell has an image";
}

TEST(ServerColumns, FullAndEmptyFilters) {
    Server server;
    ServerRecord& r = *server.record;
    EXPECT_FALSE(IsServerShown(r, 1, 1)) << "not answered";
    r.responded = 1;
    EXPECT_TRUE(IsServerShown(r, 1, 1));
    EXPECT_FALSE(IsServerShown(r, 0, 1)) << "no slots: full";
    EXPECT_FALSE(IsServerShown(r, 1, 0)) << "no players: empty";
    r.maxClients = 16;
    r.privateClients = 2;
    r.playerCount = 13;
    EXPECT_TRUE(IsServerShown(r, 0, 0));
    r.playerCount = 14;
    EXPECT_FALSE(IsServerShown(r, 0, 0));
    r.maxClients = INT32_MIN;
    r.privateClients = 1;
    EXPECT_TRUE(IsServerShown(r, 0, 0)) << "slots wrap instead of overflowing";
}

}  // namespace
}  // namespace skelvane
