#!/bin/bash
# Sourced by the scripts that show Windows programs on screen: starts a private
# Xvfb on a free display, exports DISPLAY and a scratch directory $work, and
# cleans up on exit. Wine's desktop process would outlive the X server and
# stall every later program of the prefix on the dead display, so the wine
# processes of the prefix are ended first; tests using this run alone
# (RUN_SERIAL), so that touches nothing else. VANTORA_SCREEN sets the screen
# (WIDTHxHEIGHTxDEPTH, 1024x768x24 unless told).

work=$(mktemp -d)
xvfb_pid=
vantora_end_session() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap vantora_end_session EXIT
# A wine server left by a program run without this display (the plain test
# executables) would keep its desktop on no display at all, and no window could be made.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

# Xvfb picks a free display number and writes it to the descriptor we give it;
# -noreset keeps it accepting clients when its last one leaves.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 "${VANTORA_SCREEN:-1024x768x24}" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! read -r -t 20 -u "$display_fd" display_number; then
  echo "Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=:$display_number
