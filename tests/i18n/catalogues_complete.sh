#!/bin/bash
# Every text the sources mark for translation (i18n::tr and i18n::trNoop) has a
# translation in every catalogue, no catalogue keeps a text the sources no
# longer have, and every catalogue in po/ is one the build takes in.
#
#   catalogues_complete.sh SOURCE_DIR LANGUAGE...
set -euo pipefail
source_dir=$1
shift
built=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$source_dir"

find src \( -name '*.cpp' -o -name '*.h' \) | sort >"$work/files"
xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=tr --keyword=trNoop \
  --files-from="$work/files" --output="$work/vantora.pot"

status=0
for po in po/*.po; do
  language=$(basename "$po" .po)
  if [[ " ${built[*]} " != *" $language "* ]]; then
    echo "$po: not in VANTORA_LANGUAGES (src/i18n/CMakeLists.txt), so never built in" >&2
    status=1
  fi
  msgcmp "$po" "$work/vantora.pot" || { echo "$po: texts above have no translation" >&2; status=1; }
  msgcmp --use-untranslated "$work/vantora.pot" "$po" ||
    { echo "$po: texts above are no longer in the sources" >&2; status=1; }
done
for language in "${built[@]}"; do
  [[ -f po/$language.po ]] || { echo "po/$language.po is missing" >&2; status=1; }
done
[[ $status -eq 0 ]] && echo "$(($(grep -c "^msgid \"" "$work/vantora.pot") - 1)) texts, each translated in: ${built[*]}"
exit $status
