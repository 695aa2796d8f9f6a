#!/bin/bash
# Prints QTSysCheck's figures beside their targets: the size of the program file and what takes
# the space in it; the time from process start to its first painted window, beside a minimal
# Win32 window program and the same-look window (the checker's window with nothing behind it)
# started in the same run; the run's time beyond its seven one-second
# pauses, with both web endpoints served on this machine, and each check's own cost (with what
# the client's TLS handshake adds to the secure row against the local TLS 1.2 server); the peak
# working set, beside the same-look window's after as long a time; the working set while ever larger pages are searched; and how long the report and
# the window take on a network that never answers. Figures, not a test: it
# exits 0 whatever they are, and non-zero only when something could not be built or run.
#
# Usage: scripts/benchmark.sh [PAINT_RUNS [FULL_RUNS]]   (11 and 5 unless given)
# The paint runs take the three programs in turns, after one uncounted start of each; fewer than
# 11 give medians that swing by more than the 10 % the same-look target allows.
# The builds go to build/PRESET, or to $QT_BENCH_BUILD_ROOT/PRESET when that is set. The
# programs run under Wine in that build's own prefix, which is brought down at the end: do not
# run the build's ctest at the same time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
paint_runs=${1:-11}
full_runs=${2:-5}
scripts/setup.sh

. tests/harness/wine-env.sh /dev/null   # for wine32_works only
preset=windows-x86
other=windows-x64
if ! wine32_works; then
  echo "note: this machine cannot run 32-bit Wine; measuring the 64-bit build of the same code" >&2
  preset=windows-x64
  other=windows-x86
fi
build_root=${QT_BENCH_BUILD_ROOT:-$root/build}
build="$build_root/$preset"
jobs=$(nproc)
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

built() {  # PRESET DIR TARGETS...: configures and builds, showing the log only when it fails
  local preset=$1 dir=$2; shift 2
  if cmake --preset "$preset" -B "$dir" >"$results/build.log" 2>&1 &&
     cmake --build "$dir" -j"$jobs" --target "$@" >>"$results/build.log" 2>&1; then
    return 0
  fi
  tail -n 40 "$results/build.log" >&2
  return 1
}
built "$preset" "$build" QTSysCheck minimal_window same_look_window window_bench check_cost_bench page_memory_bench \
  black_hole_bench
exes=("$build/bin/QTSysCheck.exe")
# The other build's program file too, for its size: the 32-bit one is what customers are given.
if built "$other" "$build_root/$other" QTSysCheck; then
  exes+=("$build_root/$other/bin/QTSysCheck.exe")
else
  echo "note: the $other build failed; its program size is left out" >&2
fi

prefix="$build/wineprefix"
trap 'tests/harness/wine-down.sh "$prefix"; rm -rf "$results"' EXIT
tests/harness/wine-up.sh "$prefix" >/dev/null

