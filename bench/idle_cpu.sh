#!/usr/bin/env bash
# What keeping the figures current costs a window nobody touches: the
# program's CPU time over SECONDS with its timer on, minus the same with it
# off (VANTORA_LIVE_FIGURES=0), as a share of one core. The two windows run
# side by side on one private Xvfb, so whatever else the machine does weighs
# on both alike; CPU time is the kernel's per-thread run time, in nanoseconds.
#   bench/idle_cpu.sh [--row] [VANTORA] [SECONDS]   defaults: the release build, 60
#   --row: one line of scripts/bench's table instead of the three lines below
set -euo pipefail
cd "$(dirname "$0")/.."
row=0
if [[ "${1:-}" == "--row" ]]; then
  row=1
  shift
fi
program=${1:-build/linux-release/src/main/qt/vantora}
seconds=${2:-60}
[[ -x "$program" ]] || { echo "no program at $program (cmake --build --preset linux-release)" >&2; exit 1; }

source scripts/lib/xvfb.sh
start_xvfb
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

VANTORA_LIVE_FIGURES=1 "$program" 2>/dev/null &
on=$!
VANTORA_LIVE_FIGURES=0 "$program" 2>/dev/null &
off=$!
trap 'kill "$on" "$off" "$XVFB_PID" 2>/dev/null || true' EXIT

# Run time of every thread of a process so far.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }

for _ in $(seq 400); do
  [[ $(xdotool search --name '^Vantora  V2\.1$' 2>/dev/null | wc -l) -ge 2 ]] && break
  sleep 0.05
done
# Start-up is over well before the first tick.
sleep 1
on0=$(cpu_ns "$on") off0=$(cpu_ns "$off")
sleep "$seconds"
on1=$(cpu_ns "$on") off1=$(cpu_ns "$off")

awk -v on=$((on1 - on0)) -v off=$((off1 - off0)) -v s="$seconds" -v row="$row" 'BEGIN {
  share = (on - off) / (s * 1e9) * 100
  if (row) {
    printf "%-52s%-16s%-16s%-8s%-19s%s\n", "idle window: the 2-second timer, CPU over " s " s", \
      sprintf("%.1f ms", on / 1e6), sprintf("%.1f ms", off / 1e6), "-", "< 0.1 % of a core", \
      (share < 0.1 ? "met" : "MISSED") sprintf("  (%.4f %% of one core; floor: the timer off)", share)
    exit share < 0.1 ? 0 : 1
  }
  printf "timer on:  %.3f ms of CPU in %d s\n", on / 1e6, s
  printf "timer off: %.3f ms of CPU in %d s\n", off / 1e6, s
  printf "the timer costs %.4f %% of one core\n", share
}'
