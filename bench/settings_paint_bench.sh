#!/usr/bin/env bash
# Buddy highlighting and the settings store in the real main window under
# Wine: each run prints the medians of 20 repaints of a server list page of
# 64-player servers with a 200-name buddy list and without one, of the buddy
# matching alone for that page, and of 20 loads of the settings with a
# 100,000-character buddy list and with an empty one.
#
#   bench/settings_paint_bench.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
. scripts/wine-env.sh
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_settings_paint_bench \
  >/dev/null
for _ in $(seq "$runs"); do
  "$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_settings_paint_bench.exe" \
    </dev/null | tr -d '\r'
done
