# Sourced by scripts: starts skelvane-testnet in the background with the given
# options and sets TESTNET_PID and TESTNET_MASTER (127.0.0.1:PORT). The caller
# stops it with testnet_down.

testnet_up() {
  local binary=$1
  shift
  TESTNET_DIR=$(mktemp -d)
  "$binary" --master-port 0 --list-file "$TESTNET_DIR/servers.txt" "$@" \
    >"$TESTNET_DIR/out.txt" 2>"$TESTNET_DIR/summary.txt" &
  TESTNET_PID=$!
  local waited=0
  until grep -q '^ready' "$TESTNET_DIR/out.txt" 2>/dev/null; do
    if ! kill -0 "$TESTNET_PID" 2>/dev/null || [ "$waited" -ge 300 ]; then
      echo "skelvane-testnet did not start:" >&2
      cat "$TESTNET_DIR/summary.txt" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  TESTNET_MASTER=$(sed -n '1s/^master //p' "$TESTNET_DIR/out.txt")
}

# Stops the network and leaves what it sent in TESTNET_SUMMARY.
testnet_down() {
  kill -TERM "$TESTNET_PID" 2>/dev/null || true
  wait "$TESTNET_PID" 2>/dev/null || true
  TESTNET_SUMMARY=$(cat "$TESTNET_DIR/summary.txt")
  rm -rf "$TESTNET_DIR"
}
