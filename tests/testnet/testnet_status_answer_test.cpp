#include "testnet/status_answer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "testnet/network_plan.h"

namespace skelvane {
namespace {

constexpr std::uint64_t kSeed = 7;
const std::string kHeaderLine = "\xFF\xFF\xFF\xFFstatusResponse";

// An answer split the plain way: lines at line feeds, info fields at every
// backslash (keeping empty ones, unlike the browser), so that the test sees
// exactly what was sent.
struct AnswerLines {
    std::vector<std::string> lines;
    std::map<std::string, std::string> info;
    std::size_t infoFields = 0;
};

AnswerLines Split(const Datagram& answer) {
    AnswerLines split;
    std::string line;
    for (const std::uint8_t byte : answer) {
        if (byte == '\n') {
            split.lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(byte));
        }
    }
    EXPECT_TRUE(line.empty()) << "bytes after the last line feed";
    if (split.lines.size() < 2 || split.lines[1].empty() || split.lines[1][0] != '\\') {
        return split;
    }
    std::vector<std::string> fields;
    std::string field;
    for (const char c : split.lines[1].substr(1) + '\\') {
        if (c == '\\') {
            fields.push_back(field);
            field.clear();
        } else {
            field.push_back(c);
        }
    }
    split.infoFields = fields.size();
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        EXPECT_EQ(split.info.count(fields[i]), 0u) << "repeated key " << fields[i];
        split.info[fields[i]] = fields[i + 1];
    }
    return split;
}

std::string ExpectedPlayerLine(const PlayerLine& player) {
    return std::to_string(player.score) + " " + std::to_string(player.ping) + " \"" + player.name +
           "\"";
}

TEST(TestnetStatusAnswer, SoundAnswersCarryTheirServersContent) {
    for (std::uint32_t index = 0; index < 60; ++index) {
        SCOPED_TRACE("server " + std::to_string(index));
        const ServerContent content = GenerateServerContent(kSeed, index);
        const Datagram answer = BuildStatusAnswer(content, HostileKind::kNone, 0);
        ASSERT_LE(answer.size(), kStatusAnswerLimit);
        const AnswerLines split = Split(answer);
        ASSERT_GE(split.lines.size(), 2u);
        EXPECT_EQ(split.lines[0], kHeaderLine);
        EXPECT_EQ(split.infoFields % 2, 0u);
        EXPECT_EQ(split.info.at("sv_hostname"), content.hostName);
        EXPECT_EQ(split.info.at("mapname"), content.mapName);
        EXPECT_EQ(split.info.at("sv_maxclients"), std::to_string(content.maxClients));
        EXPECT_EQ(split.info.at("sv_privateclients"), std::to_string(content.privateClients));
        EXPECT_EQ(split.info.at("sv_pure"), std::to_string(content.pure));
        EXPECT_EQ(split.info.at("timelimit"), std::to_string(content.timeLimit));
        EXPECT_EQ(split.info.count("version"), content.version ? 1u : 0u);
        EXPECT_EQ(split.info.count("gamename"), content.gameName ? 1u : 0u);
        if (content.gameName) {
            EXPECT_EQ(split.info.at("gamename"), *content.gameName);
        }
        ASSERT_EQ(split.lines.size() - 2, content.players.size());
        for (std::size_t p = 0; p < content.players.size(); ++p) {
            EXPECT_EQ(split.lines[2 + p], ExpectedPlayerLine(content.players[p]));
        }
    }
}

// An empty game name sits at the end of the info string, where it cannot
// shift the pairing of other keys.
TEST(TestnetStatusAnswer, EmptyGameNameEndsTheInfoString) {
    ServerContent content = GenerateServerContent(kSeed, 0);
    content.gameName = std::string();
    const AnswerLines split = Split(BuildStatusAnswer(content, HostileKind::kNone, 0));
    const std::string& info = split.lines.at(1);
    EXPECT_EQ(info.substr(info.size() - 10), "\\gamename\\");
}

TEST(TestnetStatusAnswer, AnswersDependOnlyOnSeedAndIndex) {
    const auto small = PlanServers(Mix::kDemo, kSeed, 10, {});
    const auto large = PlanServers(Mix::kDemo, kSeed, 40, {});
    const auto other = PlanServers(Mix::kDemo, kSeed + 1, 10, {});
    std::size_t differing = 0;
    for (std::uint32_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(PlannedAnswer(small[i], kSeed, i), PlannedAnswer(large[i], kSeed, i));
        differing += PlannedAnswer(small[i], kSeed, i) != PlannedAnswer(other[i], kSeed + 1, i);
    }
    EXPECT_GE(differing, 9u);
}

