#!/usr/bin/env bash
# Builds the 32-bit Windows program and writes what Windows users download: the
# archive, with skelvane-browser.exe and README.txt, a short text on running
# it, and the setup program, which installs the same two files.
#
#   scripts/release.sh [OUTPUT_DIRECTORY]    (default: build/release)
#
# Prints the paths of OUTPUT_DIRECTORY/skelvane-browser-VERSION-win32.zip and
# OUTPUT_DIRECTORY/skelvane-browser-VERSION-setup.exe, a line each. VERSION is
# the project's version in CMakeLists.txt, which the program's version block
# carries too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
output=$(realpath -m "${1:-build/release}")

cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j 2 --target skelvane-browser >/dev/null
version=$(sed -n 's/^project(skelvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
archive="$output/skelvane-browser-$version-win32.zip"
setup="$output/skelvane-browser-$version-setup.exe"
mkdir -p "$output"
rm -f "$archive" "$setup"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The text gets the version and the line ends that every Windows editor shows.
python3 - "$archive" "$stage" build/windows-release/app/skelvane-browser.exe \
  docs/windows-readme.txt "$version" <<'PYTHON'
import shutil
import sys
import zipfile

archive, stage, exe, readme, version = sys.argv[1:6]
text = open(readme, encoding="utf-8").read().replace("@VERSION@", version)
shutil.copyfile(exe, f"{stage}/skelvane-browser.exe")
with open(f"{stage}/README.txt", "w", encoding="utf-8", newline="\r\n") as out:
    out.write(text)
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as out:
    for name in ("skelvane-browser.exe", "README.txt"):
        out.write(f"{stage}/{name}", name)
PYTHON
installer/make-setup.sh "$version" "$stage" build/windows-release/res/app.ico "$setup"
echo "$archive"
echo "$setup"
