#pragma once

#include <string>
#include <vector>

namespace skelvane::test {

// The test prefix's drives (scripts/wine-env.sh): C:, the fixed drives D: and
// E:, F: (CD-ROM), G: (removable) and Z: (network). Checks their types and
// empties D: to G:; false when the prefix is not one of those.
bool EmptyTestDrives();

// The stand-in game, copied from beside the tests into `directory` (which ends
// with a backslash and is made if missing) under the name `name`.
bool InstallStandIn(const std::wstring& directory, const std::wstring& name);

// The command line and current directory of the stand-in that ran from
// `directory`, waiting a while for it; empty when it did not run.
std::vector<std::wstring> LaunchRecord(const std::wstring& directory);

// The directory of the tests' own executable, with a backslash at the end.
std::wstring TestsDirectory();

// A program of this build tree, by its path from the tree's top:
// L"app\\skelvane-browser.exe".
std::wstring BuiltProgram(const std::wstring& pathInBuildTree);

}  // namespace skelvane::test
