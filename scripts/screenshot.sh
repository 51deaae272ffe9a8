#!/usr/bin/env bash
# Starts skelvane-testnet with its demo mix, runs the Windows browser against it
# under Wine on a virtual display, waits for the refresh and writes a PNG of the
# browser's window.
#
# The throw-away prefix starts with settings that show what the browser does
# with them: a buddy list naming players of the demo network, both filters on,
# the list sorted by host name and the players in details view. Once the
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
exe="build/$SKELVANE_WINDOWS_PRESET/app/skelvane-browser.exe"
cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j 2 --target skelvane-browser >/dev/null
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j 2 --target skelvane-testnet >/dev/null

# The settings as a registry file: the buddy list is UTF-16 text with CR LF
# line breaks, which only a hex(1) value carries.
demo_settings() {
  python3 - "$1" <<'PY'
import sys
buddies = "Kite86\r\nRook53\r\nvex99\r\nMoss55\r\nNimbus54"
text = ",".join("%02x" % b for b in (buddies + "\0").encode("utf-16-le"))
lines = [
    "Windows Registry Editor Version 5.00", "",
    "[HKEY_CURRENT_USER\\Software\\Drenlix\\Skelvane Server Browser]",
    '"Buddy List"=hex(1):' + text, '"Version"=dword:00000002',
    '"Show Full Servers"=dword:00000001', '"Show Empty Servers"=dword:00000001',
    '"Sort Order"=dword:00000000', '"Player View Style"=dword:00000001', "",
]
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines))
PY
}
demo_settings "$WINEPREFIX/demo-settings.reg"
"$SKELVANE_WINE" regedit /S "Z:${WINEPREFIX//\//\\}\\demo-settings.reg" >/dev/null 2>&1 </dev/null

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
sleep 1
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "$output"
