#!/bin/bash
# Runs the live-figures automation against Vantora.exe in a wine desktop on a
# private Xvfb. The drive l: is made for it (a dosdevices link to a scratch
# directory); its link is removed when the automation says "remove l:", and
# the automation then removes the letter's definition, as wine's mount
# manager does when a stick is pulled.
#
#   run_live_automation.sh AUTOMATION.EXE VANTORA.EXE
set -euo pipefail
automation=$1
vantora=$2
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/wine_prefix.sh"
source "$here/xvfb_session.sh"

letter=$WINEPREFIX/dosdevices/l:
trap 'rm -f "$letter"; vantora_end_session' EXIT
mkdir "$work/stick"
ln -sfn "$work/stick" "$letter"

timeout 180 wine explorer "/desktop=VantoraLive,1024x768" "$automation" "$(winepath -w "$vantora")" \
  </dev/null >"$work/output.log" 2>"$work/wine.log" &
runner=$!
for _ in $(seq 1500); do
  grep -qs '^remove l:' "$work/output.log" && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 0.1
done
rm -f "$letter"
wait "$runner" || true
cat "$work/output.log"
if ! grep -q '^RESULT: PASS' "$work/output.log"; then
  echo "--- wine messages" >&2
  tail -n 40 "$work/wine.log" >&2
  exit 1
fi
