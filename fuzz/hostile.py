#!/usr/bin/env python3
"""Writes inputs of each hostile class (huge counts asked for by small files, non-finite
numbers, long lines) into OUT/<target>/ as extra fuzz seeds. Sizes stay well under the
fuzzers' 4 MB input limit. Usage: fuzz/hostile.py OUT"""
import os
import sys

out = sys.argv[1]


def put(target, name, data):
    os.makedirs(os.path.join(out, target), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(os.path.join(out, target, name), "wb") as f:
        f.write(data)


head = "%FSLAX24Y24*%\n%MOMM*%\n"
# Gerber: a macro of many circles, many macro/aperture pairs, absurd apertures and repeats.
put("fuzz_gerber", "macro_primitives", head + "%AMBIG*\n" + "1,1,0.1,0,0*\n" * 20000
    + "%\n%ADD10BIG*%\nD10*\nX0Y0D03*\nM02*\n")
put("fuzz_gerber", "am_ad_pairs", head + "".join(
    "%%AMM%d*\n1,1,0.1,0,0*%%\n%%ADD%dM%d*%%\n" % (i, 10 + i, i) for i in range(5000)) + "M02*\n")
put("fuzz_gerber", "aperture_1e308", head + "%ADD10C,1e308*%\n%ADD11R,1e308X1e308*%\nD10*\nX0Y0D03*\nM02*\n")
put("fuzz_gerber", "step_repeat", head + "%SRX1E20Y1I1J1*%\n%ADD10C,0.1*%\nD10*\nX0Y0D03*\n%SR*%\n"
    "%SRX100000Y100000I0.1J0.1*%\nX0Y0D03*\n%SR*%\nM02*\n")
put("fuzz_gerber", "arcs", head + "%ADD10C,0.1*%\nD10*\nG75*\n" + "".join(
    "X%dY0D02*\nG03X%dY0I-%dJ0D01*\n" % (i, i, i) for i in range(1, 20000, 7)) + "M02*\n")
put("fuzz_gerber", "long_line", head + "G04 " + "x" * 1000000 + "*\nM02*\n")
put("fuzz_gerber", "huge_coordinates", head + "%ADD10C,0.1*%\nD10*\nX99999999999999999999Y-99999999999999D01*\n"
    "X1e308Y1e308D03*\nM02*\n")
put("fuzz_macroexpression", "deep", "(" * 5000 + "1" + ")" * 5000)
put("fuzz_macroexpression", "long_sum", "+".join(["$1x$2"] * 50000))
put("fuzz_macroexpression", "big_variable", "$999999999=1e308x1e308*\n1,1,$999999999,0,0")
put("fuzz_macroexpression", "many_primitives", "1,1,0.1,0,0*\n" * 20000)
# Excellon: repeats, routed full circles, absurd tool sizes.
exc = "M48\nMETRIC,LZ\nT1C0.3\n%\nT1\n"
put("fuzz_excellon", "repeats", exc + "X0Y0\n" + "R100000X1Y1\n" * 200 + "M30\n")
put("fuzz_excellon", "routed_circles", exc + "".join(
    "G00X%dY0\nM15\nG03X%dY0A5\nM16\n" % (i, i) for i in range(20000)) + "M30\n")
put("fuzz_excellon", "huge_tool", "M48\nINCH\nT1C1e308\nT2C-1\nT3Cnan\n%\nT1\nX1Y1\nT2\nX2Y2\nM30\n")
put("fuzz_excellon", "long_line", exc + "X" + "1" * 1000000 + "\nM30\n")
# Centroid readers: non-finite and far coordinates, many placements.
bad = ["inf", "nan", "1e308", "-1e308", "1e5", "99999999999"]
own = "".join("R%d;0603;%s;1;top;0;10k\n" % (i, v) for i, v in enumerate(bad))
put("fuzz_pnp_owncsv", "nonfinite", own)
put("fuzz_pnp_owncsv", "many", "".join("R%d;0603;1;2;top;0;10k\n" % i for i in range(100000)))
put("fuzz_pnp_target", "nonfinite", "".join('"%d","10k","%s","1","0","Top","R%d"\n' % (i, v, i)
                                            for i, v in enumerate(bad)))
put("fuzz_pnp_positionupdate", "nonfinite", "".join("R%d;%s;1;%s\n" % (i, v, v) for i, v in enumerate(bad)))
put("fuzz_pnp_eaglemnt", "nonfinite", "".join("R%d %s 1 0 10k R0603\n" % (i, v) for i, v in enumerate(bad)))
put("fuzz_pnp_kicad", "nonfinite", "## Unit = mm\n" + "".join("R%d 10k R0603 %s 1 0 top\n" % (i, v)
                                                              for i, v in enumerate(bad)))
put("fuzz_pnp_altiumcsv", "nonfinite", '"Designator","Comment","Layer","Footprint","Center-X(mm)",'
    '"Center-Y(mm)","Rotation"\n' + "".join('"R%d","1k","TopLayer","0603","%s","1","%s"\n' % (i, v, v)
                                            for i, v in enumerate(bad)))
put("fuzz_pnp_altium", "nonfinite", "Designator Comment Layer Footprint Center-X(mm) Center-Y(mm) Rotation\n"
    + "".join("R%d 1k TopLayer 0603 %s 1 %s\n" % (i, v, v) for i, v in enumerate(bad)))
put("fuzz_pnp_eaglepart", "nonfinite", "Part Value Package Library Position (mm) Orientation\n"
    + "".join("R%d 1k R0603 rcl (%s 1) R0\n" % (i, v) for i, v in enumerate(bad)))
# Projects: a code table repeating one character, a line of many fields, many placements.
put("fuzz_project", "code_table_repeats", b"Tessavrant v0.0.80\n" + b"a\x01\x01\x01" * (1 << 20))
put("fuzz_project", "many_fields", "+FileVer\n10\n+Top\n+Origins\n" + ";" * 3000000 + "\n+++END+++\n")
put("fuzz_project", "many_placements", "+FileVer\n10\n+Top\n+Pick-and-Place\n" + "R;;0;0;top;0;\n" * 250000
    + "+++END+++\n")
# Line configuration and part database: many machines and entries.
put("fuzz_lineconfig", "many_machines", "\0" + "".join("M%d;%d;0\n" % (i, i % 50) for i in range(100000)))
# Many lines the reader does not take, each kept for the rewrite (~2.4 MB).
put("fuzz_lineconfig", "kept_lines", "\0" + "".join("M%d;0;%d\n# note %d\n" % (i, i % 7, i) for i in range(120000)))
put("fuzz_lineconfig", "latin1", "\0" + "Linie\xe4;0;0\n\xff\xfe;1;1\n")
put("fuzz_partdatabase", "many_entries", "\0\0[parts]\n" + "".join("%d;R%d;res;k\n" % (100 + i, i)
                                                                    for i in range(100000)))
