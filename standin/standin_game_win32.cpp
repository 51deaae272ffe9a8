// A stand-in for the game, for trying out joins without it: it records how it
// was started in "launched.txt" beside its own executable, the command line on
// the first line and the current directory on the second (UTF-8), and exits.

#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring OwnDirectory() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring CurrentDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
    return path;
}

bool WriteWhole(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string record = Utf8(GetCommandLineW()) + "\n" + Utf8(CurrentDirectory()) + "\n";
    // Written aside and renamed, so that whoever waits for the record never
    // reads half of it.
    const std::wstring directory = OwnDirectory();
    const std::wstring partial = directory + L"launched.partial";
    if (!WriteWhole(partial, record) ||
        !MoveFileExW(partial.c_str(), (directory + L"launched.txt").c_str(),
                     MOVEFILE_REPLACE_EXISTING)) {
        return 1;
    }
    return 0;
}
