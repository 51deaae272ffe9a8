# Sourced, not run: prepares a virtual display and a throw-away Wine prefix for
# running the Windows program and its tests, and stops all of it on exit.
#
#   . scripts/wine-env.sh    # then: ctest --test-dir build/$SKELVANE_WINDOWS_PRESET
#
# SKELVANE_USE_DISPLAY=1 keeps an existing DISPLAY instead of a virtual one.
#
# The prefix's fixed drives are C: and two empty ones, D: and E:, for the game
# search to look through; F: (CD-ROM) and G: (removable) are empty too, and the
# Linux file system is Z:, a network drive, which no search enters.
#
# Sets DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG, WINESERVER, WINELOADER,
# SKELVANE_WINE (the loader to start programs with) and SKELVANE_WINDOWS_PRESET:
# windows-release where this kernel runs 32-bit programs, otherwise
# windows-x64, the same program built for 64-bit Wine.
#
# Wine's helper processes keep the output of whatever started them open, so the
# display, the server and the prefix's first boot are all started here with
# their output sent to /dev/null, before any test runs.

skelvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export WINEARCH=win32 SKELVANE_WINE=/usr/lib/wine/wine
  export WINESERVER=/usr/lib/wine/wineserver32 SKELVANE_WINDOWS_PRESET=windows-release
else
  export WINEARCH=win64 SKELVANE_WINE=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64 SKELVANE_WINDOWS_PRESET=windows-x64
fi
export WINELOADER=$SKELVANE_WINE
export WINEDEBUG=-all
export WINEPREFIX="$skelvane_root/build/wine-$WINEARCH-$$"

skelvane_start_xvfb() {
  # The first display number that nobody holds.
  local display=90
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  export DISPLAY=":$display"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  skelvane_xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    sleep 0.1
  done
}

skelvane_wine_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${skelvane_xvfb_pid:-}" ] && kill "$skelvane_xvfb_pid" 2>/dev/null
  [ -n "${skelvane_xvfb_pid:-}" ] && wait "$skelvane_xvfb_pid" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap skelvane_wine_stop EXIT

if [ "${SKELVANE_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  skelvane_start_xvfb
fi

mkdir -p "$WINEPREFIX"
"$WINESERVER" -p >/dev/null 2>&1 </dev/null || true
"$SKELVANE_WINE" wineboot --init >/dev/null 2>&1 </dev/null || true
# Without a window manager, Wine waits two seconds for every top-level window
# it destroys unless it manages none of them itself.
"$SKELVANE_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
  >/dev/null 2>&1 </dev/null || true
. "$skelvane_root/scripts/wine-drives.sh"
skelvane_wine_drives d=hd:"$WINEPREFIX/drives/d" e=hd:"$WINEPREFIX/drives/e" \
  f=cdrom:"$WINEPREFIX/drives/f" g=floppy:"$WINEPREFIX/drives/g" z=network:/
