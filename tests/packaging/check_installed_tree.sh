#!/usr/bin/env bash
# Checks that an installed prefix holds exactly the program's files, each in its place: the
# program, its desktop entry, its software-centre entry and its icon at every theme size.
#   check_installed_tree.sh PREFIX APP_ID SIZE...
set -euo pipefail
prefix=$1 app_id=$2
shift 2

expected=(
  bin/lumesca
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
)
for size in "$@"; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

status=0
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [[ $actual != "$wanted" ]]; then
  echo "installed files differ from the expected ones (< expected, > installed):" >&2
  diff <(echo "$wanted") <(echo "$actual") >&2 || true
  status=1
fi

# Modes as a package would ship them: the program executable by all, data readable by all.
for file in "${expected[@]}"; do
  [[ -f $prefix/$file ]] || continue
  mode=$(stat -c %a "$prefix/$file")
  want=644
  [[ $file == bin/* ]] && want=755
  if [[ $mode != "$want" ]]; then
    echo "$file has mode $mode, expected $want" >&2
    status=1
  fi
done
if ! head -c4 "$prefix/bin/lumesca" | grep -q $'\x7fELF'; then
  echo "bin/lumesca is not a program (no ELF header)" >&2
  status=1
fi
exit $status
