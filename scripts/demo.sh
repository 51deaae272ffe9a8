#!/usr/bin/env bash
# The browser's main job on a local test network. Starts skelvane-testnet with a
# few dozen varied servers (colour codes, full, empty, slow, lossy, every
# platform) and:
#   - runs a whole refresh with skelvane-query, which prints every status text
#     as it is shown (stderr) and the server list as the browser sorts it;
#   - opens skelvane-browser.exe under Wine against the same network: on your
#     display when there is one, otherwise on a virtual display, writing a
#     screenshot of its window to build/demo-screenshot.png. On your display a
#     double-click on a server starts a stand-in for the game, which records
#     its command line; the browser closes and the demo prints the record.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/testnet-up.sh

cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$(nproc)" --target skelvane-query skelvane-testnet \
  >/dev/null

testnet_up build/native-release/testnet/skelvane-testnet --mix demo
trap testnet_down EXIT
echo "== test network: master on $TESTNET_MASTER, $(wc -l <"$TESTNET_DIR/servers.txt") servers"
echo "== skelvane-query --master $TESTNET_MASTER --rate 100 --players"
build/native-release/cli/skelvane-query --master "$TESTNET_MASTER" --rate 100 --players

if [ -z "${DISPLAY:-}" ]; then
  echo "== skelvane-browser.exe under Wine on a virtual display"
  testnet_down
  trap - EXIT
  echo "screenshot: $(scripts/screenshot.sh build/demo-screenshot.png)"
  exit 0
fi

echo "== skelvane-browser.exe under Wine on $DISPLAY; double-click a server to join it with the"
echo "   stand-in game, or close the window to end the demo"
(
  export SKELVANE_USE_DISPLAY=1
  . scripts/wine-env.sh
  cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
  cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j "$(nproc)" \
    --target skelvane-browser skelvane-standin >/dev/null
  # The stand-in game, named as the game, on the prefix's fixed drive D:, and
  # the browser's settings pointing at it (with both filters on, as on a first
  # start). Without those settings a double-click finds it by searching.
  game="$WINEPREFIX/drives/d/Games/Skelvane"
  mkdir -p "$game"
  cp "build/$SKELVANE_WINDOWS_PRESET/standin/skelvane-standin.exe" "$game/skelvane.exe"
  settings='HKCU\SOFTWARE\Drenlix\Skelvane Server Browser'
  "$SKELVANE_WINE" reg add "$settings" /v 'Skelvane Directory' /d 'D:\Games\Skelvane\' /f \
    >/dev/null 2>&1
  for filter in 'Show Full Servers' 'Show Empty Servers'; do
    "$SKELVANE_WINE" reg add "$settings" /v "$filter" /t REG_DWORD /d 1 /f >/dev/null 2>&1
  done
  "$SKELVANE_WINE" "build/$SKELVANE_WINDOWS_PRESET/app/skelvane-browser.exe" \
    --master "$TESTNET_MASTER" </dev/null >/dev/null 2>&1
  # A game started just before the browser closed may still be writing.
  for _ in $(seq 30); do
    [ -f "$game/launched.txt" ] && break
    sleep 0.1
  done
  if [ -f "$game/launched.txt" ]; then
    echo "== the browser started the stand-in game and closed; the game's command line and"
    echo "   current directory:"
    sed 's/^/   /' "$game/launched.txt"
  fi
)
