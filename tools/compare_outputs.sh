#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# Compares what two builds of caelora-export write: every PDF (112 latitudes,
# both export schemes, daily scale on and off, all layers on and all off) byte
# for byte, and PNG renders at 50, -35 and 80 with every layer on pixel for
# pixel in the four screen schemes. Used before and after a change that must not alter the output:
#
#   tools/compare_outputs.sh OLD_BIN_DIR NEW_BIN_DIR
#
# Each BIN_DIR holds a caelora-export with its data files (a build's bin/).
# The settings store of the run is a scratch one; SOURCE_DATE_EPOCH fixes the
# documents' date. Needs an X server for the pictures (xvfb-run -a).
set -eu
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" SOURCE_DATE_EPOCH=1700000000 LIBGL_ALWAYS_SOFTWARE=1

on="--lines --names --milky-way --grid --ecliptic"
off="--no-lines --no-names --no-milky-way --no-grid --no-ecliptic"
status=0
for scheme in 0 1; do
  for daily in --daily --no-daily; do
    for layers in on off; do
      eval "switches=\$$layers"
      tag="s$scheme$daily-$layers"
      for side in old new; do
        eval "bin=\$$side"
        mkdir -p "$work/$side/$tag"
        # shellcheck disable=SC2086
        "$bin/caelora-export" --all-latitudes "$work/$side/$tag" --export-scheme "$scheme" $daily $switches
      done
      if ! diff -r -q "$work/old/$tag" "$work/new/$tag" >"$work/diff" 2>&1; then
        echo "PDF differ ($tag):"; head -n 20 "$work/diff"; status=1
      fi
      echo "$tag: $(ls "$work/new/$tag" | wc -l) documents compared"
    done
  done
done

for lat in 50 -35 80; do for colours in 0 1 2 3; do
  for side in old new; do
    eval "bin=\$$side"
    # shellcheck disable=SC2086
    "$bin/caelora-export" --png "$work/$side-$lat-$colours.png" --size 900 --latitude "$lat" \
      --colour-scheme "$colours" --angle 37 --daily $on
  done
  if cmp -s "$work/old-$lat-$colours.png" "$work/new-$lat-$colours.png"; then
    echo "PNG $lat, scheme $colours: identical"
  elif python3 - "$work/old-$lat-$colours.png" "$work/new-$lat-$colours.png" <<'PY'
import sys, zlib, struct
def pixels(path):
    data = open(path, 'rb').read()
    pos, idat, head = 8, b'', None
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b'IHDR': head = body
        if kind == b'IDAT': idat += body
        pos += 12 + n
    return head, zlib.decompress(idat)
a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
sys.exit(0 if a == b else 1)
PY
  then
    echo "PNG $lat, scheme $colours: same pixels"
  else
    echo "PNG $lat, scheme $colours: pixels differ"; status=1
  fi
done; done
exit $status
