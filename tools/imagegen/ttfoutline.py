# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns text into SVG path data, straight from a TrueType font file.

The images carry their lettering as outlines, so rendering them needs no
font and gives the same pixels everywhere. Only what the lettering uses is
read: cmap format 4, hmtx, loca and simple or composite glyf outlines.
"""

import struct


class Font:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        num_tables = struct.unpack_from('>H', self.data, 4)[0]
        self.tables = {}
        for i in range(num_tables):
            tag, _, offset, length = struct.unpack_from('>4sIII', self.data, 12 + 16 * i)
            self.tables[tag.decode('latin-1')] = (offset, length)
        head = self.tables['head'][0]
        self.units_per_em = struct.unpack_from('>H', self.data, head + 18)[0]
        self.long_loca = struct.unpack_from('>h', self.data, head + 50)[0] == 1
        self.num_glyphs = struct.unpack_from('>H', self.data, self.tables['maxp'][0] + 4)[0]
        hhea = self.tables['hhea'][0]
        self.ascent, self.descent = struct.unpack_from('>hh', self.data, hhea + 4)
        self.num_hmetrics = struct.unpack_from('>H', self.data, hhea + 34)[0]
        self.cmap = self._read_cmap()

    def _read_cmap(self):
        base = self.tables['cmap'][0]
        count = struct.unpack_from('>H', self.data, base + 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from('>HHI', self.data, base + 4 + 8 * i)
            sub = base + offset
            if platform == 3 and encoding == 1 and struct.unpack_from('>H', self.data, sub)[0] == 4:
                return self._read_format4(sub)
        raise ValueError('font has no Unicode BMP cmap')

    def _read_format4(self, sub):
        seg_x2 = struct.unpack_from('>H', self.data, sub + 6)[0]
        segs = seg_x2 // 2
        ends = struct.unpack_from('>%dH' % segs, self.data, sub + 14)
        starts_at = sub + 16 + seg_x2
        starts = struct.unpack_from('>%dH' % segs, self.data, starts_at)
        deltas = struct.unpack_from('>%dh' % segs, self.data, starts_at + seg_x2)
        range_at = starts_at + 2 * seg_x2
        ranges = struct.unpack_from('>%dH' % segs, self.data, range_at)
        mapping = {}
        for s in range(segs):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_at + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack_from('>H', self.data, at)[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                if glyph:
                    mapping[code] = glyph
        return mapping

    def advance(self, glyph):
        hmtx = self.tables['hmtx'][0]
        index = min(glyph, self.num_hmetrics - 1)
        return struct.unpack_from('>H', self.data, hmtx + 4 * index)[0]

    def _glyph_range(self, glyph):
        loca = self.tables['loca'][0]
        if self.long_loca:
            a, b = struct.unpack_from('>II', self.data, loca + 4 * glyph)
        else:
            a, b = struct.unpack_from('>HH', self.data, loca + 2 * glyph)
            a, b = 2 * a, 2 * b
        return self.tables['glyf'][0] + a, b - a

    def contours(self, glyph):
        """The glyph's contours as lists of (x, y, on_curve) in font units."""
        at, length = self._glyph_range(glyph)
        if length == 0:
            return []
        n = struct.unpack_from('>h', self.data, at)[0]
        if n < 0:
            return self._composite(at + 10)
        ends = struct.unpack_from('>%dH' % n, self.data, at + 10)
        points = ends[-1] + 1 if n else 0
        p = at + 10 + 2 * n
        ins_len = struct.unpack_from('>H', self.data, p)[0]
        p += 2 + ins_len
        flags = []
        while len(flags) < points:
            flag = self.data[p]
            p += 1
            flags.append(flag)
            if flag & 8:
                repeat = self.data[p]
                p += 1
                flags.extend([flag] * repeat)
        coords = []
        for axis_short, axis_same in ((2, 16), (4, 32)):
            value, values = 0, []
            for flag in flags:
                if flag & axis_short:
                    delta = self.data[p]
                    p += 1
                    value += delta if flag & axis_same else -delta
                elif not flag & axis_same:
                    value += struct.unpack_from('>h', self.data, p)[0]
                    p += 2
                values.append(value)
            coords.append(values)
        result, start = [], 0
        for end in ends:
            result.append([(coords[0][i], coords[1][i], bool(flags[i] & 1))
                           for i in range(start, end + 1)])
            start = end + 1
        return result

    def _composite(self, p):
        result = []
        while True:
            flags, glyph = struct.unpack_from('>HH', self.data, p)
            p += 4
            if flags & 1:
                dx, dy = struct.unpack_from('>hh', self.data, p)
                p += 4
            else:
                dx, dy = struct.unpack_from('>bb', self.data, p)
                p += 2
            scale = (1.0, 0.0, 0.0, 1.0)
            if flags & 8:
                s = struct.unpack_from('>h', self.data, p)[0] / 16384.0
                p += 2
                scale = (s, 0.0, 0.0, s)
            elif flags & 0x40:
                sx, sy = struct.unpack_from('>hh', self.data, p)
                p += 4
                scale = (sx / 16384.0, 0.0, 0.0, sy / 16384.0)
            elif flags & 0x80:
                scale = tuple(v / 16384.0 for v in struct.unpack_from('>hhhh', self.data, p))
                p += 8
            for contour in self.contours(glyph):
                result.append([(scale[0] * x + scale[2] * y + dx,
                                scale[1] * x + scale[3] * y + dy, on)
                               for x, y, on in contour])
            if not flags & 0x20:
                return result

    def glyph(self, char):
        return self.cmap.get(ord(char), 0)

    def text_width(self, text, size, spacing=0.0):
        scale = size / self.units_per_em
        widths = [self.advance(self.glyph(c)) * scale for c in text]
        return sum(widths) + spacing * max(len(text) - 1, 0)

    def text_path(self, text, x, y, size, spacing=0.0, anchor='start'):
        """SVG path data of text whose baseline starts at (x, y).

        anchor 'middle' or 'end' places the text as SVG's text-anchor does;
        spacing is added between letters, in pixels.
        """
        if anchor == 'middle':
            x -= self.text_width(text, size, spacing) / 2
        elif anchor == 'end':
            x -= self.text_width(text, size, spacing)
        scale = size / self.units_per_em
        parts = []
        for char in text:
            glyph = self.glyph(char)
            for contour in self.contours(glyph):
                parts.append(_contour_path(contour, x, y, scale))
            x += self.advance(glyph) * scale + spacing
        return ' '.join(parts)


