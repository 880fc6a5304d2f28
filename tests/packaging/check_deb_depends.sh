#!/usr/bin/env bash
# Checks the package's Depends against the program inside it: every shared library that the
# program links must come from a package named in Depends, at a version no lower than the one
# dpkg-shlibdeps asks for; and every package named must be a real package, installed on this
# (Debian) build machine at a version that satisfies the constraint.
#   check_deb_depends.sh DEB_DIR
set -euo pipefail
deb=$(echo "$1"/*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"

# dpkg-shlibdeps wants to run in a source tree with a debian/control.
dpkg-deb -x "$deb" "$work/root"
mkdir -p "$work/src/debian"
printf 'Source: lumesca\n\nPackage: lumesca\nArchitecture: any\n' >"$work/src/debian/control"
needed=$(cd "$work/src" && dpkg-shlibdeps -O "$work/root/usr/bin/lumesca" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
echo "dpkg-shlibdeps: $needed"

# "name (>= version)" items, one per line, as "name version" (version empty when unversioned).
items() { tr ',' '\n' | sed -E 's/^ *([^ (]+) *(\(>= *([^)]*)\))? *$/\1 \3/'; }

declare -A declared
while read -r name version; do
  [[ -n $name ]] && declared[$name]=$version
done < <(items <<<"$depends")

status=0
while read -r name version; do
  [[ -n $name ]] || continue
  if [[ ! -v declared[$name] ]]; then
    echo "the program needs $name${version:+ (>= $version)}, which Depends does not name" >&2
    status=1
  elif [[ -n $version ]] && ! dpkg --compare-versions "${declared[$name]:-0}" ge "$version"; then
    echo "Depends asks for $name >= ${declared[$name]:-any}, the program needs >= $version" >&2
    status=1
  fi
done < <(items <<<"$needed")

for name in "${!declared[@]}"; do
  installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null || true)
  if [[ -z $installed ]]; then
    echo "Depends names $name, which is no package installed here (misspelt?)" >&2
    status=1
  elif [[ -n ${declared[$name]} ]] && ! dpkg --compare-versions "$installed" ge "${declared[$name]}"; then
    echo "Depends asks for $name >= ${declared[$name]}, but Debian here has $installed" >&2
    status=1
  fi
done
exit $status
