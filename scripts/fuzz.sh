#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 20), starting
# from its committed seeds. A target stops at its first crash, leak, sanitizer
# report or broken invariant, leaving the input that caused it in
# build/fuzz-artifacts/; the script then fails once every target has run. Each
# target's executions and crashes are printed as it ends.
#
#   scripts/fuzz.sh [SECONDS] [CORPUS_DIR]
#
# Without CORPUS_DIR the run works on a throw-away copy of the seeds; with it,
# the inputs found are kept there (one folder per target) for the next run.
# FUZZ_JOBS=N runs N targets at a time (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
keep=${2:-}
targets=(status_parser colour_codes master_wire testnet_request servers_file server_rules server_cache
         buddies_file settings_store)
# The longest input worth trying: a full status datagram; a few master
# datagrams in a row; a long UTF-16 name; a request; a list file of many lines;
# a store of a dozen values with a long buddy list.
declare -A max_len=([status_parser]=4096 [colour_codes]=2048 [master_wire]=8192 [testnet_request]=64 [servers_file]=4096 [server_rules]=4096 [server_cache]=4096 [buddies_file]=4096
                    [settings_store]=8192)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=build/fuzz-artifacts

# One target, its figures on one line; fails when it found a crash.
fuzz_target() {
  local target=$1 corpus=${keep:+$keep/$1}
  corpus=${corpus:-$work/$1}
  mkdir -p "$corpus" "$artifacts/$target"
  cp -n fuzz/corpus/"$target"/* "$corpus"/
  local status=0
  build/fuzz/fuzz/fuzz_"$target" "$corpus" -max_total_time="$seconds" \
    -max_len="${max_len[$target]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target/" >"$work/$target.log" 2>&1 || status=$?
  local runs
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$work/$target.log" | grep -oE '[0-9]+$' \
    || grep -oE '^#[0-9]+' "$work/$target.log" | tail -n 1 | tr -d '#')
  printf 'fuzz %-16s %4ss  executions %-10s crashes %s  peak %s MB\n' "$target" "$seconds" \
    "${runs:-?}" "$((status == 0 ? 0 : 1))" \
    "$(grep -oE '^stat::peak_rss_mb: *[0-9]+' "$work/$target.log" | grep -oE '[0-9]+$' || echo '?')"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/$target.log" >&2
    echo "fuzz $target failed; the input is in $artifacts/$target/" >&2
    return 1
  fi
}

failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "${FUZZ_JOBS:-1}" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_target "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
