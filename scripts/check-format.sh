#!/usr/bin/env bash
# Fails when a C++ source differs from .clang-format.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
files=$(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'fuzz/*.h' 'bench/*.h')
if [ -z "$files" ]; then exit 0; fi
echo "$files" | xargs clang-format --dry-run --Werror
echo "format check: $(echo "$files" | wc -l) files clean"
