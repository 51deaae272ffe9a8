#include "app/kept_list_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <ctime>
#include <system_error>

#include "lists/kept_list.h"

namespace skelvane {

std::filesystem::path KeptListPath() {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return std::filesystem::path(folder) / L"Drenlix" / L"Skelvane Server Browser" /
           L"master-list.txt";
}

// Both run on the refresh thread. A list that cannot be kept is no reason to
// stop a refresh: the one kept before stays, and the next complete answer
// tries again.
void UseKeptList(ServerSources& sources, const std::filesystem::path& path) {
    if (path.empty()) {
        return;
    }
    sources.keepMasterList = [path](std::span<const Ipv4Endpoint> servers) {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        KeepList(path, servers, std::time(nullptr));
    };
    sources.fallback = [path](std::u16string_view failure) {
        return KeptListFallback(path, failure, std::time(nullptr));
    };
}

}  // namespace skelvane
