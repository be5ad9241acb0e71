#!/bin/bash
# Tries caelora-export where exports go wrong: killed part-way, out of disk,
# a pipe or /dev/zero in place of yale.dat, and command lines it cannot use.
# Every promise is checked and counted; the script exits 1 when one broke.
#
#   xvfb-run -a tools/stress_exports.sh BIN_DIR [TRIES]
#
# BIN_DIR holds caelora-export with its data files (a build's bin/). TRIES
# (default 40) is the number of kills and of full-disk writes of a picture;
# a document is killed 2.5 times as often. A kill comes at a random moment
# within the first four fifths of an export's time; exports that finish
# first are counted apart and do not count as kills. The full disk is a small tmpfs
# when the script may mount one (root), else a file size limit (ulimit -f),
# which the exporter reports as a write error too. Needs qpdf.
set -u
bin=$(cd "$1" && pwd)
tries=${2:-40}
work=$(mktemp -d)
cleanup() {
  mountpoint -q "$work/full" 2>/dev/null && umount "$work/full"
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" LIBGL_ALWAYS_SOFTWARE=1
broken=0

fail() {
  echo "BROKEN: $*"
  broken=1
}

# Only the target, and it is the same as the copy given.
expect_only() {  # folder target copy
  [ "$(ls -A "$1")" = "$(basename "$2")" ] || fail "$1 holds: $(ls -A "$1" | tr '\n' ' ')"
  cmp -s "$2" "$3" || return 1
}

# Seconds since the epoch, to the millisecond.
now() { date +%s.%N | cut -c1-14; }

# A random pause of up to $1 milliseconds.
pause() { sleep "$(awk -v r="$RANDOM" -v most="$1" 'BEGIN { printf "%.3f", r / 32768 * most / 1000 }')"; }

echo "== command lines that cannot be used (status 2, one line)"
try_arguments() {
  (cd "$work" && "$bin/caelora-export" "$@" >"$work/out" 2>&1)
  status=$?
  lines=$(wc -l <"$work/out")
  printf '  %-40s status %s, %s line: %s\n' "$(printf '"%s" ' "$@")" "$status" "$lines" "$(head -c 90 "$work/out")"
  [ "$status" = 2 ] && [ "$lines" = 1 ] || fail "command line $*"
}
try_arguments x
try_arguments ""
try_arguments -
try_arguments =
try_arguments a.pdf ""
try_arguments --png a.png -
try_arguments --png a.png --language ""
try_arguments --png a.png --figures ""
try_arguments --png a.png --png b.png
try_arguments --all-latitudes d --all-latitudes e

echo "== a pipe and /dev/zero in place of yale.dat (status 1 within 5 s)"
for kind in pipe zero; do
  folder="$work/$kind"
  cp -r "$bin" "$folder"
  rm "$folder/yale.dat"
  if [ "$kind" = pipe ]; then mkfifo "$folder/yale.dat"; else ln -s /dev/zero "$folder/yale.dat"; fi
  for target in "$work/$kind.pdf" "--png $work/$kind.png"; do
    start=$(now)
    # shellcheck disable=SC2086
    timeout 5 "$folder/caelora-export" $target >"$work/out" 2>&1
    status=$?
    took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }')
    printf '  %-5s %-4s status %s after %s s: %s\n' "$kind" "${target%% *}" "$status" "$took" "$(grep -o 'yale.dat[^;]*' "$work/out" | head -n 1)"
    [ "$status" = 1 ] && grep -q "$folder/yale.dat" "$work/out" || fail "$kind in place of yale.dat"
  done
done

