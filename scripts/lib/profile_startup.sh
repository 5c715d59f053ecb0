# Start-up profile for scripts/bench --profile: runs the release vantora and
# the floor program once each under callgrind (offscreen, until their first
# frame is painted) and lists the functions of ours by inclusive instruction
# count, beside the whole program's count.
profile_startup() {
  local bench=$1 out
  out=$(mktemp -d)
  local -A programs=([vantora]=build/bench/src/main/qt/vantora [floor]=$bench/vantora_startup_floor)
  for name in vantora floor; do
    # The program keeps running after its first frame; callgrind writes its
    # figures when the program is stopped once the mark is printed.
    QT_QPA_PLATFORM=offscreen VANTORA_MARK_FIRST_FRAME=1 \
      valgrind --tool=callgrind --callgrind-out-file="$out/$name.out" \
      "${programs[$name]}" >"$out/$name.log" 2>&1 &
    local pid=$! waited=0
    until grep -q '^first-frame' "$out/$name.log" || ((waited++ >= 600)); do sleep 0.1; done
    kill -TERM "$pid" 2>/dev/null
    wait "$pid"
    [[ -s "$out/$name.out" ]] || { echo "callgrind wrote nothing for $name; see $out/$name.log" >&2; return 1; }
    echo "== $name: instructions until the first frame (inclusive), ours and the total"
    callgrind_annotate --inclusive=yes --threshold=100 "$out/$name.out" 2>/dev/null |
      grep -E 'PROGRAM TOTALS|\?\?\?:main |vantora::|QLineEdit::QLineEdit|_dl_start ' |
      grep -vE 'non-virtual thunk|\?\?\?:std::' | head -n 14 | sed -E 's/ \[[^]]*\]$//; s/\(([^()]|\([^()]*\))*\)//g' | cut -c1-110
  done
  rm -rf "$out"
}
