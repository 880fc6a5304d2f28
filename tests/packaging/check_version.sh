#!/usr/bin/env bash
# Checks that the product version, the project's major version, a full stop and its minor
# version on two digits (4.1.0.0 gives 4.01), is the one in the software-centre entry, in the
# Debian package and in the package's file name.
#   check_version.sh PROJECT_VERSION METAINFO DEB_DIR
set -euo pipefail
project_version=$1 metainfo=$2
deb=$(echo "$3"/*.deb)
IFS=. read -r major minor _ <<<"$project_version"
expected=$(printf '%d.%02d' "$((10#$major))" "$((10#$minor))")

# Releases are listed newest first.
in_metainfo=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
in_deb=$(dpkg-deb --field "$deb" Version)
echo "project $project_version -> $expected; metainfo $in_metainfo; package $in_deb"

status=0
[[ $in_metainfo == "$expected" ]] || { echo "metainfo's newest release is not $expected" >&2; status=1; }
[[ $in_deb == "$expected" ]] || { echo "the package's version is not $expected" >&2; status=1; }
[[ $(basename "$deb") == lumesca_${expected}_*.deb ]] || { echo "file name lacks $expected" >&2; status=1; }
exit $status
