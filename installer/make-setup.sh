#!/usr/bin/env bash
# Writes the setup program of one version of the browser with makensis.
#
#   installer/make-setup.sh VERSION PROGRAM_DIR ICON OUTPUT
#
# PROGRAM_DIR holds skelvane-browser.exe and README.txt, as they go into the
# archive; ICON is the program's icon, which the setup program and its
# uninstaller show too. VERSION has four numbers (1.0.0.11).
set -euo pipefail
if [ "$#" -ne 4 ]; then
  echo "usage: $0 VERSION PROGRAM_DIR ICON OUTPUT" >&2
  exit 64
fi
version=$1
program_dir=$(realpath "$2")
icon=$(realpath "$3")
output=$(realpath -m "$4")
script="$(dirname "$0")/skelvane-browser.nsi"

makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DPROGRAM_DIR="$program_dir" \
  -DICON="$icon" -DOUTFILE="$output" "$script" >/dev/null
