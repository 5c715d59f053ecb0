#!/bin/bash
# CTest's set-up and clean-up around the Windows tests:
#   ready  makes the prefix (wine_prefix.sh) and boots it once, so that no test
#          runs while the prefix is being made or started for the first time
#   done   ends the prefix's wine processes, so none outlive the test run
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
case ${1:-} in
  ready)
    wine cmd /c exit </dev/null >/dev/null 2>&1
    wineserver -w
    ;;
  done)
    wineserver -k 2>/dev/null || true
    wineserver -w
    ;;
  *)
    echo "usage: wine_fixture.sh ready|done" >&2
    exit 2
    ;;
esac
