#!/usr/bin/python3
"""Sets `tessavrant-cli render` against gerbv's PNG export on every Gerber and drill file of the
corpus, at the same resolution, and says which layers agree.

A layer agrees when at least 98 % of the dark pixels of each image have a dark pixel of the other
within one pixel (a 3 x 3 neighbourhood), both ways. Both images are drawn without antialiasing at
the same dpi over each tool's own extent of the layer; the two are aligned on their dark pixels:
cropped to the dark bounding boxes, then the offset tried among the alignments of left or right and
top or bottom edges (two pixels either way) that makes the most dark pixels coincide, so a stray
feature that only one tool draws does not shift the rest.

Usage: scripts/compare_gerbv_images.py BUILD_DIR [--dpi N] [--no-fine] [--out DIR] [--jobs N] [FILE...]
(--dpi is the base resolution, 150 by default; layers smaller than 10 inches are drawn finer, to
about 1500 pixels on the longer side, unless --no-fine.) Run it with /usr/bin/python3 where
another python3 comes first in PATH without numpy.
Without FILE, every file of kind gerber or excellon in the corpus manifest. Writes DIR/agreement.tsv
and, for each layer that does not agree, DIR/diff/NAME.png (black: both, red: only ours, blue: only
gerbv). Needs gerbv, ImageMagick's `convert` and python3-numpy.
"""
import argparse
import concurrent.futures
import os
import subprocess
import sys
import tempfile

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
THRESHOLD = 0.98


def corpus_files(corpus):
    rows = []
    with open(os.path.join(corpus, "MANIFEST.tsv"), encoding="utf-8") as manifest:
        for line in manifest:
            f = line.rstrip("\n").split("\t")
            if len(f) > 2 and f[2] in ("gerber", "excellon"):
                path = os.path.join(corpus, f[0])
                if os.path.exists(path):
                    rows.append(path)
    return rows


def read_gray(png):
    """The image as a 2-D uint8 array (PGM through ImageMagick), or None."""
    try:
        data = subprocess.run(["convert", png, "-alpha", "remove", "-background", "white", "-colorspace",
                               "Gray", "-depth", "8", "pgm:-"], capture_output=True, check=True,
                              timeout=300).stdout
    except (subprocess.SubprocessError, OSError):
        return None
    fields = []
    pos = 0
    while len(fields) < 4:  # magic, width, height, maxval; comments skipped
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    return np.frombuffer(data, dtype=np.uint8, count=w * h, offset=pos).reshape(h, w)


def crop_dark(dark):
    rows = np.flatnonzero(dark.any(axis=1))
    cols = np.flatnonzero(dark.any(axis=0))
    if rows.size == 0:
        return dark[0:0, 0:0]
    return dark[rows[0]:rows[-1] + 1, cols[0]:cols[-1] + 1]


def place(dark, shape, dy, dx):
    """`dark` on a canvas of `shape`, its top left corner at (dy, dx) (parts outside dropped)."""
    out = np.zeros(shape, dtype=bool)
    h, w = dark.shape
    y0, x0 = max(dy, 0), max(dx, 0)
    y1, x1 = min(dy + h, shape[0]), min(dx + w, shape[1])
    if y1 > y0 and x1 > x0:
        out[y0:y1, x0:x1] = dark[y0 - dy:y1 - dy, x0 - dx:x1 - dx]
    return out


def dilate(dark):
    out = dark.copy()
    out[1:, :] |= dark[:-1, :]
    out[:-1, :] |= dark[1:, :]
    grown = out.copy()
    out[:, 1:] |= grown[:, :-1]
    out[:, :-1] |= grown[:, 1:]
    return out


def compare(ours, theirs):
    """(fraction of our dark pixels matched, of gerbv's matched, offset) after alignment."""
    a, b = crop_dark(ours), crop_dark(theirs)
    if a.size == 0 or b.size == 0:
        both_empty = a.size == 0 and b.size == 0
        return (1.0 if both_empty else 0.0), (1.0 if both_empty else 0.0), (0, 0)
    margin = 3
    shape = (max(a.shape[0], b.shape[0]) + 2 * margin, max(a.shape[1], b.shape[1]) + 2 * margin)
    base = place(a, shape, margin, margin)
    candidates_y = {margin + d for d in range(-2, 3)} | {margin + a.shape[0] - b.shape[0] + d for d in range(-2, 3)}
    candidates_x = {margin + d for d in range(-2, 3)} | {margin + a.shape[1] - b.shape[1] + d for d in range(-2, 3)}
    best = None
    for dy in sorted(candidates_y):
        for dx in sorted(candidates_x):
            placed = place(b, shape, dy, dx)
            score = int(np.count_nonzero(base & placed))
            if best is None or score > best[0]:
                best = (score, dy, dx, placed)
    _, dy, dx, placed = best
    ours_matched = np.count_nonzero(base & dilate(placed)) / max(1, np.count_nonzero(base))
    theirs_matched = np.count_nonzero(placed & dilate(base)) / max(1, np.count_nonzero(placed))
    return ours_matched, theirs_matched, (dy - margin, dx - margin), base, placed


