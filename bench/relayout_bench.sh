#!/usr/bin/env bash
# One relayout of the real main window under Wine, per size change: the sizer
# moving every anchored control and the nine column widths, with and without
# the repaint, against the resize of a bare window in the same run. Prints the
# median of 100 size changes for each run and the medians over the runs.
#
#   bench/relayout_bench.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
. scripts/wine-env.sh
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_relayout_bench >/dev/null
"$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_relayout_bench.exe" \
  "$runs" </dev/null | tr -d '\r'
