#!/bin/bash
# Runs one Windows program in the project's wine prefix: the emulator CMake and
# CTest start every cross-built executable through. The wine server lingers a
# few seconds after the last program so consecutive tests start quickly.
#
# Wine leaves helper processes behind (the server, the desktop process) that
# inherit whatever they are given as output; were that CTest's pipe, CTest
# would wait for them. So the program writes to files, copied out when it ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
wineserver -p10 </dev/null >/dev/null 2>&1 || true  # already running is fine

output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
wine "$@" </dev/null >"$output" 2>"$errors" || status=$?
cat "$output"
cat "$errors" >&2
exit "$status"
