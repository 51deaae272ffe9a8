#include "tests/windows/game_drives.h"

#include <windows.h>

#include <shlobj.h>

#include <fstream>

#include "tests/windows/window_driver.h"

namespace skelvane::test {

namespace {

void RemoveTree(const std::wstring& directory) {
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW((directory + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            RemoveTree(directory + name + L"\\");
            RemoveDirectoryW((directory + name).c_str());
        } else {
            DeleteFileW((directory + name).c_str());
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

}  // namespace

bool EmptyTestDrives() {
    const struct {
        const wchar_t* root;
        UINT type;
    } drives[] = {{L"D:\\", DRIVE_FIXED},
                  {L"E:\\", DRIVE_FIXED},
                  {L"F:\\", DRIVE_CDROM},
                  {L"G:\\", DRIVE_REMOVABLE}};
    for (const auto& drive : drives) {
        if (GetDriveTypeW(drive.root) != drive.type) {
            return false;
        }
        RemoveTree(drive.root);
    }
    return true;
}

bool InstallStandIn(const std::wstring& directory, const std::wstring& name) {
    SHCreateDirectoryExW(nullptr, directory.c_str(), nullptr);
    return CopyFileW((TestsDirectory() + L"skelvane-standin.exe").c_str(),
                     (directory + name).c_str(), FALSE) != FALSE;
}

std::vector<std::wstring> LaunchRecord(const std::wstring& directory) {
    const std::wstring path = directory + L"launched.txt";
    PumpUntil([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000);
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<std::wstring> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

std::wstring TestsDirectory() {
    wchar_t path[1024] = L"";
    GetModuleFileNameW(nullptr, path, 1024);
    const std::wstring self = path;
    return self.substr(0, self.find_last_of(L'\\') + 1);
}

std::wstring BuiltProgram(const std::wstring& pathInBuildTree) {
    const std::wstring tests = TestsDirectory();
    return tests.substr(0, tests.rfind(L"\\tests\\windows\\") + 1) + pathInBuildTree;
}

}  // namespace skelvane::test
