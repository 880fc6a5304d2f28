#!/usr/bin/env bash
# Builds the Debian package from the build tree into an empty folder, as `cpack -G DEB` does.
#   build_deb.sh CPACK BUILD_DIR OUTPUT_DIR
set -euo pipefail
cpack=$1 build=$2 out=$3
rm -rf "$out"
mkdir -p "$out"
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out"
debs=("$out"/*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f ${debs[0]} ]]; then
  echo "expected exactly one .deb in $out, found: ${debs[*]}" >&2
  exit 1
fi