echo "== a picture killed part-way ($tries kills)"
mkdir -p "$work/png"
"$bin/caelora-export" --png "$work/png/chart.png" --size 300 || fail "first picture"
cp "$work/png/chart.png" "$work/old.png"
start=$(now)
"$bin/caelora-export" --png "$work/new.png" --size 800 || fail "timed picture"
took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%d", (b - a) * 1000 }')
killed=0 finished=0 kept=0 whole=0
while [ "$killed" -lt "$tries" ] && [ "$finished" -lt "$tries" ]; do
  "$bin/caelora-export" --png "$work/png/chart.png" --size 800 &
  pause $((took * 4 / 5))
  kill -9 $! 2>/dev/null
  wait $! 2>/dev/null
  if [ $? = 137 ]; then killed=$((killed + 1)); else finished=$((finished + 1)); fi
  if expect_only "$work/png" "$work/png/chart.png" "$work/old.png"; then
    kept=$((kept + 1))
  elif cmp -s "$work/png/chart.png" "$work/new.png"; then
    whole=$((whole + 1))  # done before the kill came: the whole new picture
    cp "$work/old.png" "$work/png/chart.png"
  else
    fail "a killed picture left neither the old nor the new one"
  fi
done
echo "  $killed killed, $finished finished first; the old picture stayed $kept times, the whole new one stood $whole times, nothing else was left; one export takes $took ms"
[ "$killed" = "$tries" ] || fail "too few kills landed before the picture was done"

echo "== a picture that does not fit on the disk ($tries tries)"
mkdir -p "$work/full"
old_kib=$(( ($(stat -c %s "$work/old.png") + 1023) / 1024 ))
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=$((old_kib + 8))k tmpfs "$work/full" 2>/dev/null; then
  how="a tmpfs of $((old_kib + 8)) KiB"
  limit=""
else
  how="a file size limit of ulimit -f $((old_kib + 8))"
  limit="ulimit -f $((old_kib + 8));"
fi
cp "$work/old.png" "$work/full/chart.png"
refused=0
for _ in $(seq "$tries"); do
  bash -c "$limit \"$bin/caelora-export\" --png \"$work/full/chart.png\" --size 800" >"$work/out" 2>&1
  status=$?
  if [ "$status" = 1 ] && expect_only "$work/full" "$work/full/chart.png" "$work/old.png"; then
    refused=$((refused + 1))
  else
    fail "status $status: $(cat "$work/out")"
  fi
done
echo "  $how: $refused of $tries refused with the old picture kept: $(tail -n 1 "$work/out")"

echo "== a document killed part-way ($((tries * 5 / 2)) kills)"
mkdir -p "$work/pdf"
"$bin/caelora-export" "$work/pdf/chart.pdf" || fail "first document"
cp "$work/pdf/chart.pdf" "$work/old.pdf"
start=$(now)
"$bin/caelora-export" "$work/new.pdf" --export-scheme 1 || fail "timed document"
took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%d", (b - a) * 1000 }')
killed=0 finished=0 valid=0
while [ "$killed" -lt $((tries * 5 / 2)) ] && [ "$finished" -lt $((tries * 5 / 2)) ]; do
  "$bin/caelora-export" "$work/pdf/chart.pdf" --export-scheme 1 &
  pause $((took * 4 / 5))
  kill -9 $! 2>/dev/null
  wait $! 2>/dev/null
  if [ $? = 137 ]; then killed=$((killed + 1)); else finished=$((finished + 1)); fi
  [ "$(ls -A "$work/pdf")" = chart.pdf ] || fail "the folder holds: $(ls -A "$work/pdf" | tr '\n' ' ')"
  if qpdf --check "$work/pdf/chart.pdf" >/dev/null 2>&1; then valid=$((valid + 1)); else fail "a broken document"; fi
  cp "$work/old.pdf" "$work/pdf/chart.pdf"
done
echo "  $killed killed, $finished finished first; $valid of $((killed + finished)) left a document qpdf accepts and no other file; one export takes $took ms"
[ "$killed" = $((tries * 5 / 2)) ] || fail "too few kills landed before the document was done"

[ "$broken" = 0 ] && echo "every promise held"
exit "$broken"
