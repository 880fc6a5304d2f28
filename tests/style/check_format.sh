#!/bin/sh
# check_format.sh CLANG_FORMAT SOURCE_DIR: every C++ file under SOURCE_DIR, outside build
# folders, is formatted as the project's .clang-format asks.
set -eu
clang_format=$1
cd "$2"
find . \( -path './build*' -o -path './.git' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) \
  -type f -print | sort | xargs "$clang_format" --dry-run --Werror
