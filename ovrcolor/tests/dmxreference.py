#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Independent reference for the DMX bytes expected by tst_colorutils.cpp.
# Written from the tables and rules that the library holds (tristimulus
# defaults: ovrcolor/tristimulusfactory.cpp; the chromaticity search over
# channel pairs and the PWM mappings: ovrcolor/colorutils.cpp; the two gamma
# tables: ovrcolor/gammacurveovrnormal.cpp, ovrcolor/gammacurvetungsten.cpp),
# copied as numbers, without calling the library. Single-precision steps are emulated by
# rounding each operation's result to a 32-bit float.
#
#   python3 ovrcolor/tests/dmxreference.py
import math
import struct


def f32(v):
    return struct.unpack('f', struct.pack('f', v))[0]


# Tristimulus records: key -> (X, Y, Z)
TRI = {
    0: ([0.4123152, 0.35765, 0.18025], [0.2126, 0.7153, 0.0721], [0.0193273, 0.1192167, 0.9493167]),
    1: ([11740, 1554, 5410, 5553, 6491], [5160, 5817, 480, 4321, 6777], [0, 521, 32210, 55, 4092]),
    2: ([510, 188, 181, 319, 334], [250, 581, 98, 391, 338], [10, 63, 943, 134, 188]),
    3: ([11740, 1554, 5410, 6491], [5160, 5817, 480, 6777], [0, 521, 32210, 4092]),
    5: ([490.1758, 167.1244, 162.222, 360.0982], [220.975, 540.001, 100, 268.4369], [8.6375, 81.1972, 848.8889, 26.189]),
    6: ([490.1758, 167.1244, 162.222, 416.7922], [220.975, 540.001, 100, 422.6625], [8.6375, 81.1972, 848.8889, 334.6078]),
    7: ([442.9544, 160.8801, 150], [199, 504, 90], [10.5046, 92.5591, 760]),
    8: ([1241.8235, 531.2934, 402.7027, 987.0858], [558, 1628, 100, 757], [23.7059, 277.8323, 2200, 12.2947]),
    9: ([1241.8235, 531.2934, 402.7027, 870.3271], [558, 1628, 100, 868], [23.7059, 277.8323, 2200, 588.7507]),
}
CHANNELS = {'RGB': 3, 'RGBAW': 5, 'RGBW': 4, 'RGBWW': 5, 'RGBA': 4}


def key(profile, cfg):
    if profile == 0 and cfg in ('RGBAW', 'RGBWW', 'RGBW'):
        return {'RGBAW': 1, 'RGBWW': 2, 'RGBW': 3}[cfg]
    return profile if profile in TRI else 0


def square_law(d):
    f = f32(1.674e-18 * d**4 - 2.11838e-13 * d**3 + 1.4257e-05 * d**2 + 0.065828 * d - 4.8488e-05)
    return min(max(f, 0.0), 65516.0) / 65516.0


def to_yxy(levels, k, curve):
    X, Y, Z = TRI[k]
    if all(l == 0 for l in levels):
        return (0.0, 0.0, 0.0)
    if curve == 1:
        levels = [square_law(math.floor(l * 65535 + 0.5)) for l in levels]
    sx = sum(X[i] * levels[i] for i in range(len(levels)))
    sy = sum(Y[i] * levels[i] for i in range(len(levels)))
    sz = sum(Z[i] * levels[i] for i in range(len(levels)))
    s = sx + sy + sz
    return (max(levels), sx / s, sy / s)


def gamut(k):
    pts = []
    for prim in ([1, 0, 0], [0, 1, 0], [0, 0, 1]):
        _, x, y = to_yxy(prim, k, 0)
        pts.append((x, y))
    return pts


