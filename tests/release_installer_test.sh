#!/usr/bin/env bash
# Runs tests/release_installer_test.py in a fresh Wine prefix of its own, on the
# display of the Windows tests (or a virtual one), against a local test
# network; all of it stops when the test ends.
#
#   tests/release_installer_test.sh DRIVER_EXE
#
# Exits with 77 (skipped) where this kernel runs no 32-bit programs, as the
# setup program and the browser are 32-bit.
set -euo pipefail
cd "$(dirname "$0")/.."
driver=$(realpath "$1")

# The same test as scripts/wine-env.sh makes to choose the prefix's kind.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "skipped: this kernel runs no 32-bit programs, and the setup program is one"
  exit 77
fi

cmake --preset native-debug >/dev/null
cmake --build --preset native-debug --target skelvane-testnet >/dev/null

# The setup program's Start-menu shortcut stays inside the prefix: Wine would
# otherwise copy it into this machine's own menus.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export SKELVANE_USE_DISPLAY=1
. scripts/wine-env.sh
. scripts/testnet-up.sh
testnet_up build/native-debug/testnet/skelvane-testnet --mix plain --servers 8
stop_all() {
  testnet_down
  skelvane_wine_stop
}
trap stop_all EXIT

python3 tests/release_installer_test.py "$driver" "$TESTNET_MASTER"