def _fmt(v):
    s = '%.2f' % v
    s = s.rstrip('0').rstrip('.')
    return '0' if s == '-0' else s


def _contour_path(contour, ox, oy, scale):
    pts = [(ox + px * scale, oy - py * scale, on) for px, py, on in contour]
    if not pts:
        return ''
    # Start on an on-curve point; a contour made only of off-curve points
    # starts at the midpoint of its first two.
    start = next((i for i, p in enumerate(pts) if p[2]), None)
    if start is None:
        a, b = pts[0], pts[1]
        first = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True)
        pts = [first] + pts[1:] + pts[:1]
    else:
        pts = pts[start:] + pts[:start]
    out = ['M%s %s' % (_fmt(pts[0][0]), _fmt(pts[0][1]))]
    control = None
    for x, y, on in pts[1:] + [pts[0]]:
        if on:
            if control is None:
                out.append('L%s %s' % (_fmt(x), _fmt(y)))
            else:
                out.append('Q%s %s %s %s' % (_fmt(control[0]), _fmt(control[1]), _fmt(x), _fmt(y)))
                control = None
        else:
            if control is not None:
                mx, my = (control[0] + x) / 2, (control[1] + y) / 2
                out.append('Q%s %s %s %s' % (_fmt(control[0]), _fmt(control[1]), _fmt(mx), _fmt(my)))
            control = (x, y)
    out.append('Z')
    return ''.join(out)
