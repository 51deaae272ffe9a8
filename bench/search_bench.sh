#!/usr/bin/env bash
# The game search under Wine over a generated tree of 50,000 files (50 folders
# of 10 folders of 100 files) on the test prefix's fixed drive D:, several
# runs: entries looked at per second by the search, against a bare walk of the
# same tree in the same run.
#
#   bench/search_bench.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
. scripts/wine-env.sh
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_search_bench >/dev/null

python3 - "$WINEPREFIX/drives/d/tree" <<'PY'
import os, sys
root = sys.argv[1]
for a in range(50):
    for b in range(10):
        folder = os.path.join(root, f"folder{a:02}", f"sub{b}")
        os.makedirs(folder)
        for c in range(100):
            open(os.path.join(folder, f"file{c:03}.dat"), "w").close()
PY
"$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_search_bench.exe" \
  'D:\tree\' "$runs" </dev/null | tr -d '\r'
