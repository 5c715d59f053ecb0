#!/bin/bash
# Runs one Windows program in the project's wine prefix: the emulator CMake and
# CTest start every cross-built executable through. The wine server lingers a
# few seconds after the last program so consecutive tests start quickly.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"
wineserver -p10 2>/dev/null || true  # already running is fine
exec wine "$@"
