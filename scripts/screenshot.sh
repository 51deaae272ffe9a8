#!/usr/bin/env bash
# Starts a small network on 127.0.0.1, runs the Windows browser against it under
# Wine on a virtual display, waits for its refresh and writes a PNG of its window.
#
#   scripts/screenshot.sh [OUTPUT.png]    (default: build/screenshot.png)
#
# SKELVANE_SHOT_WAIT sets the seconds to wait once the window is up (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-build/screenshot.png}")
wait_seconds=${SKELVANE_SHOT_WAIT:-5}

. scripts/wine-env.sh
exe="build/$SKELVANE_WINDOWS_PRESET/app/skelvane-browser.exe"
if [ ! -f "$exe" ]; then
  cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
  cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane-browser >/dev/null
fi

# A free UDP port on the loopback address for the master.
master_port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM);
s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

pids=()
stop_all() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  skelvane_wine_stop
}
trap stop_all EXIT

python3 scripts/tiny-network.py "$master_port" 120 &
pids+=($!)
"$SKELVANE_WINE" "$exe" --master "127.0.0.1:$master_port" >/dev/null 2>&1 </dev/null &
pids+=($!)

window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Skelvane Server Browser"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot: the browser's window did not appear" >&2
  exit 1
fi
sleep "$wait_seconds"
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "$output"
