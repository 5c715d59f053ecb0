#!/bin/bash
# Runs the UI automation program against Vantora.exe: a private Xvfb, a wine
# desktop of 1024 x 768 inside it (so wine draws the frames and no window
# manager is needed), then the screenshot converted to PNG.
#
#   run_ui_automation.sh AUTOMATION.EXE VANTORA.EXE SCREENSHOT.PNG [LANGUAGE]
# With a language, the window is checked in that language (LC_ALL must name it).
set -euo pipefail
automation=$1
vantora=$2
screenshot=$3
language=("${@:4}")
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/wine_prefix.sh"
source "$here/xvfb_session.sh"

bitmap=$work/vantora.bmp
# explorer does not pass the program's exit code on: the verdict is its last
# line. Output goes to files: wine's helper processes would hold a pipe open.
timeout 180 wine explorer "/desktop=VantoraTest,1024x768" "$automation" \
  "$(winepath -w "$vantora")" "$(winepath -w "$bitmap")" "${language[@]}" </dev/null >"$work/output.log" 2>"$work/wine.log" || true
cat "$work/output.log"

if [[ -s $bitmap ]]; then
  mkdir -p "$(dirname "$screenshot")"
  convert "$bitmap" "$screenshot" && echo "screenshot: $screenshot"
fi
if ! grep -q '^RESULT: PASS' "$work/output.log"; then
  echo "--- wine messages" >&2
  tail -n 40 "$work/wine.log" >&2
  exit 1
fi
