#include "testnet/server_content.h"

#include <algorithm>
#include <array>

#include "testnet/deterministic_random.h"

namespace skelvane {

namespace {

// Each generated detail draws from its own stream, so that changing how one
// detail is made leaves the others as they were.
enum Stream : std::uint64_t { kHostStream = 1, kSettingsStream, kPlayerStream };

constexpr std::int32_t kMostPlayers = 64;

// Bytes above 0x7F are Windows-1252 letters: é, ü, ß, ñ, Å, Ø, æ.
constexpr std::array<const char*, 6> kHostPrefixes = {"", "^1", "^4[EU] ^7", "^3", "^2>>^7 ", "^5"};
constexpr std::array<const char*, 12> kHostFirstWords = {
    "Red",     "Iron",    "Quiet",   "Salt",     "Ember",   "Hollow",
    "Caf\xE9", "Gr\xFCn", "Wei\xDF", "Se\xF1or", "\xC5sen", "Nordl\xE6nder"};
constexpr std::array<const char*, 4> kHostJoins = {"^7", "", " ", "^6"};
constexpr std::array<const char*, 10> kHostSecondWords = {
    "Fort", "Harbor", "Spire", "Arena", "Yard", "Cistern", "Lantern", "Hall", "Den", "\xD8stworks"};
// The last two end in colour codes that leave nothing behind ("^", "^^12ab").
constexpr std::array<const char*, 9> kHostSuffixes = {
    "", "", " #2", " | Insta", " ^7[Duel]", " 24/7", " ^1CTF", "^", " ^^12ab"};

constexpr std::array<const char*, 10> kMaps = {
    "sk_foundry",   "sk_cistern",    "sk_orchard", "ctf_ashgate", "ctf_twinmills",
    "duel_lantern", "tdm_saltworks", "ffa_spire",  "sk_hollow",   "arena_brass"};
constexpr std::array<const char*, 6> kGameNames = {"skelvane", "vanguard", "ironclad",
                                                   "harrier",  "kestrel",  "tinker"};

// One of each kind the browser tells apart by its version text, in several
// spellings (letter case, "darwin" holding "win"), and some it does not know.
constexpr std::array<const char*, 14> kPlatforms = {"linux-i386",    "win-x86",
                                                    "freebsd-i386",  "osx-universal",
                                                    "mingw32-x86",   "macos-ppc",
                                                    "msvc-x64",      "darwin-arm64",
                                                    "solaris-sparc", "Linux-armv7",
                                                    "WIN32-x86",     "haiku-x86",
                                                    "FreeBSD-amd64", ""};
constexpr std::array<const char*, 4> kBuildDates = {"Mar  3 2024", "Nov 21 2023", "Jun 14 2025",
                                                    "Jan  9 2022"};

constexpr std::array<std::int32_t, 9> kMaxClientChoices = {8, 10, 12, 16, 20, 24, 32, 48, 64};
constexpr std::array<std::int32_t, 5> kTimeLimits = {0, 10, 15, 20, 30};

constexpr std::array<const char*, 20> kPlayerNames = {"^3Vex",
                                                      "Nimbus",
                                                      "^1K^7ite",
                                                      "J\xF6rg",
                                                      "Mar\xED"
                                                      "a",
                                                      "^4Blue^7Jay",
                                                      "Sprocket",
                                                      "Quill",
                                                      "Ember",
                                                      "Rook",
                                                      "Tallow",
                                                      "^2Moss",
                                                      "Wren",
                                                      "Gl\xFC"
                                                      "ck",
                                                      "Z\xE9ro",
                                                      "^6^6xx",
                                                      "Fa\xDF"
                                                      "binder",
                                                      "Ox",
                                                      "Pilgrim",
                                                      "^7[AFK]^3Lurk"};

struct OtherKeyChoice {
    const char* key;
    const char* value;
};
constexpr std::array<OtherKeyChoice, 8> kOtherKeys = {{{"g_gametype", "4"},
                                                       {"fraglimit", "20"},
                                                       {"capturelimit", "8"},
                                                       {"sv_floodProtect", "1"},
                                                       {"sv_minPing", "0"},
                                                       {"sv_maxPing", "400"},
                                                       {"g_needpass", "0"},
                                                       {"sv_allowDownload", "1"}}};

template <typename T, std::size_t N>
const T& PickFrom(DeterministicRandom& random, const std::array<T, N>& choices) {
    return random.Pick(std::span<const T>(choices));
}

std::string MakeHostName(DeterministicRandom& random) {
    std::string name = PickFrom(random, kHostPrefixes);
    name += PickFrom(random, kHostFirstWords);
    name += PickFrom(random, kHostJoins);
    name += PickFrom(random, kHostSecondWords);
    name += PickFrom(random, kHostSuffixes);
    return name;
}

std::optional<std::string> MakeGameName(DeterministicRandom& random) {
    const std::uint32_t roll = random.Below(12);
    if (roll == 0) {
        return std::nullopt;
    }
    if (roll == 1) {
        return std::string();
    }
    return std::string(PickFrom(random, kGameNames));
}

std::optional<std::string> MakeVersion(DeterministicRandom& random, std::uint32_t index) {
    const std::string platform = kPlatforms[index % kPlatforms.size()];
    if (platform.empty()) {
        return std::nullopt;
    }
    return "Skelvane 1.4." + std::to_string(random.Below(4)) + " " + platform + " " +
           PickFrom(random, kBuildDates);
}

std::vector<InfoPair> MakeOtherKeys(DeterministicRandom& random) {
    std::vector<InfoPair> keys;
    const std::uint32_t first = random.Below(kOtherKeys.size());
    const std::uint32_t count = 2 + random.Below(3);
    for (std::uint32_t i = 0; i < count; ++i) {
        const OtherKeyChoice& choice = kOtherKeys[(first + i) % kOtherKeys.size()];
        keys.push_back(InfoPair{choice.key, choice.value});
    }
    return keys;
}

// The fill class cycles with the index so that every stretch of servers has
// empty ones, full ones and ones whose last free slots are private.
std::int32_t PlayerCountFor(DeterministicRandom& random, std::uint32_t index,
                            std::int32_t publicSlots) {
    switch (index % 5) {
        case 0:
            return 0;
        case 1:
        case 2:
            return publicSlots;
        default:
            return random.Between(1, std::max(1, publicSlots - 1));
    }
}

std::int32_t PrivateSlotsFor(DeterministicRandom& random, std::uint32_t index,
                             std::int32_t maxClients) {
    if (index % 5 == 2) {
        return random.Between(2, 4);
    }
    return random.Chance(20) ? std::min(2, maxClients / 4) : 0;
}

}  // namespace

std::vector<PlayerLine> GeneratePlayers(std::uint64_t seed, std::uint32_t index,
                                        std::int32_t count) {
    DeterministicRandom random(SeedFor(seed, index, kPlayerStream));
    std::vector<PlayerLine> players;
    const std::int32_t wanted = std::clamp(count, 0, kMostPlayers);
    for (std::int32_t i = 0; i < wanted; ++i) {
        PlayerLine player;
        player.score = random.Between(-5, 80);
        player.ping = random.Chance(12) ? 0 : random.Between(10, 350);
        if (!players.empty() && random.Chance(12)) {
            player.name = players[random.Below(players.size())].name;
        } else {
            player.name = PickFrom(random, kPlayerNames);
            if (random.Chance(30)) {
                player.name += std::to_string(random.Between(1, 99));
            }
        }
        players.push_back(std::move(player));
    }
    return players;
}

ServerContent GenerateServerContent(std::uint64_t seed, std::uint32_t index) {
    ServerContent content;
    DeterministicRandom hostRandom(SeedFor(seed, index, kHostStream));
    content.hostName = MakeHostName(hostRandom);
    content.mapName = PickFrom(hostRandom, kMaps);
    content.gameName = MakeGameName(hostRandom);
    content.version = MakeVersion(hostRandom, index);

    DeterministicRandom settings(SeedFor(seed, index, kSettingsStream));
    content.maxClients = PickFrom(settings, kMaxClientChoices);
    content.privateClients = PrivateSlotsFor(settings, index, content.maxClients);
    content.pure = settings.Chance(70) ? 1 : 0;
    content.timeLimit = PickFrom(settings, kTimeLimits);
    content.otherKeys = MakeOtherKeys(settings);
    const std::int32_t playerCount = PlayerCountFor(settings, index, content.PublicSlots());
    content.players = GeneratePlayers(seed, index, playerCount);
    return content;
}

}  // namespace skelvane
