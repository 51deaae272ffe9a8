#!/usr/bin/env bash
# A soak of the real main window under Wine: 100 whole refreshes in a row of
# 2000 test-network servers at an unlimited rate, then 30 refreshes aborted
# once half the servers are listed. Prints the process's committed private
# memory, working set, handles and GDI and USER objects after every tenth
# refresh, their growth from the 20th refresh to the last of each phase (the
# first few fill caches and pools that are then reused), and whether every
# whole refresh ended "Completed. N of N servers responded." and every aborted
# one "Aborted. ...". Exits 1 when a refresh did not.
#
#   bench/soak_bench.sh [SERVERS] [COMPLETED] [ABORTED]    (default 2000 100 30)
set -euo pipefail
cd "$(dirname "$0")/.."
servers=${1:-2000}
completed=${2:-100}
aborted=${3:-30}
. scripts/wine-env.sh
. scripts/testnet-up.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet >/dev/null
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_soak_bench >/dev/null
bench="build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_soak_bench.exe"

results=$(mktemp)
trap 'rm -f "$results"; testnet_down; skelvane_wine_stop' EXIT
testnet_up build/native-release/testnet/skelvane-testnet --mix plain --servers "$servers"
status=0
"$SKELVANE_WINE" "$bench" "$TESTNET_MASTER" "$servers" "$completed" "$aborted" </dev/null \
  | tr -d '\r' >"$results" || status=$?

python3 - "$results" "$servers" "$SKELVANE_WINDOWS_PRESET" <<'PY'
import re, sys
rows = [dict(re.findall(r"(\w+)=(\S+)", line)) for line in open(sys.argv[1])]
samples = [r for r in rows if "phase" in r]
figures = ["private_kb", "working_set_kb", "handles", "gdi", "user"]
kind = samples[-1]["user_kind"] if samples else "objects"
print(f"soak of the real main window under Wine ({sys.argv[3]}), {sys.argv[2]} servers a refresh")
print(f"{'phase':>10} {'refreshes':>9} {'private KiB':>12} {'working set KiB':>16} {'handles':>8}"
      f" {'GDI':>6} {'USER':>6}")
for r in samples:
    print(f"{r['phase']:>10} {r['refreshes']:>9} {r['private_kb']:>12} {r['working_set_kb']:>16}"
          f" {r['handles']:>8} {r['gdi']:>6} {r['user']:>6}")
for phase in ("completed", "aborted"):
    run = [r for r in samples if r["phase"] == phase]
    base = next((r for r in run if int(r["refreshes"]) >= 20), run[0] if run else None)
    if base is None or base is run[-1]:
        continue
    growth = ", ".join(f"{f} {int(run[-1][f]) - int(base[f]):+d}" for f in figures)
    print(f"growth over {phase} refreshes {base['refreshes']} to {run[-1]['refreshes']}: {growth}")
if kind == "windows":
    print("USER: the windows of the process (the system counts no USER objects here);"
          " GDI: the process's shared GDI handle table")
wrong = next((r["refreshes_not_as_expected"] for r in rows if "refreshes_not_as_expected" in r), "?")
print(f"refreshes that did not end as expected: {wrong}")
PY
exit $((status == 0 ? 0 : 1))