bool HasColourCode(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '^' && text[i + 1] >= '0' && text[i + 1] <= '9') {
            return true;
        }
    }
    return false;
}

bool HasWindows1252Letter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xC0; });
}

TEST(TestnetServerContent, EveryDozenServersShowsEachFillClass) {
    for (std::uint32_t first = 0; first < 120; first += 12) {
        int full = 0, empty = 0, fullWithPrivate = 0, partial = 0;
        for (std::uint32_t index = first; index < first + 12; ++index) {
            const ServerContent content = GenerateServerContent(kSeed, index);
            ASSERT_LE(content.players.size(), 64u);
            ASSERT_LT(content.privateClients, content.maxClients);
            ASSERT_LE(static_cast<std::int32_t>(content.players.size()), content.PublicSlots());
            full += content.IsFull();
            empty += content.IsEmpty();
            fullWithPrivate += content.IsFull() && content.privateClients > 0;
            partial += !content.IsFull() && !content.IsEmpty();
        }
        EXPECT_GE(full, 2) << first;
        EXPECT_GE(empty, 2) << first;
        EXPECT_GE(fullWithPrivate, 2) << first;
        EXPECT_GE(partial, 2) << first;
    }
}

TEST(TestnetServerContent, NamesShowColourCodesWindowsLettersAndRepeats) {
    int colouredHosts = 0, foreignHosts = 0, colouredPlayers = 0, foreignPlayers = 0;
    int serversWithRepeatedName = 0;
    for (std::uint32_t index = 0; index < 40; ++index) {
        const ServerContent content = GenerateServerContent(kSeed, index);
        colouredHosts += HasColourCode(content.hostName);
        foreignHosts += HasWindows1252Letter(content.hostName);
        std::set<std::string> names;
        for (const PlayerLine& player : content.players) {
            colouredPlayers += HasColourCode(player.name);
            foreignPlayers += HasWindows1252Letter(player.name);
            names.insert(player.name);
        }
        serversWithRepeatedName += names.size() < content.players.size();
    }
    EXPECT_GE(colouredHosts, 10);
    EXPECT_GE(foreignHosts, 4);
    EXPECT_GE(colouredPlayers, 20);
    EXPECT_GE(foreignPlayers, 10);
    EXPECT_GE(serversWithRepeatedName, 3);
}

