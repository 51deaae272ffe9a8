#include "testnet/status_answer.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "testnet/deterministic_random.h"

namespace skelvane {

namespace {

constexpr std::string_view kHeaderLine = "\xFF\xFF\xFF\xFFstatusResponse\n";
// Enough host name that the info line is well over the 2047 bytes a line may
// take, while the whole answer still fits the browser's buffer.
constexpr std::size_t kLongHostNamePadding = 2100;
constexpr std::int32_t kManyPlayerLines = 96;
constexpr std::size_t kOversizeAnswer = 5000;
constexpr std::size_t kBlankLineBytes = 100;
constexpr std::int32_t kMostGarbageBytes = 1400;

struct InfoStyle {
    bool capitalKeys = false;
    bool emptyValues = false;
};

void AppendText(Datagram& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

std::string KeyText(std::string_view key, bool capital) {
    std::string text(key);
    if (capital) {
        for (char& c : text) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
    }
    return text;
}

void AppendPair(Datagram& out, std::string_view key, std::string_view value,
                const InfoStyle& style) {
    out.push_back('\\');
    AppendText(out, KeyText(key, style.capitalKeys));
    out.push_back('\\');
    AppendText(out, value);
}

// The game name goes last: when its value is empty, the info string ends
// there instead of shifting the pairing of every key after it.
void AppendInfoLine(Datagram& out, const ServerContent& content, const InfoStyle& style) {
    AppendPair(out, "sv_hostname", style.emptyValues ? "" : content.hostName, style);
    AppendPair(out, "mapname", content.mapName, style);
    if (content.version) {
        AppendPair(out, "version", *content.version, style);
    }
    AppendPair(out, "sv_maxclients", std::to_string(content.maxClients), style);
    AppendPair(out, "sv_privateclients", std::to_string(content.privateClients), style);
    AppendPair(out, "sv_pure", std::to_string(content.pure), style);
    AppendPair(out, "timelimit", style.emptyValues ? "" : std::to_string(content.timeLimit), style);
    for (const InfoPair& pair : content.otherKeys) {
        AppendPair(out, pair.key, pair.value, style);
    }
    if (content.gameName) {
        AppendPair(out, "gamename", *content.gameName, style);
    }
    out.push_back('\n');
}

std::string PlayerLineText(const PlayerLine& player) {
    return std::to_string(player.score) + " " + std::to_string(player.ping) + " \"" + player.name +
           "\"\n";
}

// Players that would push the answer past the browser's buffer are left out,
// so that a sound answer always arrives whole.
void AppendPlayers(Datagram& out, const std::vector<PlayerLine>& players) {
    for (const PlayerLine& player : players) {
        const std::string line = PlayerLineText(player);
        if (out.size() + line.size() > kStatusAnswerLimit) {
            return;
        }
        AppendText(out, line);
    }
}

Datagram SoundAnswer(const ServerContent& content, const InfoStyle& style = {}) {
    Datagram out(kHeaderLine.begin(), kHeaderLine.end());
    AppendInfoLine(out, content, style);
    AppendPlayers(out, content.players);
    return out;
}

// Lines of spaces name no player, so padding with them changes only the size.
Datagram PaddedWithBlankLines(Datagram answer, std::size_t size) {
    while (answer.size() < size) {
        const std::size_t line = std::min(kBlankLineBytes, size - answer.size());
        answer.insert(answer.end(), line - 1, ' ');
        answer.push_back('\n');
    }
    return answer;
}

Datagram WithoutLineFeeds(Datagram answer) {
    std::erase(answer, std::uint8_t{'\n'});
    return answer;
}

Datagram CrowdedAnswer(ServerContent content) {
    content.players.clear();
    for (std::int32_t i = 0; i < kManyPlayerLines; ++i) {
        std::string name = {'^', static_cast<char>('0' + i % 8)};
        name += "bot";
        name += std::to_string(i);
        content.players.push_back(PlayerLine{i, 0, std::move(name)});
    }
    return SoundAnswer(content);
}

Datagram LongLineAnswer(ServerContent content) {
    content.hostName += ' ';
    content.hostName.append(kLongHostNamePadding, 'L');
    return SoundAnswer(content);
}

Datagram GarbageAnswer(std::uint64_t seed) {
    DeterministicRandom random(seed);
    Datagram out(static_cast<std::size_t>(random.Between(1, kMostGarbageBytes)));
    for (std::uint8_t& byte : out) {
        byte = static_cast<std::uint8_t>(random.Next());
    }
    return out;
}

}  // namespace

Datagram BuildStatusAnswer(const ServerContent& content, HostileKind hostile, std::uint64_t seed) {
    switch (hostile) {
        case HostileKind::kNone:
            return SoundAnswer(content);
        case HostileKind::kNoLineFeed:
            return WithoutLineFeeds(SoundAnswer(content));
        case HostileKind::kManyPlayers:
            return CrowdedAnswer(content);
        case HostileKind::kLongLine:
            return LongLineAnswer(content);
        case HostileKind::kExactly4096:
            return PaddedWithBlankLines(SoundAnswer(content), kStatusAnswerLimit);
        case HostileKind::kOversize5000:
            return PaddedWithBlankLines(SoundAnswer(content), kOversizeAnswer);
        case HostileKind::kEmptyValues:
            return SoundAnswer(content, InfoStyle{.emptyValues = true});
        case HostileKind::kCapitalKeys:
            return SoundAnswer(content, InfoStyle{.capitalKeys = true});
        case HostileKind::kGarbage:
            return GarbageAnswer(seed);
    }
    return SoundAnswer(content);
}

}  // namespace skelvane
