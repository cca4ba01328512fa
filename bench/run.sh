#!/usr/bin/env bash
# Benchmarks, as `make bench` runs them:
#   the dump tool on a large generated kel file, against the floor that its
#   line-end rule sets (one write per line) and against od, with its peak
#   memory; the tool on hostile files; the library's file_read,
#   file_readbytes, file_copy and find_files against cat, cp and find.
# Each timing is the median of RUNS runs (5 by default), the variants of one
# comparison taking turns. Prints Markdown tables.
#   bench/run.sh BUILD_DIR
set -euo pipefail
bin=$(cd "${1:-build}/bin" && pwd)
runs=${RUNS:-5}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ ! -x /usr/bin/time ]; then
  echo "bench needs /usr/bin/time (Debian package: time)" >&2
  exit 1
fi

# Wall time of one command in microseconds; its standard output goes to $out.
micros() {
  local t0=${EPOCHREALTIME/./}
  "$@" > "$out"
  local t1=${EPOCHREALTIME/./}
  echo $((t1 - t0))
}

# Alternates the labelled commands RUNS times; each label's median goes to
# $work/median.LABEL. Arguments: OUT then LABEL 'COMMAND' pairs.
compare() {
  out=$1
  shift
  local i label
  for ((i = 0; i < runs; i++)); do
    for ((k = 1; k <= $#; k += 2)); do
      label=${!k}
      local n=$((k + 1))
      micros bash -c "${!n}" >> "$work/times.$label"
    done
  done
  for ((k = 1; k <= $#; k += 2)); do
    label=${!k}
    sort -n "$work/times.$label" | sed -n "$(((runs + 1) / 2))p" > "$work/median.$label"
    rm "$work/times.$label"
  done
}

median() { cat "$work/median.$1"; }
seconds() { printf '%d.%03d' $(($1 / 1000000)) $((($1 / 1000) % 1000)); }
ratio() { printf '%d.%02d' $(($1 / $2)) $((($1 * 100 / $2) % 100)); }

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), Linux $(uname -r); $runs runs each, medians."
echo

# The dump.
"$bin/kelgen" big "$work/big.kel" 20000000
"$bin/kel" "$work/big.kel" > "$work/dump.txt"
lines=$(wc -l < "$work/dump.txt")
echo "Dump of a $(stat -c %s "$work/big.kel")-byte kel file ($lines lines):"
echo
echo "| target | kel | floor | od | kel / floor | kel / od |"
echo "|---|---|---|---|---|---|"
for target in /dev/null "$work/out.txt"; do
  compare "$target" kel "'$bin/kel' '$work/big.kel'" floor "'$bin/floor' '$work/dump.txt'" \
    od "od -An -v -tu4 -w4 '$work/big.kel'"
  name=$target
  [ "$target" = /dev/null ] || name="a file"
  echo "| $name | $(seconds "$(median kel)") s | $(seconds "$(median floor)") s | $(seconds "$(median od)") s |" \
    "$(ratio "$(median kel)" "$(median floor)") | $(ratio "$(median kel)" "$(median od)") |"
done
peak=$(/usr/bin/time -f %M "$bin/kel" "$work/big.kel" 2>&1 > /dev/null | tail -1)
echo
echo "Peak resident memory of kel on it: $peak KiB."
echo

# Hostile files: counts far beyond the file's size.
"$bin/kelgen" seeds "$work"
echo "| hostile file | bytes | time | peak memory |"
echo "|---|---|---|---|"
for f in huge-records huge-entries huge-blocks huge-text; do
  stats=$(/usr/bin/time -f '%e %M' "$bin/kel" "$work/$f.kel" 2>&1 > /dev/null | tail -1)
  echo "| $f.kel | $(stat -c %s "$work/$f.kel") | ${stats% *} s | ${stats#* } KiB |"
done
echo

# The library.
head -c $((256 << 20)) /dev/urandom > "$work/file.bin"
mkdir "$work/tree"
for ((d = 0; d < 200; d++)); do
  mkdir "$work/tree/d$d"
  for ((f = 0; f < 100; f++)); do : > "$work/tree/d$d/f$f"; done
done
echo "Library, on a 256 MiB file and a tree of 20000 files in 200 directories:"
echo
echo "| operation | kelutil | system tool | ratio |"
echo "|---|---|---|---|"
compare /dev/null read "'$bin/libbench' read '$work/file.bin'" readbytes "'$bin/libbench' readbytes '$work/file.bin'" \
  cat "cat '$work/file.bin'"
echo "| file_read vs cat > /dev/null | $(seconds "$(median read)") s | $(seconds "$(median cat)") s | $(ratio "$(median read)" "$(median cat)") |"
echo "| file_readbytes vs cat > /dev/null | $(seconds "$(median readbytes)") s | $(seconds "$(median cat)") s | $(ratio "$(median readbytes)" "$(median cat)") |"
compare /dev/null copy "'$bin/libbench' copy '$work/file.bin' '$work/copy1'" cp "cp '$work/file.bin' '$work/copy2'"
echo "| file_copy vs cp | $(seconds "$(median copy)") s | $(seconds "$(median cp)") s | $(ratio "$(median copy)" "$(median cp)") |"
compare /dev/null find_files "'$bin/libbench' find '$work/tree/'" find "find '$work/tree/' -type f"
echo "| find_files vs find -type f | $(seconds "$(median find_files)") s | $(seconds "$(median find)") s | $(ratio "$(median find_files)" "$(median find)") |"
