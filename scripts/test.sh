#!/usr/bin/env bash
# Builds everything and runs every test: the native suites under Address- and
# UndefinedBehaviorSanitizer, the engine again under ThreadSanitizer, short
# fuzz runs of every parser of received bytes, and the Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
step() { printf '\n== %s\n' "$*"; }

step "native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native-debug >/dev/null
cmake --build --preset native-debug -j "$jobs"
ctest --test-dir build/native-debug -j "$jobs" --output-on-failure

step "engine tests under ThreadSanitizer"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j "$jobs" --target skelvane_tests
# The engine's threads meet in the refresh, sweep and receiver suites.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  build/native-tsan/tests/skelvane_tests

step "short fuzz runs of every parser of received bytes"
scripts/fuzz.sh 20

step "Windows build"
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j "$jobs"

step "all tests passed"
