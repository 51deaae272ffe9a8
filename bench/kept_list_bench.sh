#!/usr/bin/env bash
# Reading a kept master list of 16,384 servers under Wine, as the browser
# does when no master answers: the median of several reads against its limit
# of 20 ms, and against reading the file's bytes alone in the same run.
#
#   bench/kept_list_bench.sh [RUNS]    (default 21)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
. scripts/wine-env.sh
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_kept_list_bench >/dev/null
"$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_kept_list_bench.exe" \
  "$runs" </dev/null | tr -d '\r'
