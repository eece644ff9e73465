#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# U(r) = integral from r to infinity of A S(s) ds for the coefficient rows of
# a scene, by mpmath at 25 digits, written from the law's closed form alone:
# the reference the 80-bit tables are held to. Usage:
#   potential_reference.py SCENE plain|3x1 COUNT
# prints "row G A B C D F G" for each group with a present point, then
# "at G R U SCALE" for COUNT distances from half the shortest to 1.5 times the
# longest pair distance of the scene, SCALE being the integral of |A S| over
# all r (the sum of the sizes of the integrals over the pieces between
# neighbouring shell peaks: no more than the integral of |A S|).
import sys

try:
    import mpmath as mp
except ImportError:
    sys.exit(77)

mp.mp.dps = 25
WIDTH = [1, mp.mpf("0.5"), mp.mpf("0.1"), mp.mpf("0.15"), mp.mpf("0.065")]
WEIGHT = [mp.mpf("-0.05"), mp.mpf("-0.15"), mp.mpf("0.2"), mp.mpf(2), mp.mpf("1.7")]
SIGN = [1, 1, -1, -1, -1]  # S = T_B + T_C - T_D - T_F - T_G
OFFSET, QUOTIENT = mp.mpf("2.5"), mp.mpf("1.029")
CONTACT, BASE, DECAY = mp.mpf("0.85"), mp.mpf("2.72"), mp.mpf("0.5")


# T(K, m, w) = w s^((2.5 - s^20) / (m k r)) [(1 - ln s)(2.5 - s^20) / (m k r^2) - 200 k s^18 ln s]
def term(k, m, w, r):
    s = k * r
    ln, s20 = mp.log(s), s**20
    return w * mp.exp((OFFSET - s20) / (m * k * r) * ln) * ((1 - ln) * (OFFSET - s20) / (m * k * r**2) - 200 * k * s20 / s**2 * ln)


def strength(row, contact, r):
    A, G = row[0], row[5]
    used = 4 if contact else 5
    total = sum(SIGN[n] * term(QUOTIENT / row[n + 1], WIDTH[n], WEIGHT[n], r) for n in range(used))
    if contact and r > G:
        total += CONTACT * A * G / (BASE * (r - G)**2) * mp.exp(-DECAY * G / (BASE * (r - G)))
    return A * total


def main():
    scene, mode, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    contact = mode == "3x1"
    values, slots = {}, []
    for line in open(scene):
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "slot" and words[2] != "0":
            slots.append((int(words[1]), [mp.mpf(w) for w in words[3:6]]))
        elif len(words) == 2:
            values[words[0]] = mp.mpf(words[1])
    n = 100
    group = lambda i: 1 if i <= n - 50 else 2 if i <= n - 25 else 3
    distances = [mp.sqrt(sum((p - q)**2 for p, q in zip(a[1], b[1]))) for x, a in enumerate(slots) for b in slots[x + 1:]]
    low, high = min(distances) / 2, max(distances) * mp.mpf("1.5")
    grid = [low + (high - low) * j / (count - 1) for j in range(count)]
    for g in sorted({group(i) for i, _ in slots}):
        row = [values[c + str(g)] for c in "ABCDFG"]
        print("row", g, *(mp.nstr(v, 25) for v in row))
        cuts = [K / mp.mpf("1.029") * f for K in row[1:6] for f in (0.7, 0.9, 1, 1.1, 1.2, 1.4, 1.8)]
        if contact:
            cuts += [row[5] * f for f in (1, 1.1, 1.3, 2)]
        top = max(grid[-1], 2 * max(row[1:6]) / mp.mpf("1.029") + (4 * row[5] if contact else 0))
        f = lambda r: strength(row, contact, r)
        # One integral per piece between neighbouring cuts and grid points,
        # summed from the far end; the pieces' sizes add up to the scale.
        points = sorted({mp.mpf("1e-3"), top, *grid, *(c for c in cuts if c < top)})
        u = mp.quad(f, [top, mp.inf]) if contact else mp.mpf(0)
        scale, at = abs(u), {top: u}
        for a, b in zip(reversed(points[:-1]), reversed(points[1:])):
            piece = mp.quad(f, [a, b])
            u, scale = u + piece, scale + abs(piece)
            at[a] = u
        for r in grid:
            print("at", g, mp.nstr(r, 25), mp.nstr(at[r], 25), mp.nstr(scale, 10))

main()
