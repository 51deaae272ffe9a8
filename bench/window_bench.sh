#!/usr/bin/env bash
# Refreshes 2000 and 5000 test-network servers at an unlimited rate in the
# real main window under Wine, several runs each, and prints the medians of:
# the time until the list held a row for every server, the whole refresh, the
# share of servers answered in pass 1, and the longest time the UI thread
# left a message waiting. The baselines, measured on the same network in the
# same run: the same refresh by skelvane-query (native, no window), which the
# window is held to, and by the engine alone under Wine (no window), which
# shows what Wine's sockets and threads cost apart from the window.
#
#   bench/window_bench.sh [RUNS]    (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
. scripts/wine-env.sh
. scripts/testnet-up.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet skelvane-query >/dev/null
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 \
  --target skelvane_window_bench skelvane_engine_bench >/dev/null
bench="build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_window_bench.exe"
engine_bench="build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_engine_bench.exe"

results=$(mktemp)
trap 'rm -f "$results"; skelvane_wine_stop' EXIT
for servers in 2000 5000; do
  for run in $(seq "$runs"); do
    testnet_up build/native-release/testnet/skelvane-testnet --mix plain --servers "$servers" \
      --seed "$run"
    window=$("$SKELVANE_WINE" "$bench" "$TESTNET_MASTER" "$servers" </dev/null | tr -d '\r')
    engine=$("$SKELVANE_WINE" "$engine_bench" "$TESTNET_MASTER" </dev/null | tr -d '\r')
    query=$(/usr/bin/time -f %e build/native-release/cli/skelvane-query --master "$TESTNET_MASTER" \
      --rate 1000000 2>&1 >/dev/null | tail -n 1)
    echo "$window $engine query_s=$query" | tee -a "$results" >&2
    testnet_down
  done
done

python3 - "$results" "$runs" "$SKELVANE_WINDOWS_PRESET" <<'PY'
import re, statistics, sys
rows = {}
for line in open(sys.argv[1]):
    fields = dict(re.findall(r"(\w+)=([\d.]+)", line))
    if fields:
        rows.setdefault(int(fields["servers"]), []).append(fields)
print(f"real main window under Wine ({sys.argv[3]}), unlimited rate, medians of {sys.argv[2]} runs")
print(f"{'servers':>8} {'all rows s':>11} {'refresh s':>10} {'query s':>8} {'ratio':>6}"
      f" {'engine s':>9} {'vs engine':>10} {'pass 1':>7} {'longest UI wait ms':>19}")
for servers, runs in sorted(rows.items()):
    median = lambda key: statistics.median(float(r[key]) for r in runs)
    refresh = median('refresh_ms') / 1000
    engine = median('engine_ms') / 1000
    print(f"{servers:>8} {median('all_rows_ms') / 1000:>11.2f} {refresh:>10.2f}"
          f" {median('query_s'):>8.2f} {refresh / median('query_s'):>6.2f}"
          f" {engine:>9.2f} {refresh / engine:>10.2f}"
          f" {median('pass1'):>7.3f} {median('ui_longest_wait_ms'):>19.0f}")
PY
