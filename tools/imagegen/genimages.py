# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the SVG sources of every image the program compiles in.

    python3 tools/imagegen/genimages.py [OUT_DIR [PREVIEW_SVG]]

OUT_DIR (default: keypadmgr/resources/src/svg) mirrors the resource tree:
svg/images/background.svg becomes ":/images/images/background.png",
svg/reload_arrow.svg becomes ":/images/reload_arrow.png". The imagegen
tool beside this script renders them (see `make images`). PREVIEW_SVG, if given,
receives the whole control panel with its buttons in place, for checking
the layout; it is not compiled in.

Only the Python standard library is used. Lettering is turned into outlines
from DejaVu Sans (package fonts-dejavu-core), so the SVGs render the same
with or without fonts. Everything random is seeded: the output is the same
on every run.
"""

import math
import os
import random
import sys

import ttfoutline

FONT_DIR = '/usr/share/fonts/truetype/dejavu'
SANS = ttfoutline.Font(os.path.join(FONT_DIR, 'DejaVuSans.ttf'))
SANS_BOLD = ttfoutline.Font(os.path.join(FONT_DIR, 'DejaVuSans-Bold.ttf'))

PANEL_W, PANEL_H = 400, 600

# Button geometry on the 400 x 600 face: position P -> (x, y, w, h).
# Two columns of scene buttons, counted row by row, then Down, Up, On/Off.
COL_X = (45, 202)
SCENE_W, SCENE_H = 152, 86
ROW_Y = (50, 141, 232, 323)
DOWNUP_Y, DOWNUP_H = 418, 60
ONOFF_Y, ONOFF_W, ONOFF_H = 487, 309, 88

GEOMETRY = {}
for _row, _y in enumerate(ROW_Y):
    for _col, _x in enumerate(COL_X):
        GEOMETRY[1 + 2 * _row + _col] = (_x, _y, SCENE_W, SCENE_H)
GEOMETRY[9] = (COL_X[0], DOWNUP_Y, SCENE_W, DOWNUP_H)
GEOMETRY[10] = (COL_X[1], DOWNUP_Y, SCENE_W, DOWNUP_H)
GEOMETRY[11] = (COL_X[0], ONOFF_Y, ONOFF_W, ONOFF_H)

# Position P of a scene button shows scene SCENE_AT[P]: left column 1-4,
# right column 5-8.
SCENE_AT = {p: (p + 1) // 2 if p % 2 else 4 + p // 2 for p in range(1, 9)}

# The opening in the faceplate that holds all the buttons.
INSERT = (40, 45, 320, 536)

STATES = ('off', 'down', 'on', 'disabled')

# Backlight colour of a lit button.
GLOW = '#6cc9ff'
GLOW_CORE = '#eef9ff'


def fmt(v):
    s = ('%.2f' % v).rstrip('0').rstrip('.')
    return '0' if s in ('-0', '') else s


def svg(width, height, body, defs=''):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '<defs>\n%s</defs>\n%s</svg>\n' % (width, height, width, height, defs, body))


class Defs:
    """Collects gradients under unique ids."""

    def __init__(self, prefix):
        self.prefix = prefix
        self.items = []

    def _id(self):
        return '%s%d' % (self.prefix, len(self.items))

    def linear(self, x1, y1, x2, y2, stops, user=True):
        gid = self._id()
        units = ' gradientUnits="userSpaceOnUse"' if user else ''
        self.items.append('<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>\n'
                          % (gid, fmt(x1), fmt(y1), fmt(x2), fmt(y2), units, _stops(stops)))
        return 'url(#%s)' % gid

    def radial(self, cx, cy, r, stops, fx=None, fy=None, transform=None):
        gid = self._id()
        extra = ''
        if fx is not None:
            extra += ' fx="%s" fy="%s"' % (fmt(fx), fmt(fy))
        if transform:
            extra += ' gradientTransform="%s"' % transform
        self.items.append('<radialGradient id="%s" cx="%s" cy="%s" r="%s"%s gradientUnits="userSpaceOnUse">%s</radialGradient>\n'
                          % (gid, fmt(cx), fmt(cy), fmt(r), extra, _stops(stops)))
        return 'url(#%s)' % gid

    def text(self):
        return ''.join(self.items)


def _stops(stops):
    out = []
    for stop in stops:
        offset, colour = stop[0], stop[1]
        opacity = stop[2] if len(stop) > 2 else 1
        out.append('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (fmt(offset), colour, fmt(opacity)))
    return ''.join(out)


def rrect(x, y, w, h, r, fill='none', stroke=None, width=1, opacity=None, extra=''):
    s = '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" ry="%s" fill="%s"' % (
        fmt(x), fmt(y), fmt(w), fmt(h), fmt(r), fmt(r), fill)
    if stroke:
        s += ' stroke="%s" stroke-width="%s"' % (stroke, fmt(width))
    if opacity is not None:
        s += ' opacity="%s"' % fmt(opacity)
    return s + extra + '/>\n'


def path(d, fill='none', stroke=None, width=1, opacity=None, extra=''):
    s = '<path d="%s" fill="%s"' % (d, fill)
    if stroke:
        s += ' stroke="%s" stroke-width="%s"' % (stroke, fmt(width))
    if opacity is not None:
        s += ' opacity="%s"' % fmt(opacity)
    return s + extra + '/>\n'


def group(body, transform=None, opacity=None):
    attrs = ''
    if transform:
        attrs += ' transform="%s"' % transform
    if opacity is not None:
        attrs += ' opacity="%s"' % fmt(opacity)
    return '<g%s>\n%s</g>\n' % (attrs, body)


def rrect_path(x, y, w, h, r):
    """A rounded rectangle as path data (for strokes that follow its top or bottom only)."""
    return ('M%s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sZ'
            % (fmt(x + r), fmt(y), fmt(x + w - r), fmt(r), fmt(r), fmt(x + w), fmt(y + r),
               fmt(y + h - r), fmt(r), fmt(r), fmt(x + w - r), fmt(y + h), fmt(x + r), fmt(r), fmt(r),
               fmt(x), fmt(y + h - r), fmt(y + r), fmt(r), fmt(r), fmt(x + r), fmt(y)))


def top_edge(x, y, w, r):
    """The upper edge of a rounded rectangle, corner to corner."""
    return 'M%s %sA%s %s 0 0 1 %s %sH%sA%s %s 0 0 1 %s %s' % (
        fmt(x), fmt(y + r), fmt(r), fmt(r), fmt(x + r), fmt(y), fmt(x + w - r), fmt(r), fmt(r),
        fmt(x + w), fmt(y + r))


def bottom_edge(x, y, w, h, r):
    return 'M%s %sA%s %s 0 0 0 %s %sH%sA%s %s 0 0 0 %s %s' % (
        fmt(x), fmt(y + h - r), fmt(r), fmt(r), fmt(x + r), fmt(y + h), fmt(x + w - r), fmt(r), fmt(r),
        fmt(x + w), fmt(y + h - r))


# --------------------------------------------------------------------------
# Faceplate

def brushed_metal(defs, x, y, w, h, seed, light=0.05, dark=0.06, streaks=110):
    """Horizontal brushing: full-width lines of varying tone plus short streaks.

    The lines are half a pixel high, so the 2x image gets a grain of its own
    instead of the 1x grain doubled; at 1x two lines share a pixel row, which
    the higher opacity makes up for.
    """
    rng = random.Random(seed)
    levels = 5
    light_rows = [[] for _ in range(levels)]
    dark_rows = [[] for _ in range(levels)]
    for row in range(2 * h):
        v = rng.gauss(0, 1)
        level = min(levels - 1, int(abs(v) * 1.6))
        if level == 0:
            continue
        target = light_rows if v > 0 else dark_rows
        target[level].append('M%d %sh%dv0.5h-%dZ' % (x, fmt(y + row / 2), w, w))
    out = []
    boost = 1.35
    for level in range(1, levels):
        if light_rows[level]:
            out.append(path(''.join(light_rows[level]), fill='#ffffff', opacity=boost * light * level / (levels - 1)))
        if dark_rows[level]:
            out.append(path(''.join(dark_rows[level]), fill='#000000', opacity=boost * dark * level / (levels - 1)))
    # Longer streaks that fade at both ends.
    for i in range(streaks):
        sy = y + rng.randrange(h)
        length = rng.randrange(w // 4, w)
        sx = x + rng.randrange(-length // 2, w - length // 2)
        light_streak = rng.random() < 0.6
        colour = '#ffffff' if light_streak else '#000000'
        peak = rng.uniform(0.06, 0.12) if light_streak else rng.uniform(0.03, 0.06)
        grad = defs.linear(sx, 0, sx + length, 0, [(0, colour, 0), (0.5, colour, peak), (1, colour, 0)])
        out.append('<rect x="%d" y="%d" width="%d" height="1" fill="%s"/>\n' % (sx, sy, length, grad))
    return ''.join(out)


def faceplate(defs, seed=7, with_texture=True):
    """The keypad face: satin aluminium plate, its opening, wordmark and LED."""
    W, H = PANEL_W, PANEL_H
    out = []
    base = defs.linear(0, 0, W * 0.6, H, [(0, '#dfe2e5'), (0.45, '#c7cbcf'), (1, '#b3b8bd')])
    out.append('<rect x="0" y="0" width="%d" height="%d" fill="%s"/>\n' % (W, H, base))
    if with_texture:
        out.append(brushed_metal(defs, 0, 0, W, H, seed))
    # A broad, soft sheen across the plate, as from a ceiling light.
    sheen = defs.linear(0, 80, W, 330, [(0, '#ffffff', 0), (0.42, '#ffffff', 0.22), (0.55, '#ffffff', 0.05), (1, '#ffffff', 0)])
    out.append('<rect x="0" y="0" width="%d" height="%d" fill="%s"/>\n' % (W, H, sheen))

    # Bevelled edge: light along the top and left, shade along the bottom and right.
    out.append('<rect x="0" y="0" width="%d" height="%d" fill="none" stroke="#6d7277" stroke-width="1" transform="translate(0.5 0.5)" opacity="0.9"/>\n' % (W - 1, H - 1))
    bevel = 5
    top = defs.linear(0, 1, 0, 1 + bevel, [(0, '#ffffff', 0.75), (1, '#ffffff', 0)])
    left = defs.linear(1, 0, 1 + bevel, 0, [(0, '#ffffff', 0.55), (1, '#ffffff', 0)])
    bottom = defs.linear(0, H - 1, 0, H - 1 - bevel, [(0, '#2a2e33', 0.45), (1, '#2a2e33', 0)])
    right = defs.linear(W - 1, 0, W - 1 - bevel, 0, [(0, '#2a2e33', 0.35), (1, '#2a2e33', 0)])
    out.append(path('M1 1H%dL%d %dH%dZ' % (W - 1, W - 1 - bevel, 1 + bevel, 1 + bevel), fill=top))
    out.append(path('M1 1L%d %dV%dL1 %dZ' % (1 + bevel, 1 + bevel, H - 1 - bevel, H - 1), fill=left))
    out.append(path('M1 %dH%dL%d %dH%dZ' % (H - 1, W - 1, W - 1 - bevel, H - 1 - bevel, 1 + bevel), fill=bottom))
    out.append(path('M%d 1V%dL%d %dV%dZ' % (W - 1, H - 1, W - 1 - bevel, H - 1 - bevel, 1 + bevel), fill=right))

    # The opening: a machined cut with a lit lower lip and a dark, deep inside.
    x, y, w, h = INSERT
    r = 9
    lip = defs.linear(0, y - 3, 0, y + h + 3, [(0, '#5c6166', 0.9), (0.5, '#8d9296', 0.6), (1, '#ffffff', 0.95)])
    out.append(rrect(x - 2.5, y - 2.5, w + 5, h + 5, r + 2.5, fill='none', stroke=lip, width=1.6))
    inside = defs.linear(0, y, 0, y + h, [(0, '#0c0d0f'), (0.5, '#15171a'), (1, '#1b1e21')])
    out.append(rrect(x, y, w, h, r, fill=inside))
    # Shade thrown by the plate's upper edge into the opening.
    shade = defs.linear(0, y, 0, y + 10, [(0, '#000000', 0.7), (1, '#000000', 0)])
    out.append(rrect(x, y, w, 12, r, fill=shade))

    # Wordmark, laser-etched: dark lettering with a bright lower edge.
    text = 'LUMETRA'
    d_light = SANS.text_path(text, W / 2, 29.6, 13, spacing=4.2, anchor='middle')
    d_dark = SANS.text_path(text, W / 2, 29, 13, spacing=4.2, anchor='middle')
    out.append(path(d_light, fill='#ffffff', opacity=0.8))
    out.append(path(d_dark, fill='#4c5157'))

    # Status LED on the right, ambient light sensor on the left, both in
    # small polished rings.
    led_x, led_y = 347, 24.5
    ring = defs.linear(0, led_y - 5, 0, led_y + 5, [(0, '#7b8085'), (1, '#f6f7f8')])
    out.append('<circle cx="%s" cy="%s" r="4.6" fill="%s"/>\n' % (fmt(led_x), fmt(led_y), ring))
    halo = defs.radial(led_x, led_y, 9, [(0, '#7dff9a', 0.55), (0.45, '#3fd66a', 0.18), (1, '#3fd66a', 0)])
    out.append('<circle cx="%s" cy="%s" r="9" fill="%s"/>\n' % (fmt(led_x), fmt(led_y), halo))
    lens = defs.radial(led_x - 0.8, led_y - 0.8, 3.4, [(0, '#e9ffe9'), (0.35, '#7cf08f'), (1, '#1f9e45')])
    out.append('<circle cx="%s" cy="%s" r="3.2" fill="%s"/>\n' % (fmt(led_x), fmt(led_y), lens))

    sensor_x = 53
    ring2 = defs.linear(0, led_y - 5, 0, led_y + 5, [(0, '#7b8085'), (1, '#f6f7f8')])
    out.append('<circle cx="%s" cy="%s" r="4.6" fill="%s"/>\n' % (fmt(sensor_x), fmt(led_y), ring2))
    dark_lens = defs.radial(sensor_x - 1, led_y - 1.2, 3.6, [(0, '#5a6068'), (0.4, '#23262a'), (1, '#0b0c0e')])
    out.append('<circle cx="%s" cy="%s" r="3.2" fill="%s"/>\n' % (fmt(sensor_x), fmt(led_y), dark_lens))
    return ''.join(out)


def background_svg():
    defs = Defs('bg')
    body = faceplate(defs)
    return svg(PANEL_W, PANEL_H, body, defs.text())


# The veil changes only from top to bottom, so it is stored as a narrow strip
# that the overlay's style sheet repeats across the panel (a background image
# repeats in both directions by default): the same picture on screen, but a
# twenty-fifth of the pixels to decode while the panel is being built. Not
# narrower: the painter fills a repeated image one tile at a time, and below
# about 16 pixels the tiles cost more to paint than the decoding saves (at 4
# pixels a paint of the veil takes several times longer); 16 also divides the
# panel's width, so the tiles end exactly at its edge.
OVERLAY_W = 16


def overlay_svg():
    defs = Defs('ov')
    veil = defs.linear(0, 0, 0, PANEL_H, [(0, '#80868c', 0.62), (1, '#6c7278', 0.70)])
    body = '<rect x="0" y="0" width="%d" height="%d" fill="%s"/>\n' % (OVERLAY_W, PANEL_H, veil)
    return svg(OVERLAY_W, PANEL_H, body, defs.text())


# --------------------------------------------------------------------------
# Buttons

def chevron(cx, cy, up, size=9):
    dy = -size / 2 if up else size / 2
    return 'M%s %sL%s %sL%s %s' % (fmt(cx - size), fmt(cy - dy), fmt(cx), fmt(cy + dy), fmt(cx + size), fmt(cy - dy))


def power_glyph(cx, cy, r=12.5):
    a = math.radians(50)
    x1, y1 = cx - r * math.sin(a), cy - r * math.cos(a)
    x2, y2 = cx + r * math.sin(a), cy - r * math.cos(a)
    arc = 'M%s %sA%s %s 0 1 0 %s %s' % (fmt(x1), fmt(y1), fmt(r), fmt(r), fmt(x2), fmt(y2))
    bar = 'M%s %sV%s' % (fmt(cx), fmt(cy - r - 2.5), fmt(cy - 1.5))
    return arc + bar


def button_cap(defs, w, h, state, legend):
    """One button cap, w x h, in a state, with its engraved legend.

    legend() returns the markings as (path data, stroked, stroke width);
    a marking that is not stroked is filled.
    """
    out = []
    r = 5.5
    pressed = state == 'down'
    disabled = state == 'disabled'
    lit = state == 'on'
    # The gap's dark edge, always the full image.
    out.append(rrect(0, 0, w, h, r + 0.5, fill='#060708'))
    inset = 1.5 if pressed else 1
    cx, cy, cw, ch = inset, inset + (0.5 if pressed else 0), w - 2 * inset, h - 2 * inset - (0.5 if pressed else 0)
    if disabled:
        stops = [(0, '#3c3f43'), (1, '#333639')]
    elif pressed:
        stops = [(0, '#2a2d31'), (0.5, '#2c2f33'), (1, '#33373b')]
    else:
        stops = [(0, '#4d5258'), (0.35, '#3b3f44'), (1, '#2b2e33')]
    body = defs.linear(0, cy, 0, cy + ch, stops)
    out.append(rrect(cx, cy, cw, ch, r, fill=body))
    if not disabled and not pressed:
        # Satin sheen: a broad soft highlight over the upper half.
        sheen = defs.radial(w / 2, cy - h * 0.25, max(w, h) * 0.75,
                            [(0, '#ffffff', 0.13), (0.6, '#ffffff', 0.03), (1, '#ffffff', 0)],
                            transform='translate(%s %s) scale(1 %s) translate(%s %s)' % (
                                fmt(w / 2), fmt(cy), fmt(min(1.0, h / w * 1.6)), fmt(-w / 2), fmt(-cy)))
        out.append(rrect(cx, cy, cw, ch, r, fill=sheen))
    if lit:
        backlight = defs.radial(w / 2, h / 2, max(w, h) * 0.55,
                                [(0, GLOW, 0.16), (0.7, GLOW, 0.04), (1, GLOW, 0)])
        out.append(rrect(cx, cy, cw, ch, r, fill=backlight))
    if pressed:
        # Pushed in: the plate's edge shades the top of the cap.
        inner = defs.linear(0, cy, 0, cy + 9, [(0, '#000000', 0.55), (1, '#000000', 0)])
        out.append(rrect(cx, cy, cw, 10, r, fill=inner))
    # Edge highlights: a bright top edge fading at the ends, a dark bottom.
    hi = 0.06 if disabled else (0.12 if pressed else 0.34)
    edge = defs.linear(cx, 0, cx + cw, 0, [(0, '#ffffff', 0), (0.12, '#ffffff', hi), (0.88, '#ffffff', hi), (1, '#ffffff', 0)])
    out.append(path(top_edge(cx + 0.5, cy + 0.5, cw - 1, r), stroke=edge, width=1))
    lo = defs.linear(cx, 0, cx + cw, 0, [(0, '#000000', 0.2), (0.5, '#000000', 0.55), (1, '#000000', 0.2)])
    out.append(path(bottom_edge(cx + 0.5, cy, cw - 1, ch - 0.5, r), stroke=lo, width=1))

    shift = 0.75 if pressed else 0
    for d, stroked, sw in legend():
        out.append(marking(d, stroked, sw, state, shift))
    return ''.join(out)


def marking(d, stroked, sw, state, shift):
    """A legend engraved in the cap and filled with translucent paint, backlit when on."""
    out = []
    style = ' stroke-linecap="round" stroke-linejoin="round"'

    def draw(colour, opacity, dy=0.0, extra_width=0.0):
        tr = ' transform="translate(0 %s)"' % fmt(shift + dy) if (shift + dy) else ''
        if stroked:
            return path(d, stroke=colour, width=sw + extra_width, opacity=opacity, extra=style + tr)
        if extra_width:
            return path(d, fill=colour, stroke=colour, width=extra_width, opacity=opacity, extra=style + tr)
        return path(d, fill=colour, opacity=opacity, extra=tr)

    if state == 'on':
        for width, opacity in ((9, 0.05), (6, 0.08), (3.5, 0.14), (1.6, 0.3)):
            out.append(draw(GLOW, opacity, extra_width=width))
        out.append(draw(GLOW_CORE, 1))
    elif state == 'disabled':
        out.append(draw('#000000', 0.35, dy=-0.7))
        out.append(draw('#64686d', 1))
    else:
        # The engraving's upper wall in shadow, its lower wall catching light.
        out.append(draw('#000000', 0.6, dy=-0.8))
        out.append(draw('#ffffff', 0.10, dy=0.8))
        out.append(draw('#b8bec5' if state == 'off' else '#a3a9b0', 1))
    return ''.join(out)


def led_slot(defs, cx, y, state, shift):
    """The small indicator above a scene number."""
    w, h = 26, 3
    x = cx - w / 2
    y += shift
    out = []
    if state == 'on':
        halo = defs.radial(cx, y + h / 2, 24, [(0, GLOW, 0.55), (0.35, GLOW, 0.2), (1, GLOW, 0)],
                           transform='translate(%s %s) scale(1 0.45) translate(%s %s)' % (
                               fmt(cx), fmt(y + h / 2), fmt(-cx), fmt(-(y + h / 2))))
        out.append('<rect x="%s" y="%s" width="48" height="24" fill="%s"/>\n' % (fmt(cx - 24), fmt(y + h / 2 - 12), halo))
        out.append(rrect(x, y, w, h, 1.5, fill='#bfeaff'))
        out.append(rrect(x + 3, y + 0.8, w - 6, 1.2, 0.6, fill='#ffffff'))
    else:
        out.append(rrect(x, y - 0.5, w, h + 1, 2, fill='#ffffff', opacity=0.07 if state != 'disabled' else 0.03))
        fill = '#15171a' if state != 'disabled' else '#2b2e31'
        out.append(rrect(x, y - 0.5, w, h, 1.5, fill=fill))
    return ''.join(out)


def scene_button_svg(position, state):
    defs = Defs('b')
    w, h = SCENE_W, SCENE_H
    scene = SCENE_AT[position]
    number = SANS.text_path(str(scene), w / 2, 62, 32, anchor='middle')

    def legend():
        return [(number, False, 0)]

    body = button_cap(defs, w, h, state, legend)
    body += led_slot(defs, w / 2, 15, state, 0.75 if state == 'down' else 0)
    return svg(w, h, body, defs.text())


def downup_button_svg(up, state):
    defs = Defs('b')
    w, h = SCENE_W, DOWNUP_H
    # A chevron and a small sign beside it (down/minus, up/plus), centred as a pair.
    cx, cy = w / 2, h / 2
    chevron_half, gap, sign_w = 11, 9, 9
    left = cx - (2 * chevron_half + gap + sign_w) / 2
    glyph = chevron(left + chevron_half, cy, up, size=chevron_half)
    sx = left + 2 * chevron_half + gap
    sign = 'M%s %sh%s' % (fmt(sx), fmt(cy), fmt(sign_w))
    if up:
        sign += 'M%s %sv%s' % (fmt(sx + sign_w / 2), fmt(cy - sign_w / 2), fmt(sign_w))

    def legend():
        return [(glyph, True, 3), (sign, True, 2)]

    body = button_cap(defs, w, h, state, legend)
    return svg(w, h, body, defs.text())


def onoff_button_svg(state):
    defs = Defs('b')
    w, h = ONOFF_W, ONOFF_H
    glyph = power_glyph(w / 2, h / 2 + 1.5)

    def legend():
        return [(glyph, True, 3.2)]

    body = button_cap(defs, w, h, state, legend)
    return svg(w, h, body, defs.text())


def button_svg(position, state):
    if position <= 8:
        return scene_button_svg(position, state)
    if position in (9, 10):
        return downup_button_svg(position == 10, state)
    return onoff_button_svg(state)


# --------------------------------------------------------------------------
# Whole panel (for the preview and the splash)

def _strip_svg(text):
    """The drawing and the defs of one generated SVG, for nesting it."""
    defs_start = text.index('<defs>\n') + len('<defs>\n')
    defs_end = text.index('</defs>\n')
    return text[defs_start:defs_end], text[defs_end + len('</defs>\n'):text.rindex('</svg>')]


def _renamed(text, prefix):
    # Give nested gradients ids of their own.
    return text.replace('id="', 'id="%s' % prefix).replace('url(#', 'url(#%s' % prefix)


def panel_drawing(states=None, texture=True, prefix='p'):
    """Face plus the eleven buttons in place; returns (defs, body)."""
    states = states or {}
    defs = Defs(prefix + 'f')
    body = faceplate(defs, with_texture=texture)
    all_defs = defs.text()
    for p in range(1, 12):
        x, y, _, _ = GEOMETRY[p]
        bdefs, bbody = _strip_svg(button_svg(p, states.get(p, 'off')))
        tag = '%s%d' % (prefix, p)
        all_defs += _renamed(bdefs, tag)
        body += group(_renamed(bbody, tag), transform='translate(%d %d)' % (x, y))
    return all_defs, body


def preview_svg():
    # Scene 2 lit, scene 6 pressed, scene 8 and Up disabled: every state in one view.
    defs, body = panel_drawing({3: 'on', 4: 'down', 8: 'disabled', 10: 'disabled'})
    return svg(PANEL_W, PANEL_H, body, defs)


# --------------------------------------------------------------------------
# Splash

def splash_svg():
    W, H = 480, 300
    defs = Defs('s')
    out = []
    bg = defs.radial(360, 40, 420, [(0, '#233048'), (0.45, '#111826'), (1, '#05070b')])
    out.append('<rect width="%d" height="%d" fill="%s"/>\n' % (W, H, bg))
    # Coloured light falling from above, as a wash of fixtures would.
    beams = [(300, '#ff4fa3', 0.30, -40), (380, '#ffb43c', 0.26, 10), (450, '#3fc8ff', 0.30, 55), (230, '#8a5bff', 0.22, -80)]
    for x, colour, opacity, lean in beams:
        # Three nested wedges make a beam with soft edges.
        for spread, share in ((1.0, 0.35), (0.7, 0.35), (0.4, 0.45)):
            g = defs.linear(0, 0, 0, H, [(0, colour, opacity * share), (0.7, colour, opacity * share * 0.25), (1, colour, 0)])
            top, bottom = 12 * spread, 80 * spread
            out.append(path('M%s 0L%s 0L%s %dL%s %dZ' % (fmt(x - top), fmt(x + top), fmt(x + lean + bottom), H,
                                                          fmt(x + lean - bottom), H), fill=g))
    # Floor glow under the keypad.
    floor = defs.radial(370, 300, 150, [(0, '#6cc9ff', 0.20), (1, '#6cc9ff', 0)],
                        transform='translate(370 300) scale(1 0.35) translate(-370 -300)')
    out.append('<rect x="200" y="240" width="280" height="60" fill="%s"/>\n' % floor)

    # Keep the bottom dark for the version text drawn over it (and the About
    # box's lines); the keypad stands in front of the shade.
    dim = defs.linear(0, 150, 0, H, [(0, '#05070b', 0), (1, '#05070b', 0.7)])
    out.append('<rect x="0" y="150" width="%d" height="%d" fill="%s"/>\n' % (W, H - 150, dim))

    # A small keypad, lit on scene 1.
    pdefs, pbody = panel_drawing({1: 'on'}, texture=False, prefix='k')
    scale = 0.40
    kx, ky = 300, 34
    shadow = ''.join(rrect(kx - i + 4, ky - i + 6, PANEL_W * scale + 2 * i, PANEL_H * scale + 2 * i, 4 + i,
                           fill='#000000', opacity=0.10) for i in range(0, 8, 2))
    out.append(shadow)
    out.append(group(pbody, transform='translate(%d %d) scale(%s)' % (kx, ky, fmt(scale))))
    out.append(path(SANS_BOLD.text_path('HALVANE LIGHTING', 28, 52, 9, spacing=2.2), fill='#8fa3bd'))
    out.append(path(SANS_BOLD.text_path('Lumetra', 26, 104, 46, spacing=0.5), fill='#ffffff'))
    out.append(path(SANS.text_path('Keypad Effect Manager', 28, 134, 19), fill='#d4deeb'))
    accent = defs.linear(28, 0, 250, 0, [(0, '#ff4fa3'), (0.35, '#ffb43c'), (0.7, '#3fc8ff'), (1, '#3fc8ff', 0)])
    out.append('<rect x="28" y="150" width="222" height="2" fill="%s"/>\n' % accent)
    return svg(W, H, ''.join(out), defs.text() + pdefs)


# --------------------------------------------------------------------------
# Application icon

def appicon_svg():
    S = 256
    defs = Defs('a')
    out = []
    # Coloured light around the keypad: the effects it plays.
    for hx, hy, colour in ((92, 96, '#ff4fa3'), (166, 100, '#3fc8ff'), (96, 164, '#ffb43c'), (162, 162, '#8a5bff')):
        halo = defs.radial(hx, hy, 88, [(0, colour, 0.7), (0.55, colour, 0.22), (1, colour, 0)])
        out.append('<circle cx="%d" cy="%d" r="88" fill="%s"/>\n' % (hx, hy, halo))
    # A keypad plate seen straight on, portrait, with a soft shadow.
    pw, ph = 156, 232
    px, py = (S - pw) / 2, (S - ph) / 2
    for i in range(5):
        out.append(rrect(px - i + 2, py - i + 5, pw + 2 * i, ph + 2 * i, 14 + i, fill='#000000', opacity=0.07))
    plate = defs.linear(px, py, px + pw * 0.7, py + ph, [(0, '#eef0f2'), (0.5, '#c9cdd1'), (1, '#aab0b6')])
    out.append(rrect(px, py, pw, ph, 14, fill=plate))
    out.append(rrect(px + 0.75, py + 0.75, pw - 1.5, ph - 1.5, 13.5, stroke='#ffffff', width=1.5, opacity=0.7))
    ix, iy, iw, ih = px + 14, py + 30, pw - 28, ph - 44
    out.append(rrect(ix, iy, iw, ih, 8, fill='#111316'))
    led = defs.radial(px + pw - 22, py + 16, 7, [(0, '#c8ffd2'), (0.4, '#52e07a'), (1, '#52e07a', 0)])
    out.append('<circle cx="%s" cy="%s" r="7" fill="%s"/>\n' % (fmt(px + pw - 22), fmt(py + 16), led))
    gap = 4
    bw = (iw - 3 * gap) / 2
    bh = (ih - 4 * gap - 30) / 4
    cap = defs.linear(0, 0, 0, 1, [(0, '#555a61'), (1, '#2c2f34')], user=False)
    for row in range(4):
        for col in range(2):
            bx = ix + gap + col * (bw + gap)
            by = iy + gap + row * (bh + gap)
            lit = row == 0 and col == 0
            out.append(rrect(bx, by, bw, bh, 4, fill=cap))
            out.append(rrect(bx + 1, by + 0.5, bw - 2, 1.2, 0.6, fill='#ffffff', opacity=0.25))
            if lit:
                glow = defs.radial(bx + bw / 2, by + bh / 2, bw * 0.8, [(0, GLOW, 0.55), (1, GLOW, 0)])
                out.append(rrect(bx, by, bw, bh, 4, fill=glow))
            out.append(rrect(bx + bw / 2 - 9, by + bh / 2 - 2, 18, 4, 2, fill=GLOW_CORE if lit else '#1a1c1f'))
    by = iy + gap + 4 * (bh + gap)
    out.append(rrect(ix + gap, by, iw - 2 * gap, ih - (by - iy) - gap, 4, fill=cap))
    out.append(path(power_glyph(S / 2, by + (ih - (by - iy) - gap) / 2 + 1, r=6), stroke='#b8bec5', width=2,
                    extra=' stroke-linecap="round"'))
    return svg(S, S, ''.join(out), defs.text())


# --------------------------------------------------------------------------
# Small icons

def question_svg():
    defs = Defs('q')
    out = []
    out.append('<circle cx="24" cy="25" r="22" fill="#000000" opacity="0.18"/>\n')
    body = defs.linear(0, 2, 0, 46, [(0, '#5aa7f0'), (1, '#1f5fae')])
    out.append('<circle cx="24" cy="24" r="22" fill="%s"/>\n' % body)
    out.append('<circle cx="24" cy="24" r="21.25" fill="none" stroke="#0f3f7a" stroke-width="1.5" opacity="0.6"/>\n')
    shine = defs.linear(0, 3, 0, 24, [(0, '#ffffff', 0.45), (1, '#ffffff', 0)])
    out.append('<ellipse cx="24" cy="14" rx="15" ry="10" fill="%s"/>\n' % shine)
    out.append(path(SANS_BOLD.text_path('?', 24, 35.5, 30, anchor='middle'), fill='#ffffff'))
    return svg(48, 48, ''.join(out), defs.text())


def disc_icon(defs, top, bottom, edge, inner):
    body = defs.linear(0, 1, 0, 15, [(0, top), (1, bottom)])
    return ('<circle cx="8" cy="8" r="7" fill="%s"/>\n' % body
            + '<circle cx="8" cy="8" r="7" fill="none" stroke="%s" stroke-width="1"/>\n' % edge
            + inner)


def status_svg(kind):
    defs = Defs(kind[0])
    white = ' stroke-linecap="round" stroke-linejoin="round"'
    if kind == 'connected':
        body = disc_icon(defs, '#5fd17a', '#23913f', '#1a6e30',
                         path('M4.8 8.3L7 10.5L11.3 5.8', stroke='#ffffff', width=1.8, extra=white))
    elif kind == 'discovering':
        body = disc_icon(defs, '#6cb6ff', '#1f6fd0', '#17539c',
                         '<circle cx="5.5" cy="10.5" r="1.3" fill="#ffffff"/>\n'
                         + path('M5.5 7A3.5 3.5 0 0 1 9 10.5', stroke='#ffffff', width=1.4, extra=white)
                         + path('M5.5 4A6.5 6.5 0 0 1 12 10.5', stroke='#ffffff', width=1.4, extra=white))
    elif kind == 'disconnected':
        body = disc_icon(defs, '#b4babf', '#7d848a', '#5f666c',
                         path('M4.5 8H11.5', stroke='#ffffff', width=2, extra=white))
    elif kind == 'demo':
        inner = ''.join(rrect(4.5 + c * 4, 4.5 + r * 4, 3, 3, 0.6, fill='#ffffff') for r in range(2) for c in range(2))
        body = disc_icon(defs, '#b98cf0', '#7040b8', '#55308f', inner)
    elif kind == 'unreachable':
        tri = defs.linear(0, 1, 0, 15, [(0, '#ffc94d'), (1, '#e58a00')])
        body = (path('M8 1.3L15 14.2H1Z', fill=tri, stroke='#a35f00', width=1, extra=' stroke-linejoin="round"')
                + path('M8 5.6V9.6', stroke='#3a2500', width=1.8, extra=white)
                + '<circle cx="8" cy="12.1" r="1" fill="#3a2500"/>\n')
    else:
        raise ValueError(kind)
    return svg(16, 16, body, defs.text())


def brightness_svg():
    defs = Defs('l')

    rays = ''
    for i in range(8):
        a = math.radians(45 * i)
        rays += 'M%s %sL%s %s' % (fmt(8 + 5 * math.cos(a)), fmt(8 + 5 * math.sin(a)),
                                  fmt(8 + 7 * math.cos(a)), fmt(8 + 7 * math.sin(a)))
    sun = defs.radial(7, 7, 4, [(0, '#fff2a8'), (1, '#f2a516')])
    body = (path(rays, stroke='#d08a00', width=1.4, extra=' stroke-linecap="round"')
            + '<circle cx="8" cy="8" r="3.5" fill="%s" stroke="#b87400" stroke-width="1"/>\n' % sun)
    return svg(16, 16, body, defs.text())


def reload_svg():
    # Five sixths of a circle, clockwise from one o'clock round to eleven,
    # ending in an arrow head that points across the gap.
    cx, cy, r = 8, 8.5, 5
    a0, a1 = math.radians(-60), math.radians(240)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    arc = 'M%s %sA%s %s 0 1 1 %s %s' % (fmt(x0), fmt(y0), r, r, fmt(x1), fmt(y1))
    tx, ty = -math.sin(a1), math.cos(a1)   # direction of travel at the end
    nx, ny = math.cos(a1), math.sin(a1)    # outward normal there
    tip = (x1 + 3.4 * tx, y1 + 3.4 * ty)
    b1 = (x1 + 3.1 * nx - 0.6 * tx, y1 + 3.1 * ny - 0.6 * ty)
    b2 = (x1 - 3.1 * nx - 0.6 * tx, y1 - 3.1 * ny - 0.6 * ty)
    head = 'M%s %sL%s %sL%s %sZ' % (fmt(tip[0]), fmt(tip[1]), fmt(b1[0]), fmt(b1[1]), fmt(b2[0]), fmt(b2[1]))
    colour = '#3f6fa8'
    body = (path(arc, stroke=colour, width=2, extra=' stroke-linecap="butt"')
            + path(head, fill=colour, stroke=colour, width=0.6, extra=' stroke-linejoin="round"'))
    return svg(16, 16, body, '')


# --------------------------------------------------------------------------

def write(path_, text):
    os.makedirs(os.path.dirname(os.path.abspath(path_)), exist_ok=True)
    with open(path_, 'w', encoding='utf-8') as f:
        f.write(text)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, '..', '..', 'keypadmgr', 'resources', 'src', 'svg')
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(default_out)
    images = os.path.join(out, 'images')
    write(os.path.join(images, 'background.svg'), background_svg())
    write(os.path.join(images, 'controlpaneldisabledoverlay.svg'), overlay_svg())
    for p in range(1, 12):
        for state in STATES:
            write(os.path.join(images, 'button_%d_%s.svg' % (p, state)), button_svg(p, state))
    write(os.path.join(images, 'splash.svg'), splash_svg())
    write(os.path.join(images, 'appicon.svg'), appicon_svg())
    write(os.path.join(images, 'icon_question.svg'), question_svg())
    for kind in ('connected', 'discovering', 'disconnected', 'unreachable', 'demo'):
        write(os.path.join(images, kind + '.svg'), status_svg(kind))
    write(os.path.join(images, 'brightness.svg'), brightness_svg())
    write(os.path.join(out, 'reload_arrow.svg'), reload_svg())
    if len(sys.argv) > 2:
        write(sys.argv[2], preview_svg())


if __name__ == '__main__':
    main()
