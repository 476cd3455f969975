#!/bin/sh
# Runs every fuzz target (or those named) for SECONDS (default 10) with its dictionary, inputs up
# to 4 MB, and a corpus seeded from the real files and fuzz/regressions/<reader>.
# FUZZ_OPTIONS: further libFuzzer options (-runs=N, say). FUZZ_SEEDS=regressions: no real files.
# EXTRA_SEEDS: a folder of seed folders named like the targets (fuzz/hostile.py writes one).
# Usage: fuzz/run.sh BUILD_DIR [SECONDS] [TARGET...]
set -eu
build=${1:?build folder of a -DTESSAVRANT_FUZZ=ON build}
seconds=${2:-10}
shift 2 2>/dev/null || shift $#
here=$(cd "$(dirname "$0")" && pwd)
corpus_root=$here/../../shared/corpus
targets=$*
if [ -z "$targets" ]; then
  for f in "$build"/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] && targets="$targets $(basename "$f")"
  done
fi
for name in $targets; do
  target=$build/fuzz/$name
  [ -f "$target" ] && [ -x "$target" ] || continue
  case $name in
    fuzz_gerber|fuzz_macroexpression) dict=gerber; seeds=$corpus_root/gerber ;;
    fuzz_excellon) dict=excellon; seeds=$corpus_root/gerber ;;
    fuzz_pnp_*|fuzz_lineconfig|fuzz_partdatabase) dict=centroid; seeds=$corpus_root/pnp ;;
    fuzz_project) dict=project; seeds= ;;
    *) dict=; seeds= ;;
  esac
  [ "${FUZZ_SEEDS:-all}" = regressions ] && seeds=
  work=$build/fuzz/corpus/$name
  mkdir -p "$work"
  set -- -max_total_time="$seconds" -max_len=4194304 -timeout=30 -rss_limit_mb=2048 ${FUZZ_OPTIONS:-} "$work"
  [ -n "$dict" ] && set -- -dict="$here/dict/$dict.dict" "$@"
  [ -n "$seeds" ] && [ -d "$seeds" ] && set -- "$@" "$seeds"
  regressions=$here/regressions/${name#fuzz_}
  [ -d "$regressions" ] && set -- "$@" "$regressions"
  [ -n "${EXTRA_SEEDS:-}" ] && [ -d "$EXTRA_SEEDS/$name" ] && set -- "$@" "$EXTRA_SEEDS/$name"
  echo "== $name"
  "$target" "$@"
done
