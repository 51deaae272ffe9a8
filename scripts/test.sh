#!/usr/bin/env bash
# Builds everything and runs every test: the native suites under Address- and
# UndefinedBehaviorSanitizer, those where threads meet again under
# ThreadSanitizer, the native release build, short fuzz runs of every parser of
# received bytes, the Windows build, and the Windows tests under Wine on a
# virtual display. Every build the README tells a user to make is made here in
# full.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
step() { printf '\n== %s (at %d s)\n' "$*" "$SECONDS"; }

step "native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native-debug >/dev/null
cmake --build --preset native-debug -j "$jobs"
ctest --test-dir build/native-debug -j "$jobs" --output-on-failure

step "the suites where threads meet, under ThreadSanitizer"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j "$jobs" --target skelvane_tests
# This build holds only the suites where threads meet (tests/CMakeLists.txt).
# Most of their time is spent waiting on the network and the clock, so they
# run in a shard per processor at once; each shard's output follows in turn.
tsan_logs=$(mktemp -d)
tsan_pids=()
for ((shard = 0; shard < jobs; shard++)); do
  GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$shard \
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    build/native-tsan/tests/skelvane_tests >"$tsan_logs/$shard.log" 2>&1 &
  tsan_pids+=($!)
done
tsan_failed=0
for shard in "${!tsan_pids[@]}"; do
  wait "${tsan_pids[$shard]}" || tsan_failed=1
  cat "$tsan_logs/$shard.log"
done
rm -rf "$tsan_logs"
[ "$tsan_failed" = 0 ]

step "native release build, every target (GCC's -O3 warnings are errors too)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release -j "$jobs"

step "short fuzz runs of every parser of received bytes"
FUZZ_JOBS="$jobs" scripts/fuzz.sh 20

step "Windows build"
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j "$jobs"

step "Windows tests under Wine"
# In a subshell, so that the display and the Wine prefix stop when it ends.
(
  . scripts/wine-env.sh
  if [ "$SKELVANE_WINDOWS_PRESET" != windows-release ]; then
    echo "this kernel runs no 32-bit programs: testing the 64-bit build of the same code"
    # What the tests run; the rest was built whole above, as the 32-bit build.
    cmake --preset "$SKELVANE_WINDOWS_PRESET" >/dev/null
    cmake --build --preset "$SKELVANE_WINDOWS_PRESET" -j "$jobs" --target skelvane_windows_tests \
      skelvane-browser skelvane-query skelvane-standin skelvane_install_driver
  fi
  ctest --test-dir "build/$SKELVANE_WINDOWS_PRESET" --output-on-failure
)

step "all tests passed"
