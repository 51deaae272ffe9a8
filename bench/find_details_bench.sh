#!/usr/bin/env bash
# Finding servers and opening a server's details in the real main window under
# Wine: per run, the median and worst of 100 find keystrokes over 16,384
# servers of 8 players each, timed until the list has painted the rows found,
# against the list's bare repaint in the same run; and opening the details of
# a 64-player server with 64 variables. The last line holds the medians over
# the runs.
#
#   bench/find_details_bench.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
. scripts/wine-env.sh
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_find_details_bench \
  >/dev/null
"$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_find_details_bench.exe" \
  "$runs" </dev/null | tr -d '\r'
