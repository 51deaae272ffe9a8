#include "settings/browser_options.h"

#include "settings/master_servers.h"

namespace skelvane {

namespace {

// Whatever a wide character beyond UTF-16 is, it is no part of an address.
std::u16string AsUtf16(const std::wstring& text) {
    std::u16string units;
    for (const char32_t c : text) {
        units += c <= 0xFFFF ? static_cast<char16_t>(c) : u'?';
    }
    return units;
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
        const auto master = ParseMasterAddress(AsUtf16(value));
        if (!master) {
            return Refuse(L"\"" + value +
                          L"\" is not a master server address.\n\nUse --master HOST or "
                          L"--master HOST:PORT, with a port from 1 to 65535.");
        }
        options.masters.push_back(*master);
    }
    return ParsedBrowserOptions{options, {}};
}

}  // namespace skelvane