def write_diff(base, placed, path):
    rgb = np.full(base.shape + (3,), 255, dtype=np.uint8)
    rgb[base & placed] = (0, 0, 0)
    rgb[base & ~placed] = (220, 0, 0)
    rgb[~base & placed] = (0, 0, 220)
    header = b"P6\n%d %d\n255\n" % (base.shape[1], base.shape[0])
    subprocess.run(["convert", "ppm:-", path], input=header + rgb.tobytes(), check=False)


def run_one(args, path, tmp):
    name = os.path.relpath(path, args.corpus).replace("/", "_")
    ours_png = os.path.join(tmp, name + ".ours.png")
    gerbv_png = os.path.join(tmp, name + ".gerbv.png")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    def render(dpi):
        try:
            return subprocess.run([args.cli, "render", path, "-o", ours_png, "--dpi", str(dpi)],
                                  capture_output=True, text=True, timeout=600, env=env).returncode
        except subprocess.TimeoutExpired:
            return "timeout"

    # A small layer is drawn finer, to about 1500 pixels on its longer side (at most 1200 dpi):
    # at the base resolution a test file's features are a pixel or two and a hairline comes out
    # a dotted line in one tool and a whole one in the other, which says nothing of the reading.
    dpi = args.dpi
    ours_status = render(dpi)
    first = read_gray(ours_png) if os.path.exists(ours_png) else None
    if first is not None and args.fine:
        longest = max(first.shape) / dpi
        fine = max(dpi, min(1200, int(1500 / longest))) if longest > 0 else dpi
        if fine > dpi:
            dpi = fine
            ours_status = render(dpi)
    try:
        subprocess.run(["gerbv", "-x", "png", "--dpi=%d" % dpi, "--border=50", "-b", "#FFFFFF",
                        "-f", "#000000FF", "-o", gerbv_png, path], capture_output=True, timeout=600)
    except subprocess.TimeoutExpired:
        pass
    ours = read_gray(ours_png) if os.path.exists(ours_png) else None
    theirs = read_gray(gerbv_png) if os.path.exists(gerbv_png) else None
    for f in (ours_png, gerbv_png):
        if os.path.exists(f):
            os.remove(f)
    if ours is None or theirs is None:
        return (name, ours_status, "-", "-", "-", "no image from " + ("us" if ours is None else "gerbv"), dpi)
    result = compare(ours < 128, theirs < 128)
    ours_matched, theirs_matched, offset = result[:3]
    agree = ours_matched >= THRESHOLD and theirs_matched >= THRESHOLD
    if not agree and len(result) > 3:
        os.makedirs(os.path.join(args.out, "diff"), exist_ok=True)
        write_diff(result[3], result[4], os.path.join(args.out, "diff", name + ".png"))
    return (name, ours_status, "%.4f" % ours_matched, "%.4f" % theirs_matched, "%d,%d" % offset,
            "agree" if agree else "differ", dpi)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("files", nargs="*")
    parser.add_argument("--dpi", type=int, default=150)
    parser.add_argument("--out", default="/tmp/gerbv-agreement")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--no-fine", dest="fine", action="store_false",
                        help="every layer at --dpi, however small")
    args = parser.parse_intermixed_args()
    args.cli = os.path.join(args.build, "src/cli/tessavrant-cli")
    args.corpus = os.path.normpath(os.path.join(
        os.environ.get("TESSAVRANT_CORPUS_DIR") or os.path.join(HERE, "../../shared/corpus"), "gerber"))
    files = [os.path.abspath(f) for f in args.files] or corpus_files(args.corpus)
    os.makedirs(args.out, exist_ok=True)
    tmp = tempfile.mkdtemp()
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        rows = list(pool.map(lambda p: run_one(args, p, tmp), files))
    with open(os.path.join(args.out, "agreement.tsv"), "w", encoding="utf-8") as out:
        out.write("layer\tours_exit\tours_matched\tgerbv_matched\toffset\tresult\tdpi\n")
        for row in rows:
            out.write("\t".join(str(c) for c in row) + "\n")
    compared = [r for r in rows if r[5] in ("agree", "differ")]
    agreeing = sum(1 for r in compared if r[5] == "agree")
    for row in rows:
        if row[5] != "agree":
            print("\t".join(str(c) for c in row))
    print("%d of %d layers compared agree (%.1f %%); %d without an image" % (
        agreeing, len(compared), 100.0 * agreeing / max(1, len(compared)), len(rows) - len(compared)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
