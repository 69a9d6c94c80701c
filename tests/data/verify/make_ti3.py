#!/usr/bin/env python3
# Writes an input-device TI3 for a made-up camera: reference Lab (D50) values taken to XYZ, then
# to RGB through an sRGB-like matrix, a small per-patch deviation and a 1/2.2 gamma.
# With a reference file argument it uses its patches; with a number N it makes N patches
# spread over Lab (ids A01, A02, ... in rows of 24).
import math
import sys


def reference_patches(path):
    rows = []
    for line in open(path):
        p = line.split()
        if len(p) == 4 and p[0][0].isalpha() and p[0][1:].isdigit():
            rows.append((p[0], float(p[1]), float(p[2]), float(p[3])))
    return rows


def spread_patches(n):
    rows = []
    for i in range(n):
        sid = '%s%02d' % (chr(ord('A') + i // 24), i % 24 + 1)
        L = 15 + 80 * ((i * 37) % n) / max(1, n - 1)
        a = 60 * math.sin(i * 0.61)
        b = 60 * math.cos(i * 0.43)
        rows.append((sid, L, a * L / 100, b * L / 100))
    return rows


def finv(t):
    return t ** 3 if t > 6 / 29 else 3 * (6 / 29) ** 2 * (t - 4 / 29)


M = [[3.1338561, -1.6168667, -0.4906146],
     [-0.9787684, 1.9161415, 0.0334540],
     [0.0719453, -0.2289914, 1.4052427]]
arg = sys.argv[1]
rows = spread_patches(int(arg)) if arg.isdigit() else reference_patches(arg)
print('CTI3\n\nDESCRIPTOR "Argyll Calibration Target chart information 3"')
print('ORIGINATOR "Argyll target"\nCREATED "Mon Jan 01 00:00:00 2024"')
print('DEVICE_CLASS "INPUT"\nCOLOR_REP "XYZ_RGB"\n')
print('NUMBER_OF_FIELDS 7\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z RGB_R RGB_G RGB_B')
print('END_DATA_FORMAT\n\nNUMBER_OF_SETS %d\nBEGIN_DATA' % len(rows))
for i, (sid, L, a, b) in enumerate(rows):
    fy = (L + 16) / 116
    X, Y, Z = 96.42 * finv(fy + a / 500), 100.0 * finv(fy), 82.49 * finv(fy - b / 200)
    lin = [sum(M[r][c] * v / 100 for c, v in enumerate((X, Y, Z))) for r in range(3)]
    rgb = [100 * min(1, max(0, v + 0.012 * math.sin(1.7 * i + k))) ** (1 / 2.2)
           for k, v in enumerate(lin)]
    print('%s %.5f %.5f %.5f %.5f %.5f %.5f' % (sid, X, Y, Z, *rgb))
print('END_DATA')
