#!/usr/bin/env bash
# The browser's main job on a local test network: starts skelvane-testnet with
# a few dozen varied servers and runs a whole refresh against it with
# skelvane-query, which prints every status text as it is shown (stderr) and
# then the server list as the browser sorts it, with each server's players.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/testnet-up.sh

cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$(nproc)" --target skelvane-query skelvane-testnet \
  >/dev/null

testnet_up build/native-release/testnet/skelvane-testnet --mix demo
trap testnet_down EXIT
echo "== test network: master on $TESTNET_MASTER, $(wc -l <"$TESTNET_DIR/servers.txt") servers"
echo "== skelvane-query --master $TESTNET_MASTER --rate 100 --players"
build/native-release/cli/skelvane-query --master "$TESTNET_MASTER" --rate 100 --players
