#!/usr/bin/env bash
# Checks the built Debian package: its name, architecture, description and dependencies, and
# that it carries under /usr exactly the files that `cmake --install` puts in a prefix.
#   check_deb.sh DEB_DIR STAGED_PREFIX
set -euo pipefail
deb=$(echo "$1"/*.deb)
prefix=$2
status=0
fail() {
  echo "$deb: $*" >&2
  status=1
}

# Whole outputs are read into variables: under pipefail, a reader that stops early (grep -q)
# would let the writer's SIGPIPE fail the check.
info=$(dpkg-deb --info "$deb")
echo "$info"

[[ $(dpkg-deb --field "$deb" Package) == lumesca ]] || fail "package is not named lumesca"
arch=$(dpkg --print-architecture)
[[ $(dpkg-deb --field "$deb" Architecture) == "$arch" ]] || fail "architecture is not $arch"
[[ -n $(dpkg-deb --field "$deb" Maintainer) ]] || fail "no maintainer"
[[ -n $(dpkg-deb --field "$deb" Section) ]] || fail "no section"
[[ $(dpkg-deb --field "$deb" Description | wc -l) -ge 2 ]] || fail "no long description"
grep -q '^ Depends: .' <<<"$info" || fail "dpkg-deb --info lists no dependencies"

# Files (not folders) of the package, as paths below /usr.
contents=$(dpkg-deb --contents "$deb")
packaged=$(awk '$1 !~ /^d/ {print $6}' <<<"$contents" | sed 's|^\./usr/||' |
  LC_ALL=C sort)
staged=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [[ $packaged != "$staged" ]]; then
  echo "package files differ from the installed ones (< installed, > packaged):" >&2
  diff <(echo "$staged") <(echo "$packaged") >&2 || true
  status=1
fi
# Every path is ./ or below ./usr/.
outside=$(awk '$6 != "./" && $6 !~ /^\.\/usr\// {print $6}' <<<"$contents")
[[ -z $outside ]] || fail "has files outside /usr: $outside"
exit $status