# Rows and notes as the benchmark programs print them: ROW<TAB>figure<TAB>value<TAB>target<TAB>verdict.
size_row() {  # FILE LABEL TARGET_KB (empty: no target)
  local bytes kb verdict="-" target="-"
  bytes=$(stat -c %s "$1")
  kb=$(( (bytes + 1023) / 1024 ))
  if [ -n "$3" ]; then
    target="<= $3 KB"
    if [ "$kb" -le "$3" ]; then verdict=met; else verdict=MISSED; fi
  fi
  printf 'ROW\texe size, %s\t%d KB (%d bytes)\t%s\t%s\n' "$2" "$kb" "$bytes" "$target" "$verdict"
}
# What takes the space in the file, from its section table: a row for each kind of section.
# Every section of the file is in one of them; the headers and the padding that rounds each
# section up to the file's alignment make up the rest.
space_rows() {  # FILE OBJDUMP
  local bytes
  bytes=$(stat -c %s "$1")
  "$2" -h "$1" | awk -v bytes="$bytes" '
    $1 ~ /^[0-9]+$/ { name = $2; size = strtonum_hex($3); next }
    name != "" {   # the flags line of the section just read
      if ($0 ~ /CONTENTS/) {
        kind = kind_of(name); sum[kind] += size; inside += size
        if (name == ".eh_fram") name = ".eh_frame"   # the file keeps eight letters of a name
        names[kind] = names[kind] " " name
      }
      else if (name == ".bss") bss += size
      name = ""
    }
    END {
      split("code unwind data resources imports relocations other", order, " ")
      label["code"] = "code"; label["unwind"] = "unwind tables"; label["data"] = "data"
      label["resources"] = "resources"; label["imports"] = "imports"
      label["relocations"] = "relocations"; label["other"] = "other"
      for (i = 1; i <= 7; i++) {
        k = order[i]
        if (!(k in sum)) continue
        value = kb(sum[k])
        if (k == "data" && bss) value = value "; .bss " kb(bss) " in memory only"
        printf "ROW\t  %s (%s)\t%s\t-\t-\n", label[k], substr(names[k], 2), value
      }
      printf "ROW\t  headers, alignment padding\t%s\t-\t-\n", kb(bytes - inside)
    }
    function kind_of(n) {
      if (n == ".text") return "code"
      if (n ~ /^\.(eh_fram|eh_frame|pdata|xdata)$/) return "unwind"
      if (n ~ /^\.(data|rdata)$/) return "data"
      if (n == ".rsrc") return "resources"
      if (n == ".idata") return "imports"
      if (n == ".reloc") return "relocations"
      return "other"
    }
    function kb(n) { return sprintf("%.1f KB", n / 1024) }
    function strtonum_hex(h,   i, n) {
      n = 0; h = tolower(h)
      for (i = 1; i <= length(h); i++) n = n * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1
      return n
    }'
}
for exe in "${exes[@]}"; do   # the shipped 32-bit program first
  if is_pe32 "$exe"; then
    size_row "$exe" "QTSysCheck.exe, 32-bit (shipped)" 300
    space_rows "$exe" i686-w64-mingw32-objdump
  fi
done > "$results/size.txt"
for exe in "${exes[@]}"; do
  if ! is_pe32 "$exe"; then
    size_row "$exe" "QTSysCheck.exe, 64-bit" ""
    space_rows "$exe" x86_64-w64-mingw32-objdump
  fi
done >> "$results/size.txt"

failed=()
run_bench() {  # NAME ARGS...: the program's output, carriage returns dropped, into $results/NAME.txt
  local name=$1; shift
  echo "running $name ..." >&2
  # Into a file, not a pipe: Wine's background processes may keep a pipe open after the program.
  if ! tests/harness/wine-run.sh "$prefix" "$build/bin/$name.exe" "$@" </dev/null >"$results/$name.raw" 2>&1; then
    failed+=("$name")
  fi
  tr -d '\r' <"$results/$name.raw" >"$results/$name.txt"
}
run_bench window_bench "$paint_runs" "$full_runs"
run_bench check_cost_bench
run_bench page_memory_bench
# Last, and about three minutes: the report and the window against a proxy that never answers.
run_bench black_hole_bench

echo
echo "QTSysCheck benchmark ($preset build under $(wine64_cmd --version 2>/dev/null || echo Wine), $(date -u +%Y-%m-%d))"
cat "$results"/size.txt "$results"/window_bench.txt "$results"/check_cost_bench.txt \
    "$results"/page_memory_bench.txt "$results"/black_hole_bench.txt | awk -F'\t' '
  $1 == "ROW" { n++; for (i = 2; i <= 5; i++) { cell[n, i] = $i; if (length($i) > w[i]) w[i] = length($i) } next }
  $1 == "NOTE" { notes[++m] = $2; next }
  NF { notes[++m] = $0 }
  END {
    h[2] = "figure"; h[3] = "value"; h[4] = "target"; h[5] = "verdict"
    for (i = 2; i <= 5; i++) if (length(h[i]) > w[i]) w[i] = length(h[i])
    fmt = "%-" w[2] "s  %-" w[3] "s  %-" w[4] "s  %s\n"
    printf fmt, h[2], h[3], h[4], h[5]
    printf fmt, dashes(w[2]), dashes(w[3]), dashes(w[4]), dashes(w[5])
    for (r = 1; r <= n; r++) printf fmt, cell[r, 2], cell[r, 3], cell[r, 4], cell[r, 5]
    if (m) print ""
    for (r = 1; r <= m; r++) print "note: " notes[r]
  }
  function dashes(k,   s) { s = ""; while (k-- > 0) s = s "-"; return s }'

if [ ${#failed[@]} -gt 0 ]; then
  echo "could not finish: ${failed[*]}" >&2
  exit 1
fi
