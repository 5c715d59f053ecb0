#!/bin/bash
# Creates, or reuses, the wine prefix the Windows build is tested in:
# build/wineprefix (or $VANTORA_WINEPREFIX). Safe to run at the same time from
# several processes; the slow part (wineboot) happens once, the registry part
# again whenever this script changes.
#
# The prefix holds:
#   c: and z:  wine's own drives (a fixed disk and the host's root)
#   x:         declared a CD-ROM drive, linked to a directory that does not
#              exist: an empty optical drive (type 5, queries fail)
#   w:         declared a CD-ROM drive, linked to a directory with a volume
#              label that holds a line separator: an optical drive with a disc
#   q:         nothing at all (type 1)
#   r:         declared a RAM disk, linked to the host's /dev/shm (type 6)
#   fonts      the two Japanese Gothic faces the window asks for, mapped to IPA
#              Gothic through FontSubstitutes
# Sourcing it exports WINEPREFIX and the quiet wine settings.
set -euo pipefail

vantora_source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${VANTORA_WINEPREFIX:-$vantora_source_dir/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: nothing here needs them, and they would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=${LC_ALL:-C.UTF-8}

vantora_prefix_registry() {
  cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"x:"="cdrom"
"w:"="cdrom"
"r:"="ramdisk"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック,128"="IPAGothic,128"
"ＭＳ Ｐゴシック,128"="IPAPGothic,128"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
}

vantora_ensure_prefix() {
  local stamp=$WINEPREFIX/.vantora-prefix
  local wanted
  wanted=$(sha1sum "${BASH_SOURCE[0]}" | cut -d' ' -f1)
  [[ -f $stamp && $(<"$stamp") == "$wanted" ]] && return 0

  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {lock}>"$WINEPREFIX.lock"
  flock "$lock"
  if [[ ! -f $stamp || $(<"$stamp") != "$wanted" ]]; then
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
      echo "wine_prefix.sh: creating $WINEPREFIX (once; takes a minute)" >&2
      DISPLAY= wine wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
    local regfile=$WINEPREFIX/vantora.reg
    vantora_prefix_registry | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16 >"$regfile"
    DISPLAY= wine regedit /S "$(winepath -w "$regfile" 2>/dev/null)" >/dev/null 2>&1
    rm -f "$regfile"
    local devices=$WINEPREFIX/dosdevices
    ln -sfn "$WINEPREFIX/no-disc-in-drive" "$devices/x:"
    mkdir -p "$WINEPREFIX/disc-in-drive"
    printf 'VANTORA\u2028CD\n' >"$WINEPREFIX/disc-in-drive/.windows-label"
    ln -sfn "$WINEPREFIX/disc-in-drive" "$devices/w:"
    ln -sfn /dev/shm "$devices/r:"
    rm -f "$devices/q:" "$devices/q::"
    wineserver -w
    echo "$wanted" >"$stamp"
  fi
  flock -u "$lock"
  exec {lock}>&-
}

vantora_ensure_prefix
