#include "settings/browser_options.h"

#include "engine/host_and_port.h"

namespace skelvane {

namespace {

// Host names and ports are plain ASCII; anything else cannot be one and is
// turned into a character that the address parser refuses.
std::string AsciiOnly(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) {
        ascii += c > 0 && c < 0x80 ? static_cast<char>(c) : '?';
    }
    return ascii;
}

ParsedBrowserOptions Refuse(std::wstring why) {
    return ParsedBrowserOptions{std::nullopt, why};
}

}  // namespace

ParsedBrowserOptions ParseBrowserOptions(const std::vector<std::wstring>& args) {
    BrowserOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != L"--master") {
            continue;
        }
        if (i + 1 >= args.size()) {
            return Refuse(L"--master needs a value: HOST or HOST:PORT.");
        }
        const std::wstring& value = args[++i];
        const auto master = ParseHostAndPort(AsciiOnly(value), kMasterPort);
        if (!master) {
            return Refuse(L"\"" + value +
                          L"\" is not a master server address.\n\nUse --master HOST or "
                          L"--master HOST:PORT, with a port from 1 to 65535.");
        }
        options.master = MasterServer{master->host, master->port};
    }
    return ParsedBrowserOptions{options, {}};
}

}  // namespace skelvane
