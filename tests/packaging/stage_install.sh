#!/usr/bin/env bash
# Installs the build tree into an empty staging prefix, as `cmake --install` does for a user.
#   stage_install.sh CMAKE BUILD_DIR PREFIX
set -euo pipefail
cmake=$1 build=$2 prefix=$3
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix"
