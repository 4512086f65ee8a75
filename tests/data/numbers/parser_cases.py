#!/usr/bin/env python3
"""Expected singles for parser_cases.txt, worked by hand from the reading rules and written
here only to get their exact single-precision values: the number kept is read, rounded to a
single, multiplied by the scale letter's single multiplier in double and rounded once more.
Run: python3 parser_cases.py > parser_cases.txt"""
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


p, n, u, m, k, M, G = (f32(v) for v in (1e-12, 1e-9, 1e-6, 1e-3, 1e3, 1e6, 1e9))
LIMIT = f32(1e10)
# text, then what the scan keeps (number, multiplier), by hand
cases = [
    ("4.7p", 4.7, p), ("10 pF", 10, p), ("22n", 22, n), ("7.7u", 7.7, u), ("1m", 1, m),
    ("1M", 1, M), ("3g", 3, G), ("2k", 2, k), (".5u", .5, u),
    ("2.2e-6", 2.2e-6, 1), ("1E-3", 1e-3, 1), ("5e+2", 500, 1), ("  22n  ", 22, n),
    ("\t5", 5, 1), ("4k7", 4, k), ("1e3k", 1e3, 1), ("1MEG", 1, M), ("p10", 10, 1),
    ("e5", 5, 1), ("4,7p", 47, p), ("12.5.3", 12.53, 1), ("1.5e-2.3", 1.5e-23, 1),
    ("1e", 1, 1), ("-4.7p", -4.7, p), ("--5", -5, 1), ("5-3", 53, 1), ("+-5", 5, 1),
    ("+5", 5, 1), ("-1e-3k", -1e-3, 1), ("", 0, 1), ("   ", 0, 1), ("abc", 0, 1), ("-", 0, 1),
    (".", 0, 1), ("\u00b5F", 0, 1),
    # twelve characters are read, counted after the leading blanks and in characters
    ("0.00000000012", 1e-10, 1), ("  4.7000000000p", 4.7, 1), ("1234567890p123", 1234567890, p),
    ("\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5" + "5", 5, 1),
    ("\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5\u00b5" + "5", 0, 1),
    # limits: +-1e10 inside the single range, +1e10 outside it whatever the sign
    ("10G", 10, G), ("11G", 11, G), ("12345678901234", 123456789012, 1), ("1E20", 1e20, 1),
    ("-1E20", -1e20, 1), ("1E39", None, 1), ("-1E39", None, 1), ("1E38G", 1e38, G),
    ("-3E38", -3e38, 1), ("1E-50", 1e-50, 1), ("9E999999999", None, 1),
]
print("# Engineering text and the single it reads as (9 significant digits), from parser_cases.py")
for text, number, mult in cases:
    if number is None:
        value = LIMIT
    else:
        single = f32(number)
        value = f32(single * mult) if abs(single * mult) < 3.5e38 else LIMIT
        value = max(-LIMIT, min(LIMIT, value))
    print('"%s" %.9g' % (text, value))
