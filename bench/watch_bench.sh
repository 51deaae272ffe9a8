#!/usr/bin/env bash
# Watches 5000 test-network servers for buddies at 100 queries a second, and
# prints what one watched refresh costs: the CPU time of the real main window
# under Wine, hidden in the notification area as a minimized watching window
# is, against `skelvane-query --watch` on the same network at the same time
# (the window is held to at most 1.5 times it); and the window's memory after
# each of its refreshes, which must stay flat.
#
# The command line runs twice beside the window: as the Windows program under
# Wine, which pays what the window pays for every socket call and wait, so the
# two differ by the window alone; and natively, which shows what Wine itself
# costs. This machine's CPU times drift by half from one minute to the next:
# measured in the same minutes, the three drift together.
# Each refresh takes about a minute at this rate: a run is about 20 minutes.
#
#   bench/watch_bench.sh [WINDOW_REFRESHES] [SERVERS] [RATE]   (default 20 5000 100)
set -euo pipefail
cd "$(dirname "$0")/.."
window_refreshes=${1:-20}
servers=${2:-5000}
rate=${3:-100}
. scripts/wine-env.sh
. scripts/testnet-up.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet skelvane-query >/dev/null
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_watch_bench \
  skelvane-query >/dev/null
windows_build="build/$SKELVANE_WINDOWS_PRESET"

results=$(mktemp)
baseline_pids=()
trap 'kill -TERM "${baseline_pids[@]}" 2>/dev/null || true; rm -f "$results"; testnet_down;
      skelvane_wine_stop' EXIT
testnet_up build/native-release/testnet/skelvane-testnet --mix plain --servers "$servers"

# One command line's watch, in the background: its CPU time per whole refresh,
# read from /proc as each ends (a Wine program is one Linux process too), until
# it is told to stop.
start_query() {
  python3 - "$TESTNET_MASTER" "$rate" "$@" <<'PY' >>"$results" &
import os, signal, subprocess, sys
master, rate, label, program = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
query = subprocess.Popen(
    program + ["--master", master, "--rate", rate,
               "--watch", "1", "--buddy", "Ox", "--buddy", "Wren", "--buddy", "Rook"],
    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
    text=True, encoding="utf-8", errors="replace")
signal.signal(signal.SIGTERM, lambda *_: query.send_signal(signal.SIGINT))
ticks = os.sysconf("SC_CLK_TCK")
def cpu_ms():
    fields = open(f"/proc/{query.pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / ticks
before, done = 0.0, 0
for line in query.stderr:
    if line.startswith("Completed."):
        done += 1
        now = cpu_ms()
        print(f"{label} refresh={done} cpu_ms={now - before:.1f}", flush=True)
        before = now
query.wait()
PY
  baseline_pids+=($!)
}

start_query query_native build/native-release/cli/skelvane-query
start_query query_wine "$SKELVANE_WINE" "$windows_build/cli/skelvane-query.exe"
"$SKELVANE_WINE" "$windows_build/bench/windows/skelvane_watch_bench.exe" "$TESTNET_MASTER" \
  "$window_refreshes" "$rate" </dev/null | sed -u 's/\r$//; s/^/window /' \
  | tee -a "$results" >&2
kill -TERM "${baseline_pids[@]}"
wait "${baseline_pids[@]}" || true

python3 - "$results" "$servers" "$rate" "$SKELVANE_WINDOWS_PRESET" <<'PY'
import re, statistics, sys
rows = {"window": [], "query_wine": [], "query_native": []}
for line in open(sys.argv[1]):
    kind = line.split()[0]
    rows[kind].append({k: float(v) for k, v in re.findall(r"(\w+)=([\d.]+)", line)})
# The first refresh of each also pays for starting up: the medians leave it out.
cpu = {k: statistics.median(r["cpu_ms"] for r in rows[k][1:]) for k in rows}
ui = statistics.median(r["ui_cpu_ms"] for r in rows["window"][1:])
print(f"a watched refresh of {sys.argv[2]} servers at {sys.argv[3]} queries a second, "
      f"all three at once (medians of refreshes 2 on; Wine runs {sys.argv[4]})")
print(f"  window, minimized, under Wine         cpu {cpu['window']:8.1f} ms per refresh "
      f"({len(rows['window'])} refreshes), of which its UI thread {ui:.1f} ms")
print(f"  skelvane-query.exe --watch, under Wine cpu {cpu['query_wine']:8.1f} ms per refresh "
      f"({len(rows['query_wine'])} refreshes)")
print(f"  skelvane-query --watch, native        cpu {cpu['query_native']:8.1f} ms per refresh "
      f"({len(rows['query_native'])} refreshes)")
print(f"  ratio window / query, both under Wine  {cpu['window'] / cpu['query_wine']:.2f}  "
      f"(at most 1.5)")
print(f"  ratio window / native query            {cpu['window'] / cpu['query_native']:.2f}  "
      f"(Wine's own cost included: query under Wine / native "
      f"{cpu['query_wine'] / cpu['query_native']:.2f})")
for key, name in (("working_set_kb", "working set"), ("committed_kb", "committed memory")):
    memory = [int(r[key]) for r in rows["window"]]
    print(f"  window {name}, KiB, after each refresh: " + " ".join(map(str, memory)))
    print(f"    growth from refresh 2 to the last: {memory[-1] - memory[1]} KiB")
PY
