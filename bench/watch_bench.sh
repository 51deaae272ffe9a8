#!/usr/bin/env bash
# Watches 5000 test-network servers for buddies at 100 queries a second, and
# prints what one watched refresh costs: the CPU time of the real main window
# under Wine, hidden in the notification area as a minimized watching window
# is, against `skelvane-query --watch` on the same network in the same run
# (native, no window), the baseline the window is held to (at most 1.5 times);
# and the window's memory after each of its refreshes, which must stay flat.
# In the same run, the engine alone under Wine (no window) shows how much of
# the window's figure is Wine's sockets and waits rather than the window.
# Each refresh takes a minute at this rate: a run is about 30 minutes.
#
#   bench/watch_bench.sh [WINDOW_REFRESHES] [QUERY_REFRESHES] [SERVERS] [RATE]
#                        (default 20 5 5000 100)
set -euo pipefail
cd "$(dirname "$0")/.."
window_refreshes=${1:-20}
query_refreshes=${2:-5}
servers=${3:-5000}
rate=${4:-100}
. scripts/wine-env.sh
. scripts/testnet-up.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet skelvane-query >/dev/null
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane_watch_bench >/dev/null
bench="build/$SKELVANE_WINDOWS_PRESET/bench/windows/skelvane_watch_bench.exe"

results=$(mktemp)
trap 'rm -f "$results"; testnet_down; skelvane_wine_stop' EXIT
testnet_up build/native-release/testnet/skelvane-testnet --mix plain --servers "$servers"

# The baseline: the command line's watch, its CPU time over whole refreshes
# (from its start to the end of the last one, read from /proc as it ends).
python3 - "$TESTNET_MASTER" "$query_refreshes" "$rate" <<'PY' | tee -a "$results" >&2
import os, signal, subprocess, sys
master, refreshes, rate = sys.argv[1], int(sys.argv[2]), sys.argv[3]
query = subprocess.Popen(
    ["build/native-release/cli/skelvane-query", "--master", master, "--rate", rate,
     "--watch", "1", "--buddy", "Ox", "--buddy", "Wren", "--buddy", "Rook"],
    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
ticks = os.sysconf("SC_CLK_TCK")
def cpu_ms():
    fields = open(f"/proc/{query.pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / ticks
before, done = 0.0, 0
for line in query.stderr:
    if line.startswith("Completed."):
        done += 1
        now = cpu_ms()
        print(f"query refresh={done} cpu_ms={now - before:.1f} {line.strip()}", flush=True)
        before = now
        if done == refreshes:
            break
query.send_signal(signal.SIGINT)
query.wait()
PY

# Wine's server does part of the window's work in a process of its own: its
# CPU time over the window's run is given beside the window's. It is the
# server whose working directory Wine names after this prefix.
wineserver_cpu_ms() {
  local dir pid
  dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep -u "$(id -u)" wineserver); do
    if [ "$(basename "$(readlink "/proc/$pid/cwd")")" = "$dir" ]; then
      awk -v ticks="$(getconf CLK_TCK)" '{ split($0, a, ") "); split(a[2], f, " ");
        print (f[12] + f[13]) * 1000 / ticks }' "/proc/$pid/stat"
      return
    fi
  done
  echo 0
}
# What Wine costs without the window: the engine alone, same rate and pause.
"$SKELVANE_WINE" "$bench" "$TESTNET_MASTER" "$query_refreshes" "$rate" --engine-alone </dev/null \
  | tr -d '\r' | sed 's/^/engine /' | tee -a "$results" >&2

server_before=$(wineserver_cpu_ms)
"$SKELVANE_WINE" "$bench" "$TESTNET_MASTER" "$window_refreshes" "$rate" </dev/null \
  | tr -d '\r' | sed 's/^/window /' | tee -a "$results" >&2
echo "wineserver before_ms=$server_before after_ms=$(wineserver_cpu_ms)" | tee -a "$results" >&2

python3 - "$results" "$servers" "$rate" "$SKELVANE_WINDOWS_PRESET" <<'PY'
import re, statistics, sys
rows = {"query": [], "engine": [], "window": [], "wineserver": []}
for line in open(sys.argv[1]):
    kind = line.split()[0]
    rows[kind].append({k: float(v) for k, v in re.findall(r"(\w+)=([\d.]+)", line)})
# The first refresh of each also pays for starting up: the medians leave it out.
cpu = {k: statistics.median(r["cpu_ms"] for r in rows[k][1:]) for k in ("query", "engine", "window")}
print(f"a watched refresh of {sys.argv[2]} servers at {sys.argv[3]} queries a second "
      f"(medians of refreshes 2 on)")
print(f"  skelvane-query --watch  cpu {cpu['query']:8.1f} ms per refresh "
      f"({len(rows['query'])} refreshes)")
ui = statistics.median(r["ui_cpu_ms"] for r in rows["window"][1:])
print(f"  window, minimized       cpu {cpu['window']:8.1f} ms per refresh "
      f"({len(rows['window'])} refreshes, under Wine, {sys.argv[4]}), "
      f"of which its UI thread {ui:.1f} ms")
print(f"  ratio window / query    {cpu['window'] / cpu['query']:.2f}  (at most 1.5)")
print(f"  engine alone under Wine cpu {cpu['engine']:8.1f} ms per refresh, ratio to query "
      f"{cpu['engine'] / cpu['query']:.2f}; the window adds "
      f"{cpu['window'] - cpu['engine']:.1f} ms ({(cpu['window'] - cpu['engine']) / cpu['query']:.2f} of query)")
wineserver = rows["wineserver"][0]
server = (wineserver["after_ms"] - wineserver["before_ms"]) / len(rows["window"])
print(f"  Wine's server meanwhile  cpu {server:8.1f} ms per refresh of the window "
      f"(ratio with it {(cpu['window'] + server) / cpu['query']:.2f})")
for key, name in (("working_set_kb", "working set"), ("committed_kb", "committed memory")):
    memory = [int(r[key]) for r in rows["window"]]
    print(f"  window {name}, KiB, after each refresh: " + " ".join(map(str, memory)))
    print(f"    growth from refresh 2 to the last: {memory[-1] - memory[1]} KiB")
PY
