#!/bin/sh
# Runs every fuzz target for SECONDS (default 10) with its dictionary, inputs up to 4 MB, and a
# corpus seeded from tests/data and the real files. Usage: fuzz/run.sh BUILD_DIR [SECONDS]
set -eu
build=${1:?build folder of a -DTESSAVRANT_FUZZ=ON build}
seconds=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
corpus_root=$here/../../shared/corpus
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  case $name in
    fuzz_gerber|fuzz_macroexpression) dict=gerber; seeds=$corpus_root/gerber ;;
    fuzz_excellon) dict=excellon; seeds=$corpus_root/gerber ;;
    fuzz_pnp_*|fuzz_lineconfig|fuzz_partdatabase) dict=centroid; seeds=$corpus_root/pnp ;;
    fuzz_project) dict=project; seeds=$here/../tests/data ;;
    *) dict=; seeds= ;;
  esac
  work=$build/fuzz/corpus/$name
  mkdir -p "$work"
  set -- -max_total_time="$seconds" -max_len=4194304 -timeout=30 -rss_limit_mb=2048 "$work"
  [ -n "$dict" ] && set -- -dict="$here/dict/$dict.dict" "$@"
  [ -n "$seeds" ] && [ -d "$seeds" ] && set -- "$@" "$seeds"
  echo "== $name"
  "$target" "$@"
done