def inside(pts, x, y):
    c = False
    n = len(pts)
    for i in range(n):
        (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            xc = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < xc:
                c = not c
    return c


def closest(pts, x, y):
    if inside(pts, x, y):
        return x, y
    best = None
    for i in range(len(pts)):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        nx, ny = ax + t * dx, ay + t * dy
        d = math.hypot(x - nx, y - ny)
        if best is None or d < best[0]:
            best = (d, nx, ny)
    return best[1], best[2]


def solve(Yxy, profile, cfg, clamp=True):
    n = CHANNELS[cfg]
    k = key(profile, cfg)
    X, Yt, Z = (v[:n] for v in TRI[k])
    Y, x, y = Yxy
    if Y <= 0:
        return [0.0] * n
    if clamp:
        x, y = closest(gamut(k), x, y)
    z = 1 - x - y
    a = [(y / x) * X[i] - Yt[i] for i in range(n)]
    b = [(y / z) * Z[i] - Yt[i] for i in range(n)]
    best, best_lum = None, -1e300
    for m in range(n):
        for i in range(m + 1, n):
            others = [c for c in range(n) if c not in (m, i)]
            for j in range(1, 2 ** (n - 2)):
                w = [0.0] * n
                for bit, c in enumerate(others):
                    w[c] = float((j >> bit) & 1)
                R1 = -sum(a[c] * w[c] for c in others)
                R2 = -sum(b[c] * w[c] for c in others)
                # A zero pivot has no solution (the single-precision
                # reciprocal would be infinite and the levels not numbers).
                if a[m] == 0:
                    continue
                inv0 = f32(1.0 / a[m])
                r = b[m] * inv0
                den = b[i] - r * a[i]
                if den == 0:
                    continue
                inv1 = f32(1.0 / den)
                factor = f32(a[i] * inv1)
                rhs = R2 - r * R1
                wi = rhs * inv1
                wm = (R1 - factor * rhs) * inv0
                for name in ('wm', 'wi'):
                    v = wm if name == 'wm' else wi
                    if -0.00005 < v < 0:
                        v = 0.0
                    elif 1 < v < 1.00005:
                        v = 1.0
                    if name == 'wm':
                        wm = v
                    else:
                        wi = v
                w[m], w[i] = wm, wi
                if all(0 <= v <= 1 for v in w):
                    lum = sum(Yt[c] * w[c] for c in range(n))
                    if lum > best_lum:
                        best_lum, best = lum, list(w)
    if best is None:
        return [0.0] * n
    return [v * Y for v in best]


def qsolve(a, b, c, value, mx):
    a, b, c, value = f32(a), f32(b), f32(c), f32(value)
    D = f32(f32(b * b) - f32(f32(4.0 * a) * f32(c - value)))
    if D < 0:
        x = 0.0
    else:
        s = f32(math.sqrt(D))
        r1 = f32(f32(s - b) / f32(2.0 * a))
        r2 = f32(f32(-b - s) / f32(2.0 * a))
        x = r1 if r1 > 0 else (r2 if r2 > 0 else 0.0)
    x = min(max(x, 0.0), mx)
    return int(math.floor(f32(x + 0.5)))


def pwm(v):
    return min(max(int(math.floor(v * 65535 + 0.5)), 0), 65535)


def mode3_8(v, curve):
    p = pwm(v)
    if curve == 1:
        return 0 if p == 0 else qsolve(0.941203, 16.936, -0.065865, p, 255)
    if curve == 2:
        if p <= 4:
            return 0
        if p <= 321:
            return qsolve(0.221829, -1.002, 4.339, p, 255)
        return qsolve(1.31, -83.603, 1573, p, 255)
    return int(math.floor(p / 257 + 0.5))


def mode3_16(v, curve):
    p = pwm(v)
    if curve == 1:
        return 0 if p == 0 else qsolve(0.00001425, 0.065898, -0.065865, p, 65535)
    if curve == 2:
        if p <= 4:
            return p
        if p <= 321:
            return qsolve(0.000003359, -0.0039, 4.339, p, 65535)
        return qsolve(0.000019829, -0.325303, 1573, p, 65535)
    return p


def normal_table():
    T = [4 * math.floor((0.941203 * i * i + 16.936 * i - 0.065865) / 4 + 0.5) for i in range(256)]
    T[0] = 0
    T[236], T[239], T[253] = 56416, 57808, 64528
    return T


def luts(T):
    l16 = []
    for i in range(255):
        for j in range(256):
            l16.append(T[i] + (T[i + 1] - T[i]) * j // 256)
    l16 += [T[255]] * 256
    l8 = [(t >> 8) + (1 if (t & 0x80) and (t >> 8) != 255 else 0) for t in T]
    return l8, l16


def direct(levels, curve, res):
    if curve == 1:
        l8, l16 = luts(normal_table())
    out = []
    for v in levels:
        if res == 1:
            i = int(math.floor(v * 255 + 0.5))
            out.append(l8[i] if curve == 1 else i)
        else:
            i = int(v * 65535)
            o = l16[i] if curve == 1 else i
            out += [o >> 8, o & 0xFF]
    return out


def via_yxy(Yxy, profile, cfg, curve, res, count):
    lv = solve(Yxy, profile, cfg) + [0.0] * 8
    out = []
    for v in lv[:count]:
        if res == 1:
            out.append(mode3_8(v, curve))
        else:
            o = mode3_16(v, curve)
            out += [o >> 8, o & 0xFF]
    return out


if __name__ == '__main__':
    r8 = lambda r, g, b: [r / 255, g / 255, b / 255]
    print('profile 0 direct linear 8   ', direct(r8(255, 128, 0), 0, 1))
    print('profile 0 direct normal 8   ', direct(r8(255, 128, 0), 1, 1))
    print('profile 0 direct normal 16  ', direct(r8(255, 128, 0), 1, 2))
    print('profile 0 direct linear 16  ', direct(r8(10, 200, 77), 0, 2))
    # Yxy colours
    for name, Yxy, prof, cfg, curve, res, count in [
        ('D65 p1 RGBAW normal 8', (1.0, 0.3127, 0.329), 1, 'RGBAW', 1, 1, 5),
        ('D65 p1 RGBAW linear 16', (1.0, 0.3127, 0.329), 1, 'RGBAW', 0, 2, 5),
        ('amberish p2 RGBWW tungsten 8', (0.5, 0.45, 0.41), 2, 'RGBWW', 2, 1, 5),
        ('D65 p5 RGB (3-to-n) normal 8', (1.0, 0.3127, 0.329), 5, 'RGB', 1, 1, 3),
        ('green p0 RGB linear 8', (0.8, 0.3, 0.6), 0, 'RGB', 0, 1, 3),
        ('out of gamut p0 RGB linear 8', (1.0, 0.05, 0.05), 0, 'RGB', 0, 1, 3),
        ('warm p6 RGBW normal 16', (0.75, 0.42, 0.39), 6, 'RGBW', 1, 2, 4),
    ]:
        print(name.ljust(30), via_yxy(Yxy, prof, cfg, curve, res, count))
    # An RGB colour of profile 0 sent through Yxy to a five-channel fixture.
    Yxy = to_yxy(r8(255, 128, 0), 0, 0)
    print('rgb(255,128,0) p1 RGBAW n8   ', via_yxy(Yxy, 1, 'RGBAW', 1, 1, 5), Yxy)
    print('D65 p7 RGB normal 8           ', via_yxy((1.0, 0.3127, 0.329), 7, 'RGB', 1, 1, 3))
    print('amber p8 RGBA normal 8        ', via_yxy((0.6, 0.52, 0.42), 8, 'RGBA', 1, 1, 4))
    print('D50 p3 RGBW linear 8          ', via_yxy((1.0, 0.3457, 0.3585), 3, 'RGBW', 0, 1, 4))
    # An RGB colour of profile 9 (square-law dimming) under its 3-to-n mode.
    Yxy = to_yxy(r8(200, 100, 50), 9, 1)
    print('rgb(200,100,50) p9 3-to-n n8  ', via_yxy(Yxy, 9, 'RGB', 1, 1, 3))
    l8, l16 = luts(normal_table())
    print('normal T[1], T[2], T[255]', normal_table()[1], normal_table()[2], normal_table()[255])
    print('normal lut8[1], lut8[128], lut8[255]', l8[1], l8[128], l8[255])
