#!/bin/sh
# Draws every picture again into a temporary folder and compares each one byte for byte with
# the committed file. Usage: check_reproducible.sh PYTHON GENERATOR ASSET_DIR
set -eu
python=$1
generator=$2
assets=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$python" "$generator" "$out"

status=0
# Every picture of the resource list must be drawn, identical to the committed one.
for name in $(sed -n 's:.*<file[^>]*>\(.*\)</file>.*:\1:p' "$assets/lumesca.gresource.xml"); do
  if [ ! -f "$out/$name" ]; then
    echo "$name: not drawn by the generator"
    status=1
  elif ! cmp "$out/$name" "$assets/$name" >/dev/null 2>&1; then
    echo "$name: drawn differently from the committed file ($(cmp "$out/$name" "$assets/$name" 2>&1 | head -n 1))"
    status=1
  fi
done
# And the generator draws nothing that the resource list leaves out.
for path in "$out"/*; do
  name=$(basename "$path")
  if ! grep -q ">$name</file>" "$assets/lumesca.gresource.xml"; then
    echo "$name: drawn but not in the resource list"
    status=1
  fi
done
if [ "$status" -eq 0 ]; then
  echo "every picture reproduced byte for byte"
fi
exit "$status"
