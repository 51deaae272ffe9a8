#!/bin/sh
# CTest's emulator for the Windows tests: runs one test program under Wine in
# the environment that scripts/wine-env.sh prepares (display, prefix, server).
exec "${SKELVANE_WINE:-wine}" "$@"
