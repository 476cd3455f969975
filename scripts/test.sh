#!/usr/bin/env bash
# Set up (packages, build) and run the whole test suite: a warnings-as-errors build (with every
# benchmark run once on small inputs, so a broken benchmark fails too),
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the format check.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$here/scripts/setup.sh" "$here/build-ci" -DTESSAVRANT_WERROR=ON -DTESSAVRANT_BENCH=ON
ctest --test-dir "$here/build-ci" --output-on-failure -j"$jobs"

# Every fuzz target for 10 s, where clang can link libFuzzer (setup.sh installs it on Debian).
probe=$(mktemp -d)
if echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  | clang++ -x c++ -fsanitize=fuzzer -o "$probe/probe" - >/dev/null 2>&1; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$here/build-fuzz" -DTESSAVRANT_FUZZ=ON -DTESSAVRANT_TESTS=OFF \
    -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" >/dev/null
  cmake --build "$here/build-fuzz" -j"$jobs" --target $(cd "$here/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
  if ! FUZZ_SEEDS=regressions sh "$here/fuzz/run.sh" "$here/build-fuzz" 10 >"$here/build-fuzz/fuzz.log" 2>&1; then
    tail -n 60 "$here/build-fuzz/fuzz.log"
    echo "a fuzz target failed; its input is in $here/build-fuzz" >&2
    exit 1
  fi
  grep -E '^(== |Done )' "$here/build-fuzz/fuzz.log"
else
  echo "clang with libFuzzer is not installed: fuzz run skipped"
fi
rm -rf "$probe"

"$here/scripts/setup.sh" "$here/build-asan" -DTESSAVRANT_WERROR=ON -DTESSAVRANT_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1"
# LeakSanitizer is on. Qt's libraries have no frame pointers, so leaks are unwound the slow way
# (eight frames are enough to reach the offscreen plugin, the one suppressed source of leaks).
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0:malloc_context_size=8 \
  LSAN_OPTIONS=suppressions="$here/tests/lsan.supp":print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j"$jobs"

"$here/scripts/check-format.sh"
