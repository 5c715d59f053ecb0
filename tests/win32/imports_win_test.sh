#!/bin/bash
# Vantora.exe imports nothing that Windows 7 SP1 lacks: every function it
# imports must be in the list of those checked against that system. A newer
# function (the per-monitor DPI ones, say) is looked up at run time instead.
#
#   imports_win_test.sh VANTORA.EXE KNOWN_IMPORTS.TXT
set -euo pipefail
exe=$1
known=$2

# objdump -p prints each DLL's name, then one "vma hint name" line per function.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '
  /^\tDLL Name: / { dll = toupper($3); next }
  /^\t$/ || /^$/ { dll = "" }
  dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }' | sort -u)

if [[ -z $imports ]]; then
  echo "no imports read from $exe" >&2
  exit 1
fi
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$known" | sort -u))
if [[ -n $unknown ]]; then
  echo "imports not known to be in Windows 7 SP1 (check each, then add it to $known," >&2
  echo "or look it up at run time with a fallback):" >&2
  echo "$unknown" >&2
  exit 1
fi
echo "$(wc -l <<<"$imports") imports, all in Windows 7 SP1"
