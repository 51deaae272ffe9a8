#!/usr/bin/env bash
# Builds the 32-bit Windows program and writes the archive for Windows users:
# skelvane-browser.exe and README.txt, a short text on running it.
#
#   scripts/release.sh [OUTPUT_DIRECTORY]    (default: build/release)
#
# Prints the archive's path: OUTPUT_DIRECTORY/skelvane-browser-VERSION-win32.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
output=$(realpath -m "${1:-build/release}")

cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j 2 --target skelvane-browser >/dev/null
version=$(sed -n 's/^project(skelvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
archive="$output/skelvane-browser-$version-win32.zip"
mkdir -p "$output"
rm -f "$archive"

# The text gets the version and the line ends that every Windows editor shows.
python3 - "$archive" build/windows-release/app/skelvane-browser.exe docs/windows-readme.txt \
  "$version" <<'PYTHON'
import sys
import zipfile

archive, exe, readme, version = sys.argv[1:5]
text = open(readme, encoding="utf-8").read().replace("@VERSION@", version)
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as out:
    out.write(exe, "skelvane-browser.exe")
    out.writestr("README.txt", text.replace("\n", "\r\n"))
PYTHON
echo "$archive"
