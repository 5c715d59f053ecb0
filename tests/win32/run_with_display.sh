#!/bin/bash
# Runs one Windows program under wine on a private Xvfb and passes its exit
# code on: for tests that create real windows in their own process.
#
#   run_with_display.sh PROGRAM.EXE [ARGUMENTS...]
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/wine_prefix.sh"
source "$here/xvfb_session.sh"

# Output goes to files: wine's helper processes would hold a pipe open.
status=0
timeout 180 wine "$@" </dev/null >"$work/output.log" 2>"$work/wine.log" || status=$?
cat "$work/output.log"
[[ $status -eq 0 ]] || tail -n 40 "$work/wine.log" >&2
exit "$status"
