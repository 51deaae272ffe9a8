#!/usr/bin/env bash
# Starts skelvane-testnet with its demo mix, runs the Windows browser against it
# under Wine on a virtual display, waits for the refresh and writes a PNG of the
# browser's window.
#
# The throw-away prefix starts with the demo's settings (scripts/demo-settings.sh:
# buddies that play on the demo network, sorted by host name). Once the
# refresh is done, a demo-only step selects a server with a buddy on it by
# pressing keys in the server list (Home, then Down four times), so that the
# picture has highlighted rows and a filled player list.
#
#   scripts/screenshot.sh [OUTPUT.png]    (default: build/screenshot.png)
#
# SKELVANE_SHOT_WAIT sets the seconds to wait once the window is up (default 12,
# enough for the demo network's three passes).
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-build/screenshot.png}")
wait_seconds=${SKELVANE_SHOT_WAIT:-12}

. scripts/wine-env.sh
. scripts/testnet-up.sh
. scripts/demo-settings.sh
exe="build/$SKELVANE_WINDOWS_PRESET/app/skelvane-browser.exe"
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane-browser >/dev/null
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet >/dev/null

demo_settings_install

testnet_up build/native-release/testnet/skelvane-testnet --mix demo
stop_all() {
  testnet_down
  skelvane_wine_stop
}
trap stop_all EXIT

# Wine's own desktop window draws the browser's frame and title bar, which a
# bare X display without a window manager would not.
"$SKELVANE_WINE" explorer /desktop=skelvane,1024x640 "$exe" --master "$TESTNET_MASTER" \
  >/dev/null 2>&1 </dev/null &

window=""
for _ in $(seq 150); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Skelvane Server Browser"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot: the browser's window did not appear" >&2
  exit 1
fi
sleep "$wait_seconds"
# Keys go to the window under the pointer; the server list has the focus.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 20)) $((Y + 5))
for key in Home Down Down Down Down; do
  xdotool key "$key"
  sleep 0.3
done
# Wine paints the player list of the last selection a moment later; on a busy
# machine one second was seen to catch it half painted.
sleep 2
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "$output"
