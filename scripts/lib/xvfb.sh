# Sourced by the scripts that show a window without a display.
# start_xvfb [dpi]: starts a private Xvfb, exports DISPLAY, kills it on exit.
# -noreset: the server would otherwise reset, and refuse connections for a
# moment, each time its last client leaves (each xdotool call is a client).
start_xvfb() {
  local dpi=${1:-96} fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi "$dpi" -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [[ -s "$fd_file" ]] && break
    sleep 0.05
  done
  [[ -s "$fd_file" ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

# wait_for_window NAME: prints the id of the first window titled NAME.
wait_for_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1) && [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
