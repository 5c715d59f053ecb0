#!/usr/bin/env bash
# Checks the packages in build/packages as a user meets them: valid desktop
# entry and AppStream metadata, a lintian-clean .deb whose unpacked program
# starts and ends on F10, a clean install and removal, and a complete zip.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/xvfb.sh

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    echo "ok: $name"
    passed=$((passed + 1))
  else
    echo "FAILED: $name"
    failed=$((failed + 1))
  fi
}

deb=$(ls build/packages/vantora_*_amd64.deb)
zip=$(ls build/packages/Vantora-*-win64.zip)
root=$(mktemp -d)
trap 'rm -rf "$root"; kill "${XVFB_PID:-}" 2>/dev/null || true' EXIT
dpkg-deb -x "$deb" "$root"

no_lintian_errors() {
  local report
  report=$(lintian --no-tag-display-limit "$deb" 2>/dev/null)
  echo "$report"
  ! grep -q '^E:' <<<"$report"
}

runs_from_unpacked_root() {
  start_xvfb || return 1
  "$root/usr/bin/vantora" &
  local pid=$! window status
  window=$(wait_for_window "Vantora  V2.1") || { kill "$pid"; return 1; }
  xdotool windowfocus --sync "$window" key F10
  for _ in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    return 1
  fi
  wait "$pid"
  status=$?
  [[ $status -eq 0 ]]
}

installs_and_removes_cleanly() {
  dpkg -s vantora >/dev/null 2>&1 && { echo "vantora is already installed here; not touching it"; return 0; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null || return 1
  [[ -x /usr/bin/vantora && -f /usr/share/icons/hicolor/32x32/apps/org.vantora.Vantora.png ]] || return 1
  dpkg -r vantora >/dev/null || return 1
  [[ ! -e /usr/bin/vantora && ! -e /usr/share/applications/org.vantora.Vantora.desktop ]]
}

zip_holds_program_and_readme() {
  local listing
  listing=$(cmake -E tar tf "$zip")
  grep -qx 'Vantora/Vantora.exe' <<<"$listing" && grep -qx 'Vantora/readme.txt' <<<"$listing"
}

# Not even a hint: desktop-file-validate prints nothing for a clean entry.
desktop_entry_is_clean() {
  local report
  report=$(desktop-file-validate "$root/usr/share/applications/org.vantora.Vantora.desktop" 2>&1) || { echo "$report"; return 1; }
  [[ -z $report ]] || { echo "$report"; return 1; }
}

# Pedantic notes (P:) are allowed; errors (E:) and warnings (W:) are not.
metainfo_is_clean() {
  local report
  report=$(appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/org.vantora.Vantora.metainfo.xml" 2>&1)
  local status=$?
  echo "$report"
  [[ $status -eq 0 ]] && ! grep -qE '^(E|W):' <<<"$report"
}

# The desktop entry, the AppStream id and launchable, and the icon share one name.
one_name_everywhere() {
  local id=org.vantora.Vantora
  grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" &&
    grep -qx 'StartupWMClass=Vantora' "$root/usr/share/applications/$id.desktop" &&
    grep -q "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml" &&
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/usr/share/metainfo/$id.metainfo.xml"
}

check "desktop entry is valid without a hint" desktop_entry_is_clean
check "AppStream metadata is valid, pedantically" metainfo_is_clean
check "one name for entry, metadata and icon" one_name_everywhere
check "icons for every hicolor size" test -f "$root/usr/share/icons/hicolor/16x16/apps/org.vantora.Vantora.png" \
  -a -f "$root/usr/share/icons/hicolor/128x128/apps/org.vantora.Vantora.png"
check "package depends on what the program links" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "fonts are recommended" bash -c "dpkg-deb -f '$deb' Recommends | grep -q fonts-ipafont-gothic"
check "Wayland support is recommended" bash -c "dpkg-deb -f '$deb' Recommends | grep -q qt6-wayland"
check "lintian reports no errors" no_lintian_errors
check "unpacked program starts and ends on F10" runs_from_unpacked_root
check "installs and removes cleanly" installs_and_removes_cleanly
check "Windows zip holds Vantora.exe and the readme" zip_holds_program_and_readme

echo "packages: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
