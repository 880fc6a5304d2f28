#!/usr/bin/env bash
# Builds Lumesca as a packager does: from the source tree into a build folder of its own, with
# the tests off and the test frameworks disabled, then installs it into a DESTDIR and checks
# the installed files.
#
# The tools only the tests use must be neither looked for nor run. Stand-ins for them come
# first on PATH, where find_program looks before the system folders: each notes that it ran and
# fails. Afterwards the build's cache must hold no path to a stand-in or to one of the tools
# (find_program keeps what it found there), and pkg-config must have resolved none of the X test
# libraries for linking.
#   packager_build.sh CMAKE CTEST GENERATOR SOURCE_DIR WORK_DIR JOBS APP_ID SIZE...
set -euo pipefail
cmake=$1 ctest=$2 generator=$3 source=$4 work=$5 jobs=$6 app_id=$7
shift 7
here=$(cd "$(dirname "$0")" && pwd)
tools=(Xvfb openbox xdotool clang-format desktop-file-validate appstreamcli)

rm -rf "$work"
stand_ins=$work/stand-ins
calls=$work/stand-in-calls.log
mkdir -p "$stand_ins"
for tool in "${tools[@]}"; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\nexit 1\n' "$tool" "$calls" >"$stand_ins/$tool"
  chmod +x "$stand_ins/$tool"
done
export PATH=$stand_ins:$PATH

build=$work/build root=$work/root
"$cmake" -S "$source" -B "$build" -G "$generator" -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
"$cmake" --build "$build" -j"$jobs"
DESTDIR=$root "$cmake" --install "$build"

status=0
fail() {
  echo "packager's build: $*" >&2
  status=1
}

[[ ! -e $calls ]] || fail "test tools ran:"$'\n'"$(cat "$calls")"

cache=$(cat "$build/CMakeCache.txt")
tool_pattern=$(IFS='|' && echo "${tools[*]}")
found=$(
  grep -F "$stand_ins" <<<"$cache" || true
  grep -E ":FILEPATH=(.*/)?($tool_pattern)\$" <<<"$cache" || true
)
[[ -z $found ]] || fail "looked for test tools:"$'\n'"$found"
x_test=$(grep -E '^pkgcfg_lib_[^:]*_(Xtst|Xfixes):' <<<"$cache" || true)
[[ -z $x_test ]] || fail "looked for the X test libraries:"$'\n'"$x_test"

tests=$("$ctest" --test-dir "$build" -N)
grep -q '^Total Tests: 0$' <<<"$tests" || fail "has tests:"$'\n'"$tests"

bash "$here/check_installed_tree.sh" "$root/usr" "$app_id" "$@" || status=1
exit $status
