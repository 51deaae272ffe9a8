#!/usr/bin/env bash
# A long fuzz run of every target, by default an hour each, keeping what it
# finds in build/fuzz-corpus/ so that the next long run goes on from there.
#
#   scripts/fuzz-long.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec scripts/fuzz.sh "${1:-3600}" build/fuzz-corpus
