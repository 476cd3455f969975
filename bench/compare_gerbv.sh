#!/bin/sh
# Sets Tessavrant's Gerber/Excellon reading and 600 dpi drawing against the Debian gerbv package
# on the same files, in the same run, and prints the ratios.
#
# Usage: bench/compare_gerbv.sh [BUILD_DIR]   (BUILD_DIR configured with -DTESSAVRANT_BENCH=ON,
#                                              default: build)
# Reading: bench_gerber's in-process read time (best of its repetitions) against
#   `gerbv -x rs274x -o /dev/null FILE` (best of 3; one run for files over 10 MB), minus gerbv's start-up time measured on a
#   two-line file, so that both sides count the reading only.
# Drawing: `tessavrant-cli render FILE -o OUT.png --dpi 600` against
#   `gerbv -x png --dpi=600 -o OUT.png FILE`, whole processes (read, draw, write PNG), best of 3.
set -eu
BUILD=${1:-build}
BENCH="$BUILD/bench/bench_gerber"
CLI="$BUILD/src/cli/tessavrant-cli"
for tool in "$BENCH" "$CLI"; do
  [ -x "$tool" ] || { echo "missing $tool: build with -DTESSAVRANT_BENCH=ON first" >&2; exit 2; }
done
command -v gerbv >/dev/null || { echo "gerbv is not installed (apt-get install gerbv)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

JSON=$(mktemp)
trap 'rm -f "$JSON"' EXIT
"$BENCH" --benchmark_filter='^read/' --benchmark_repetitions=3 --benchmark_format=json >"$JSON" 2>/dev/null

python3 - "$JSON" "$CLI" <<'PY'
import json, os, subprocess, sys, tempfile, time

data = json.load(open(sys.argv[1]))
cli = sys.argv[2]
corpus = os.environ.get("TESSAVRANT_CORPUS_DIR") or os.path.join(os.path.dirname(os.path.abspath(cli)), "../../../../shared/corpus")
corpus = os.path.normpath(os.path.join(corpus, "gerber"))
tmp = tempfile.mkdtemp()

def best(cmd, runs=3):
    t = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        d = time.perf_counter() - start
        t = d if t is None else min(t, d)
    return t

ours = {}
for b in data["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name = b["run_name"][len("read/"):]
    ms = b["real_time"] if b["time_unit"] == "ms" else b["real_time"] / 1e6
    ours[name] = min(ours.get(name, ms), ms)

def path_of(name):
    p = os.path.join(corpus, name)
    return p if os.path.exists(p) else os.path.join(tempfile.gettempdir(), name)

tiny = os.path.join(tmp, "tiny.gbr")
open(tiny, "w").write("%FSLAX24Y24*%\n%MOIN*%\nM02*\n")
startup = best(["gerbv", "-x", "rs274x", "-o", "/dev/null", tiny], 5)
print("gerbv start-up %.0f ms (subtracted from its reading times)\n" % (startup * 1000))
print("%-62s %8s %9s %8s %9s %8s %7s" % ("reading", "MB", "ours ms", "MB/s", "gerbv ms", "MB/s", "ratio"))
for name, ms in ours.items():
    f = path_of(name)
    mb = os.path.getsize(f) / 1e6
    runs = 1 if mb > 10 else 3
    g = max(best(["gerbv", "-x", "rs274x", "-o", "/dev/null", f], runs) - startup, 1e-4) * 1000
    print("%-62s %8.2f %9.1f %8.1f %9.1f %8.1f %6.1fx" % (name[-62:], mb, ms, mb / ms * 1000, g, mb / g * 1000, g / ms))

print("\n%-62s %9s %9s %7s" % ("drawing at 600 dpi, whole process", "ours ms", "gerbv ms", "ratio"))
out = os.path.join(tmp, "out.png")
for name in ours:
    f = path_of(name)
    runs = 1 if os.path.getsize(f) > 10e6 else 3
    t = best([cli, "render", f, "-o", out, "--dpi", "600"], runs) * 1000
    g = best(["gerbv", "-x", "png", "--dpi=600", "-o", out, f], runs) * 1000
    print("%-62s %9.0f %9.0f %6.1fx" % (name[-62:], t, g, g / t))
PY
