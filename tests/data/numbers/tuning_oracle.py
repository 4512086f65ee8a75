#!/usr/bin/env python3
"""Independent calculation of the oscillator's four frequencies, for tuning_cases.txt.

Each named intermediate is rounded to a single (IEEE binary32) as it is formed, exactly as
the program's resonance evaluation does: a sum, product or quotient of two singles worked in
double and rounded once to single is the correctly rounded single operation. The product
Ctotal x L7 and its square root are taken in double, Pi is 4 x atan(1) as a single.

The designs are chosen (from random E12 values, seed fixed) so that each differs in the last
bit from at least one plausible slip: adding the parallel capacitances in another order,
taking the square root in single precision, or computing everything in double.
Run: python3 tuning_oracle.py > tuning_cases.txt"""
import math
import random
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


PI = f32(4 * math.atan(1))
E12 = [1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2]


def resonance(d, cfine, ccoarse, order="program", root="double", single=True):
    r = f32 if single else (lambda x: x)
    cseries = r(r(cfine * d["C39"]) / r(cfine + d["C39"]))
    if order == "program":
        cpar = r(r(r(cseries + d["C37"]) + ccoarse) + d["C90"])
    else:
        cpar = r(r(r(d["C37"] + ccoarse) + d["C90"]) + cseries)
    cdiv = r(r(d["C35"] * d["C34"]) / r(d["C35"] + d["C34"]))
    cload = r(r(cdiv * cpar) / r(cdiv + cpar))
    ctotal = r(cload + d["C15"])
    two_pi = r(PI + PI)
    if root == "double":
        s = math.sqrt(ctotal * d["L7"])
    else:
        s = f32(math.sqrt(f32(ctotal * d["L7"])))
    return r(1.0 / (two_pi * s))


def four(d, **how):
    nom = f32(f32(d["CfineMax"] + d["CfineMin"]) / 2)
    return (resonance(d, nom, d["CcoarseMax"], **how), resonance(d, nom, d["CcoarseMin"], **how),
            resonance(d, d["CfineMax"], d["CcoarseMax"], **how),
            resonance(d, d["CfineMin"], d["CcoarseMax"], **how))


def pick(rng, decade):
    return f32(rng.choice(E12) * decade)


def main():
    rng = random.Random(2026)
    names = ["CfineMin", "CfineMax", "C39", "C37", "CcoarseMin", "CcoarseMax", "C90", "C15",
             "C34", "C35", "L7"]
    print("# Designs and their four frequencies (VfoMin VfoMax FineLow FineHigh) from")
    print("# tuning_oracle.py; every number is written with 9 significant digits, which reads")
    print("# back as the same single. The note says which slips each design catches.")
    print("# " + " ".join(names))
    worked = {"CfineMin": f32(10e-12), "CfineMax": f32(40e-12), "C39": f32(10e-12),
              "C37": f32(100e-12), "CcoarseMin": f32(20e-12), "CcoarseMax": f32(100e-12),
              "C90": f32(100e-12), "C15": f32(47e-12), "C34": f32(470e-12), "C35": f32(470e-12),
              "L7": f32(4.7e-6)}
    print("%s -> %s # the worked example" % (" ".join("%.9g" % worked[n] for n in names),
                                             " ".join("%.9g" % f for f in four(worked))))
    found = {"order": 0, "sqrt": 0, "double": 0}
    while min(found.values()) < 2:
        d = {"CfineMin": pick(rng, 1e-12), "CfineMax": pick(rng, 1e-11), "C39": pick(rng, 1e-11),
             "C37": pick(rng, 1e-10), "CcoarseMin": pick(rng, 1e-11),
             "CcoarseMax": pick(rng, 1e-10), "C90": pick(rng, 1e-10), "C15": pick(rng, 1e-11),
             "C34": pick(rng, 1e-10), "C35": pick(rng, 1e-10), "L7": pick(rng, 1e-6)}
        right = four(d)
        slips = [k for k, how in (("order", {"order": "other"}), ("sqrt", {"root": "single"}),
                                  ("double", {"single": False}))
                 if tuple(map(f32, four(d, **how))) != right]
        useful = [s for s in slips if found[s] < 2]
        if not useful:
            continue
        for s in slips:
            found[s] += 1
        values = " ".join("%.9g" % d[n] for n in names)
        print("%s -> %s # %s" % (values, " ".join("%.9g" % f for f in right), ",".join(slips)))


if __name__ == "__main__":
    main()
