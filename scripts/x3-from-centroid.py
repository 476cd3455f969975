#!/usr/bin/env python3
"""Writes Gerber X3 component layers (top and bottom) from an Altium "Pick Place" text file.

Usage: x3-from-centroid.py PICK_PLACE.txt OUT_PREFIX
Writes OUT_PREFIX-top.gbr and OUT_PREFIX-bottom.gbr: one ComponentMain flash per part with
%TO.C (designator), %TO.CRot (rotation), %TO.CVal (comment), %TO.CFtp (footprint) and %TO.CMnt,
coordinates in millimetres (format 4.6), plus one pin flash per part that readers must skip.
"""
import re
import shlex
import sys


def parts(path):
    text = open(path, encoding="cp1252").read()
    header = None
    for line in text.splitlines():
        if line.startswith("Designator"):
            header = line.split()
            continue
        if header is None or not line.strip():
            continue
        fields = shlex.split(line, posix=True)
        row = dict(zip(header, fields))
        unit = 0.0254 if "(mil)" in " ".join(header) else 1.0
        x_key = next(k for k in header if k.startswith("Center-X") or k.startswith("Mid-X"))
        y_key = next(k for k in header if k.startswith("Center-Y") or k.startswith("Mid-Y"))
        yield {
            "ref": row["Designator"],
            "value": row["Comment"],
            "footprint": row["Footprint"],
            "bottom": row["Layer"].lower().startswith("bottom"),
            "x": float(row[x_key]) * unit,
            "y": float(row[y_key]) * unit,
            "rot": float(row["Rotation"]),
        }


def escape(text):
    # Attribute values cannot hold "*" or "%"; the Gerber \\uXXXX escape keeps them.
    return re.sub(r"[*%\\]", lambda m: "\\u%04X" % ord(m.group(0)), text)


def coordinate(mm):
    return str(int(round(mm * 1e6)))


def write(path, rows, bottom):
    side = "L2,Bot" if bottom else "L1,Top"
    out = [
        "G04 Component layer written by x3-from-centroid.py*",
        "%%TF.FileFunction,Component,%s*%%" % side,
        "%FSLAX46Y46*%",
        "%MOMM*%",
        "%LPD*%",
        "%TA.AperFunction,ComponentMain*%",
        "%ADD10C,0.300000*%",
        "%TA.AperFunction,ComponentPin*%",
        "%ADD11C,0*%",
        "%TD*%",
    ]
    for p in rows:
        out += [
            "%%TO.C,%s*%%" % escape(p["ref"]),
            "%%TO.CRot,%s*%%" % ("%g" % p["rot"]),
            "%TO.CMnt,SMD*%",
            "%%TO.CVal,%s*%%" % escape(p["value"]),
            "%%TO.CFtp,%s*%%" % escape(p["footprint"]),
            "D10*",
            "X%sY%sD03*" % (coordinate(p["x"]), coordinate(p["y"])),
            "%%TO.P,%s,1*%%" % escape(p["ref"]),
            "D11*",
            "X%sY%sD03*" % (coordinate(p["x"] + 0.5), coordinate(p["y"])),
            "%TD*%",
        ]
    out.append("M02*")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rows = list(parts(sys.argv[1]))
    write(sys.argv[2] + "-top.gbr", [p for p in rows if not p["bottom"]], False)
    write(sys.argv[2] + "-bottom.gbr", [p for p in rows if p["bottom"]], True)


if __name__ == "__main__":
    main()
