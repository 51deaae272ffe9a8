#include "settings/favourite_servers.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/host_and_port.h"
#include "engine/masters_to_ask.h"
#include "settings/master_servers.h"

namespace skelvane {
namespace {

using namespace std::string_literals;

using Bytes = std::vector<std::uint8_t>;

// Text lines as stored: each line and its zero, then `ending` more bytes.
StoredValue Lines(const std::u16string& joinedByZeros, StoredType type = StoredType::kTextLines,
                  Bytes ending = {0, 0, 0, 0}) {
    StoredValue value{type, {}};
    for (const char16_t unit : joinedByZeros) {
        value.bytes.push_back(static_cast<std::uint8_t>(unit));
        value.bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    value.bytes.insert(value.bytes.end(), ending.begin(), ending.end());
    return value;
}

std::vector<std::string> Texts(const std::vector<Ipv4Endpoint>& servers) {
    std::vector<std::string> texts;
    for (const Ipv4Endpoint& server : servers) {
        texts.push_back(DottedEndpoint(server));
    }
    return texts;
}

std::vector<std::string> ManyServers(std::size_t count) {
    std::vector<std::string> servers;
    for (std::size_t i = 1; i <= count; ++i) {
        servers.push_back("10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250) + ":1");
    }
    return servers;
}

std::u16string Joined(const std::vector<std::string>& lines) {
    std::u16string text;
    for (const std::string& line : lines) {
        text += std::u16string(line.begin(), line.end()) + u'\0';
    }
    return text.substr(0, text.size() - 1);
}

TEST(FavouriteServers, AreReadOnceEachAndAValueWithAnythingElseIsNeverWrittenOver) {
    const std::u16string two = u"1.2.3.4:27960\0005.6.7.8:1"s;
    const struct {
        const char* what;
        std::optional<StoredValue> value;
        std::vector<std::string> servers;
        bool unreadable;
    } cases[] = {
        {"missing", std::nullopt, {}, false},
        {"two", Lines(two), {"1.2.3.4:27960", "5.6.7.8:1"}, false},
        {"one ending in a single zero",
         Lines(u"1.2.3.4:27960", StoredType::kTextLines, {0, 0}),
         {"1.2.3.4:27960"},
         false},
        {"empty", Lines(u"", StoredType::kTextLines, {0, 0}), {}, false},
        {"twice the same", Lines(u"1.2.3.4:5\0\0001.2.3.4:5"s), {"1.2.3.4:5"}, false},
        {"a line of another form",
         Lines(u"1.2.3.4:5\0host:7\0001.2.3.4\0009.9.9.9:9"s),
         {"1.2.3.4:5", "9.9.9.9:9"},
         true},
        {"not ASCII", Lines(u"1.2.3.\u0134:5"), {}, true},
        {"one line of text", Lines(u"1.2.3.4:5", StoredType::kText), {}, true},
        {"without its end", Lines(u"1.2.3.4:5", StoredType::kTextLines, {}), {}, true},
        {"an odd byte", Lines(u"1.2.3.4:5", StoredType::kTextLines, {0, 0, 0}), {}, true},
        {"too many", Lines(Joined(ManyServers(kMaxFavourites + 1))), ManyServers(kMaxFavourites),
         true},
    };
    for (const auto& c : cases) {
        FavouriteServers favourites = FavouritesFromStored(c.value);
        EXPECT_EQ(Texts(favourites.servers), c.servers) << c.what;
        EXPECT_EQ(favourites.storedUnreadable, c.unreadable) << c.what;
        EXPECT_FALSE(FavouritesToStore(favourites)) << c.what << ": nothing changed";
        AddFavourite(favourites, *ParseDottedEndpoint("7.7.7.7:7"));
        EXPECT_EQ(FavouritesToStore(favourites).has_value(), !c.unreadable) << c.what;
    }
}

TEST(FavouriteServers, AddedAndRemovedOnceEachAndStoredInTheOrderAdded) {
    FavouriteServers favourites;
    const auto a = *ParseDottedEndpoint("1.2.3.4:5");
    const auto b = *ParseDottedEndpoint("1.2.3.4:6");
    AddFavourite(favourites, b);
    AddFavourite(favourites, a);
    AddFavourite(favourites, b);
    EXPECT_EQ(Texts(favourites.servers), (std::vector<std::string>{"1.2.3.4:6", "1.2.3.4:5"}));
    EXPECT_TRUE(IsFavourite(favourites, a));
    const auto stored = FavouritesToStore(favourites);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, StoredType::kTextLines);
    EXPECT_EQ(Texts(FavouritesFromStored(stored).servers), Texts(favourites.servers));

    RemoveFavourite(favourites, b);
    RemoveFavourite(favourites, b);
    EXPECT_EQ(Texts(favourites.servers), (std::vector<std::string>{"1.2.3.4:5"}));
    RemoveFavourite(favourites, a);
    EXPECT_FALSE(IsFavourite(favourites, a));
    // No favourites at all are stored as such, not left as they were.
    EXPECT_EQ(FavouritesToStore(favourites)->bytes, (Bytes{0, 0, 0, 0}));
}

TEST(MasterServers, ThoseOfTheSettingsAreAskedAfterTheCommandLinesEachOnce) {
    const auto named = [](const std::vector<MasterServer>& masters) {
        std::vector<std::string> texts;
        for (const MasterServer& master : masters) {
            texts.push_back(master.hostName + ":" + std::to_string(master.port));
        }
        return texts;
    };
    const auto stored =
        MastersFromStored(Lines(u"m2.example\0bad host\0M2.EXAMPLE:30710\0m3.example:5\0x:0"s));
    EXPECT_EQ(named(stored),
              (std::vector<std::string>{"m2.example:30710", "M2.EXAMPLE:30710", "m3.example:5"}));
    EXPECT_TRUE(MastersFromStored(std::nullopt).empty());
    EXPECT_TRUE(MastersFromStored(Lines(u"m2.example", StoredType::kText)).empty());

    const std::string builtIn = std::string(kDefaultMasterHost) + ":30710";
    EXPECT_EQ(named(MastersToAsk({}, {})), (std::vector<std::string>{builtIn}));
    EXPECT_EQ(named(MastersToAsk({}, stored)),
              (std::vector<std::string>{builtIn, "m2.example:30710", "m3.example:5"}));
    EXPECT_EQ(named(MastersToAsk({MasterServer{"m3.example", 5}, MasterServer{"h", 1}}, stored)),
              (std::vector<std::string>{"m3.example:5", "h:1", "m2.example:30710"}));
    std::vector<MasterServer> many;
    for (int i = 0; i < 20; ++i) {
        many.push_back(MasterServer{"h" + std::to_string(i), 1});
    }
    EXPECT_EQ(MastersToAsk(many, stored).size(), kMaxMasters);
}

}  // namespace
}  // namespace skelvane
