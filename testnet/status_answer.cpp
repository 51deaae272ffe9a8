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

// The game name goes last: when its value is empty, the info string ends
// there instead of shifting the pairing of every key after it.
void AddInfo(StatusAnswer& answer, const ServerContent& content, const InfoStyle& style) {
    const auto pair = [&](std::string_view key, std::string_view value) {
        answer.Info(KeyText(key, style.capitalKeys), value);
    };
    pair("sv_hostname", style.emptyValues ? "" : content.hostName);
    pair("mapname", content.mapName);
    if (content.version) {
        pair("version", *content.version);
    }
    pair("sv_maxclients", std::to_string(content.maxClients));
    pair("sv_privateclients", std::to_string(content.privateClients));
    pair("sv_pure", std::to_string(content.pure));
    pair("timelimit", style.emptyValues ? "" : std::to_string(content.timeLimit));
    for (const InfoPair& other : content.otherKeys) {
        pair(other.key, other.value);
    }
    if (content.gameName) {
        pair("gamename", *content.gameName);
    }
}

// Players that would push the answer past the browser's buffer are left out,
// so that a sound answer always arrives whole.
void AddPlayersThatFit(StatusAnswer& answer, const std::vector<PlayerLine>& players) {
    for (const PlayerLine& player : players) {
        const std::string line = PlayerLineText(player.score, player.ping, player.name);
        if (answer.Size() + line.size() + 1 > kStatusAnswerLimit) {
            return;
        }
        answer.Line(line);
    }
}

Datagram SoundAnswer(const ServerContent& content, const InfoStyle& style = {}) {
    StatusAnswer answer;
    AddInfo(answer, content, style);
    AddPlayersThatFit(answer, content.players);
    return answer.Build();
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

StatusAnswer& StatusAnswer::Info(std::string_view key, std::string_view value) {
    info_ += '\\';
    info_ += key;
    info_ += '\\';
    info_ += value;
    return *this;
}

StatusAnswer& StatusAnswer::InfoText(std::string_view text) {
    info_ += text;
    return *this;
}

StatusAnswer& StatusAnswer::Player(std::int32_t score, std::int32_t ping, std::string_view name) {
    return Line(PlayerLineText(score, ping, name));
}

StatusAnswer& StatusAnswer::Line(std::string_view text) {
    lines_ += text;
    lines_ += '\n';
    return *this;
}

StatusAnswer& StatusAnswer::Tail(std::string_view text) {
    tail_ = text;
    return *this;
}

std::size_t StatusAnswer::Size() const {
    return kHeaderLine.size() + info_.size() + 1 + lines_.size() + tail_.size();
}

Datagram StatusAnswer::Build() const {
    const std::string text = std::string(kHeaderLine) + info_ + "\n" + lines_ + tail_;
    return Datagram(text.begin(), text.end());
}

std::string PlayerLineText(std::int32_t score, std::int32_t ping, std::string_view name) {
    return std::to_string(score) + " " + std::to_string(ping) + " \"" + std::string(name) + "\"";
}

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
