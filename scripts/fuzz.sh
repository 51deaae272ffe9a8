#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 20), starting
# from its committed seeds. Fails on the first crash, leak, sanitizer report or
# broken invariant, leaving the input that caused it in build/fuzz-artifacts/.
#
#   scripts/fuzz.sh [SECONDS] [CORPUS_DIR]
#
# Without CORPUS_DIR the run works on a throw-away copy of the seeds; with it,
# the inputs found are kept there (one folder per target) for the next run.
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
for target in "${targets[@]}"; do
  corpus=${keep:+$keep/$target}
  corpus=${corpus:-$work/$target}
  mkdir -p "$corpus" "$artifacts/$target"
  cp -n fuzz/corpus/"$target"/* "$corpus"/
  printf 'fuzz %s for %ss\n' "$target" "$seconds"
  if ! build/fuzz/fuzz/fuzz_"$target" "$corpus" -max_total_time="$seconds" \
      -max_len="${max_len[$target]}" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target/" >"$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log" >&2
    echo "fuzz $target failed; the input is in $artifacts/$target/" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$work/$target.log" | tr '\n' ' '
  echo
done