// The browser picks its platform icon from the version text in this order;
// the demo network shows every outcome, including "darwin" (which holds
// "win") and servers that send no version at all.
int PlatformIcon(std::string version) {
    std::transform(version.begin(), version.end(), version.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    const auto has = [&](const char* word) { return version.find(word) != std::string::npos; };
    if (has("linux")) {
        return 4;
    }
    if (has("mingw") || has("win") || has("msvc")) {
        return 5;
    }
    if (has("freebsd")) {
        return 6;
    }
    return has("osx") || has("ppc") ? 7 : 0;
}

TEST(TestnetServerContent, DemoNetworkShowsEveryPlatformKind) {
    std::set<int> icons;
    std::set<std::string> spellings;
    int withoutVersion = 0;
    for (const PlannedServer& server : PlanServers(Mix::kDemo, kSeed, 40, {})) {
        if (!server.content.version) {
            ++withoutVersion;
            continue;
        }
        icons.insert(PlatformIcon(*server.content.version));
        for (const char* word : {"darwin", "mingw", "msvc", "ppc", "osx", "WIN", "Linux"}) {
            if (server.content.version->find(word) != std::string::npos) {
                spellings.insert(word);
            }
        }
    }
    EXPECT_EQ(icons, (std::set<int>{0, 4, 5, 6, 7}));
    EXPECT_EQ(spellings.size(), 7u);
    EXPECT_GE(withoutVersion, 1);
}

TEST(TestnetStatusAnswer, HostileKindsSpoilTheAnswerAsNamed) {
    const ServerContent content = GenerateServerContent(kSeed, 7);
    ASSERT_FALSE(content.players.empty());
    const auto build = [&](HostileKind kind) { return BuildStatusAnswer(content, kind, 99); };

    const Datagram noLineFeed = build(HostileKind::kNoLineFeed);
    EXPECT_EQ(std::count(noLineFeed.begin(), noLineFeed.end(), '\n'), 0);
    EXPECT_GT(noLineFeed.size(), 100u);

    EXPECT_GT(Split(build(HostileKind::kManyPlayers)).lines.size(), 2u + 64u);

    const AnswerLines longLine = Split(build(HostileKind::kLongLine));
    EXPECT_GT(longLine.lines.at(1).size(), 2047u);
    EXPECT_LE(build(HostileKind::kLongLine).size(), kStatusAnswerLimit);

    // Padding adds lines of spaces only: the players stay as they were.
    const AnswerLines exact = Split(build(HostileKind::kExactly4096));
    EXPECT_EQ(build(HostileKind::kExactly4096).size(), 4096u);
    EXPECT_EQ(exact.lines.at(2 + content.players.size() - 1),
              ExpectedPlayerLine(content.players.back()));
    EXPECT_EQ(build(HostileKind::kOversize5000).size(), 5000u);

    const std::string emptyValues = Split(build(HostileKind::kEmptyValues)).lines.at(1);
    EXPECT_EQ(emptyValues.rfind("\\sv_hostname\\\\mapname\\", 0), 0u);

    const AnswerLines capitals = Split(build(HostileKind::kCapitalKeys));
    EXPECT_EQ(capitals.info.at("SV_HOSTNAME"), content.hostName);
    EXPECT_EQ(capitals.info.count("sv_hostname"), 0u);

    const Datagram garbage = build(HostileKind::kGarbage);
    EXPECT_FALSE(garbage.empty());
    EXPECT_EQ(garbage, build(HostileKind::kGarbage));
    EXPECT_NE(garbage, BuildStatusAnswer(content, HostileKind::kGarbage, 100));
}

TEST(TestnetNetworkPlan, MixesHoldTheBehavioursTheyPromise) {
    const auto count = [](const std::vector<PlannedServer>& servers, auto test) {
        return std::count_if(servers.begin(), servers.end(),
                             [&](const PlannedServer& s) { return test(s.behaviour); });
    };
    const auto demo = PlanServers(Mix::kDemo, kSeed, 40, {});
    EXPECT_GE(count(demo, [](const ServerBehaviour& b) { return b.latencyMs >= 100; }), 4);
    EXPECT_GE(count(demo, [](const ServerBehaviour& b) { return b.lossPercent > 0; }), 4);
    EXPECT_GE(count(demo, [](const ServerBehaviour& b) { return b == ServerBehaviour{}; }), 20);
    EXPECT_EQ(count(demo, [](const ServerBehaviour& b) { return b.hostile != HostileKind::kNone; }),
              0);

    const auto hostile = PlanServers(Mix::kHostile, kSeed, 12, {});
    std::set<HostileKind> kinds;
    for (const PlannedServer& server : hostile) {
        kinds.insert(server.behaviour.hostile);
    }
    EXPECT_EQ(kinds.size(), HostileKindNames().size());
    EXPECT_EQ(count(hostile, [](const ServerBehaviour& b) { return b.otherPort; }), 1);
    EXPECT_EQ(count(hostile, [](const ServerBehaviour& b) { return b.silent; }), 1);

    const auto plain = PlanServers(Mix::kPlain, kSeed, 200, {});
    EXPECT_EQ(count(plain, [](const ServerBehaviour& b) { return b == ServerBehaviour{}; }), 200);
}

TEST(TestnetNetworkPlan, KnobsOverrideTheMixInOrder) {
    const auto knobs = [](const char* text) { return *ParseKnobs(text); };
    const std::vector<KnobAssignment> assignments = {
        {KnobAssignment::Target::kIndex, 0, knobs("empty,latency=50")},
        {KnobAssignment::Target::kIndex, 1, knobs("private=2,full")},
        {KnobAssignment::Target::kShare, 50, knobs("silent")},
        {KnobAssignment::Target::kIndex, 2, knobs("plain,players=64")},
    };
    const auto servers = PlanServers(Mix::kPlain, kSeed, 400, assignments);
    EXPECT_TRUE(servers[0].content.IsEmpty());
    EXPECT_EQ(servers[0].behaviour.latencyMs, 50u);
    EXPECT_EQ(servers[1].content.privateClients, 2);
    EXPECT_EQ(static_cast<std::int32_t>(servers[1].content.players.size()),
              servers[1].content.PublicSlots());
    EXPECT_EQ(servers[2].content.players.size(), 64u);
    EXPECT_FALSE(servers[2].behaviour.silent);

    const auto silent = std::count_if(servers.begin() + 3, servers.end(),
                                      [](const PlannedServer& s) { return s.behaviour.silent; });
    EXPECT_GT(silent, 150);
    EXPECT_LT(silent, 250);
}

}  // namespace
}  // namespace skelvane
