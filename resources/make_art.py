#!/usr/bin/env python3
# Draws the program's artwork: the banner across the top of the main window,
# for 96 and for 144 dots per inch (banner-96dpi.png 400 x 71,
# banner-144dpi.png 600 x 107: the size of its image box at that DPI; at 120
# DPI the program scales the 144-DPI drawing down, which costs less room in
# the exe than a drawing of its own), the picture of the about panel (about.png, 156 x
# 117) and the window icon (app.ico, one 48 x 48 image, 256 colours). The
# pictures are 24-bit PNG files: the program decodes them itself (art/), so
# that they take a fraction of the space of bitmaps. Plain python3, no
# third-party modules and no randomness: every run writes the same bytes.
# Rerun from the repository root: python3 resources/make_art.py

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Supersampling factor per axis for pixels that an edge passes through.
SUPERSAMPLE = 4


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def hex_colour(text):
    """'#RRGGBB' -> (r, g, b) with components in 0..1."""
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def ramp(stops, t):
    """Colour at t (0..1) on a list of (position, colour) stops."""
    t = clamp(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


WHITE = (1.0, 1.0, 1.0)
BLACK = (0.0, 0.0, 0.0)


# ---------------------------------------------------------------------------
# Shapes: signed distance functions (negative inside) with a bounding box
# ---------------------------------------------------------------------------

class Shape:
    def __init__(self, dist, box):
        self.dist = dist          # (x, y) -> signed distance in pixels
        self.box = box            # (x0, y0, x1, y1)

    def __or__(self, other):      # union
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)),
                     (min(self.box[0], other.box[0]), min(self.box[1], other.box[1]),
                      max(self.box[2], other.box[2]), max(self.box[3], other.box[3])))

    def __and__(self, other):     # intersection
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), b(x, y)),
                     (max(self.box[0], other.box[0]), max(self.box[1], other.box[1]),
                      min(self.box[2], other.box[2]), min(self.box[3], other.box[3])))

    def __sub__(self, other):     # difference
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def outline(self, width):
        """A band of the given width centred on this shape's edge."""
        d, h = self.dist, width / 2.0
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: abs(d(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))

    def moved(self, dx, dy):
        d = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: d(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    # Not an exact distance, but close enough for soft shadows.
    k = min(rx, ry)

    def dist(x, y):
        return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * k
    return Shape(dist, (cx - rx, cy - ry, cx + rx, cy + ry))


def rounded_box(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def dist(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return Shape(dist, (x0, y0, x1, y1))


def polygon(points):
    pts = list(points)
    n = len(pts)

    def dist(x, y):
        vx, vy = pts[0]
        best = (x - vx) ** 2 + (y - vy) ** 2
        sign = 1.0
        j = n - 1
        for i in range(n):
            ix, iy = pts[i]
            jx, jy = pts[j]
            ex, ey = jx - ix, jy - iy
            wx, wy = x - ix, y - iy
            ee = ex * ex + ey * ey
            t = clamp((wx * ex + wy * ey) / ee) if ee > 0 else 0.0
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1, c2, c3 = y >= iy, y < jy, ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(dist, (min(xs), min(ys), max(xs), max(ys)))


def segment_distance(x, y, ax, ay, bx, by):
    ex, ey = bx - ax, by - ay
    wx, wy = x - ax, y - ay
    ee = ex * ex + ey * ey
    t = clamp((wx * ex + wy * ey) / ee) if ee > 0 else 0.0
    return math.hypot(wx - ex * t, wy - ey * t)


def strokes(polylines, width):
    """Round-capped strokes along one or more polylines."""
    segs = []
    for line in polylines:
        segs.extend((a[0], a[1], b[0], b[1]) for a, b in zip(line, line[1:]))
    h = width / 2.0

    def dist(x, y):
        return min(segment_distance(x, y, *s) for s in segs) - h
    xs = [p[0] for line in polylines for p in line]
    ys = [p[1] for line in polylines for p in line]
    return Shape(dist, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def polar(cx, cy, r, degrees):
    """Point at a distance r from (cx, cy); angles count anticlockwise on screen."""
    a = math.radians(degrees)
    return (cx + r * math.cos(a), cy - r * math.sin(a))


def screen_angle(cx, cy, x, y):
    """Angle of (x, y) seen from (cx, cy), degrees, anticlockwise on screen."""
    return math.degrees(math.atan2(cy - y, x - cx))


def arc_band(cx, cy, r, width, start, end):
    """Part of a ring from angle start down to angle end (clockwise sweep)."""
    ring = circle(cx, cy, r).outline(width)
    reach = (r + width) * 1.6
    steps = max(2, int(abs(start - end) / 15) + 1)
    wedge = [(cx, cy)] + [polar(cx, cy, reach, start + (end - start) * i / steps)
                          for i in range(steps + 1)]
    return ring & polygon(wedge)


def gear(cx, cy, r_root, r_tip, teeth, phase=0.0):
    pitch = 360.0 / teeth
    pts = []
    for i in range(teeth):
        a = phase + i * pitch
        for r, f in ((r_root, -0.30), (r_tip, -0.17), (r_tip, 0.17), (r_root, 0.30), (r_root, 0.5)):
            pts.append(polar(cx, cy, r, a + f * pitch))
    return polygon(pts)


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

class Canvas:
    """Pixels of a picture. Shapes and colours are given in design units: one
    unit is `scale` pixels, so one drawing serves every size."""

    def __init__(self, width, height, background=None, scale=1.0):
        self.w, self.h = width, height
        self.scale = scale
        n = width * height
        if background is None:
            self.rgb = [BLACK] * n
            self.alpha = [0.0] * n
        else:
            self.rgb = [background] * n
            self.alpha = [1.0] * n

    def blend(self, px, py, colour, a):
        if a <= 0.0:
            return
        i = py * self.w + px
        da = self.alpha[i]
        oa = a + da * (1.0 - a)
        k = a / oa
        self.rgb[i] = mix(self.rgb[i], colour, k)
        self.alpha[i] = oa

    def fill_all(self, colour_at):
        s = self.scale
        for py in range(self.h):
            for px in range(self.w):
                self.rgb[py * self.w + px] = colour_at((px + 0.5) / s, (py + 0.5) / s)
                self.alpha[py * self.w + px] = 1.0

    def paint(self, shape, colour, opacity=1.0, feather=0.0):
        """Fills a shape, anti-aliased; feather > 0 gives a soft edge instead."""
        s = self.scale
        feather *= s
        margin = 1.0 + feather
        x0 = max(0, int(math.floor(shape.box[0] * s - margin)))
        y0 = max(0, int(math.floor(shape.box[1] * s - margin)))
        x1 = min(self.w, int(math.ceil(shape.box[2] * s + margin)))
        y1 = min(self.h, int(math.ceil(shape.box[3] * s + margin)))
        if s == 1.0:
            dist = shape.dist
        else:
            design = shape.dist

            def dist(x, y):  # in pixels
                return design(x / s, y / s) * s
        ss = SUPERSAMPLE
        offsets = [(i + 0.5) / ss - 0.5 for i in range(ss)]
        for py in range(y0, y1):
            for px in range(x0, x1):
                cx, cy = px + 0.5, py + 0.5
                d = dist(cx, cy)
                if feather > 0.0:
                    cov = 1.0 - smoothstep(-feather, feather, d)
                elif d >= 1.0:
                    continue
                elif d <= -1.0:
                    cov = 1.0
                else:
                    total = 0.0
                    for oy in offsets:
                        for ox in offsets:
                            total += clamp(0.5 - dist(cx + ox, cy + oy) * ss)
                    cov = total / (ss * ss)
                if cov <= 0.0:
                    continue
                col = colour(cx / s, cy / s) if callable(colour) else colour
                self.blend(px, py, col, cov * opacity)

    def pixels(self, colour, opacity, x, y, rows):
        """Pixel pattern: rows of '#' (set) and '.' (clear), one design unit a
        cell; crisp at 96 DPI, cells of their scaled size otherwise."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != '#':
                    continue
                if self.scale != 1.0:
                    self.paint(rounded_box(x + i, y + j, x + i + 1, y + j + 1, 0.0), colour,
                               opacity)
                elif 0 <= x + i < self.w and 0 <= y + j < self.h:
                    self.blend(x + i, y + j, colour, opacity)

    def bytes_at(self, px, py):
        r, g, b = self.rgb[py * self.w + px]
        return tuple(int(round(clamp(c) * 255.0)) for c in (r, g, b))


def linear(x0, y0, x1, y1, stops):
    """Colour function of a linear gradient from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    return lambda x, y: ramp(stops, ((x - x0) * dx + (y - y0) * dy) / ll)


def radial(cx, cy, r, stops):
    return lambda x, y: ramp(stops, math.hypot(x - cx, y - cy) / r)


# ---------------------------------------------------------------------------
# Lettering: a small stroke alphabet and a 5 x 7 pixel alphabet of our own
# ---------------------------------------------------------------------------

def _rounded_rect_path(x0, y0, x1, y1, r, steps=6):
    path = []
    corners = ((x1 - r, y0 + r, 90, 0), (x1 - r, y1 - r, 0, -90),
               (x0 + r, y1 - r, -90, -180), (x0 + r, y0 + r, 180, 90))
    for cx, cy, a0, a1 in corners:
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            path.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    path.append(path[0])
    return path


def _r_glyph():
    bowl = [(0.0, 0.0), (0.36, 0.0)]
    for i in range(1, 12):
        a = math.radians(90 - 180 * i / 12)
        bowl.append((0.36 + 0.26 * math.cos(a), 0.26 - 0.26 * math.sin(a)))
    bowl += [(0.36, 0.52), (0.0, 0.52)]
    return 0.64, [[(0.0, 1.0), (0.0, 0.0)], bowl, [(0.30, 0.52), (0.64, 1.0)]]


# Glyph: (advance width, polylines) in units of the cap height; y grows downwards.
STROKE_GLYPHS = {
    'V': (0.72, [[(0.0, 0.0), (0.36, 1.0), (0.72, 0.0)]]),
    'E': (0.58, [[(0.58, 0.0), (0.0, 0.0), (0.0, 1.0), (0.58, 1.0)], [(0.0, 0.5), (0.48, 0.5)]]),
    'L': (0.56, [[(0.0, 0.0), (0.0, 1.0), (0.56, 1.0)]]),
    'K': (0.64, [[(0.0, 0.0), (0.0, 1.0)], [(0.62, 0.0), (0.0, 0.62)], [(0.22, 0.44), (0.64, 1.0)]]),
    'O': (0.76, [_rounded_rect_path(0.0, 0.0, 0.76, 1.0, 0.32)]),
    'R': _r_glyph(),
}

PIXEL_GLYPHS = {
    'S': ['.###.', '#...#', '#....', '.###.', '....#', '#...#', '.###.'],
    'Y': ['#...#', '#...#', '.#.#.', '..#..', '..#..', '..#..', '..#..'],
    'T': ['#####', '..#..', '..#..', '..#..', '..#..', '..#..', '..#..'],
    'E': ['#####', '#....', '#....', '####.', '#....', '#....', '#####'],
    'M': ['#...#', '##.##', '#.#.#', '#.#.#', '#...#', '#...#', '#...#'],
    'O': ['.###.', '#...#', '#...#', '#...#', '#...#', '#...#', '.###.'],
    'P': ['####.', '#...#', '#...#', '####.', '#....', '#....', '#....'],
    'I': ['###', '.#.', '.#.', '.#.', '.#.', '.#.', '###'],
    'Z': ['#####', '....#', '...#.', '..#..', '.#...', '#....', '#####'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    ' ': ['...', '...', '...', '...', '...', '...', '...'],
}


def stroke_text(text, x, y, cap, weight, slant=0.0, tracking=0.22):
    """The text as one shape: top-left at (x, y), cap height in pixels."""
    lines = []
    pen = x
    for ch in text:
        advance, glyph = STROKE_GLYPHS[ch]
        for line in glyph:
            lines.append([(pen + gx * cap + (1.0 - gy) * cap * slant, y + gy * cap)
                          for gx, gy in line])
        pen += (advance + tracking) * cap
    return strokes(lines, weight)


def pixel_text(canvas, text, x, y, colour, opacity=1.0, spacing=1):
    for ch in text:
        rows = PIXEL_GLYPHS[ch]
        canvas.pixels(colour, opacity, x, y, rows)
        x += len(rows[0]) + spacing


def pixel_text_width(text, spacing=1):
    return sum(len(PIXEL_GLYPHS[ch][0]) + spacing for ch in text) - spacing


# ---------------------------------------------------------------------------
# Shared motifs
# ---------------------------------------------------------------------------

GAUGE_STOPS = [(0.0, hex_colour('#29B6F6')), (0.55, hex_colour('#26C6DA')),
               (0.8, hex_colour('#66BB6A')), (1.0, hex_colour('#9CCC65'))]


def draw_gauge(cv, cx, cy, r, band, start, end, level, needle_colour, ticks=0, tick_len=0.0,
               tick_width=1.0, hub=3.0, dim=0.28):
    """A dial: a coloured arc from angle start clockwise to end, lit up to level (0..1),
    optional tick marks inside it and a tapered needle pointing at level."""
    sweep = start - end

    def arc_colour(x, y):
        a = screen_angle(cx, cy, x, y)
        t = ((start - a) % 360.0) / sweep
        return ramp(GAUGE_STOPS, t)
    at = start - sweep * level
    cv.paint(arc_band(cx, cy, r, band, start, end), arc_colour, dim)
    cv.paint(arc_band(cx, cy, r, band, start, at), arc_colour)
    for i in range(ticks):
        a = start - sweep * i / (ticks - 1)
        inner = r - band / 2.0 - 1.5 - tick_len
        cv.paint(strokes([[polar(cx, cy, inner, a), polar(cx, cy, inner + tick_len, a)]],
                         tick_width), WHITE, 0.55)
    tip = r - band / 2.0 - 0.5
    base = hub * 0.75
    needle = polygon([polar(cx, cy, tip, at), polar(cx, cy, base, at + 90),
                      polar(cx, cy, hub * 0.9, at + 180), polar(cx, cy, base, at - 90)])
    cv.paint(needle.moved(0.6, 0.8), BLACK, 0.25, feather=0.8)
    cv.paint(needle, needle_colour)
    cv.paint(circle(cx, cy, hub), needle_colour)
    cv.paint(circle(cx, cy, hub * 0.4), hex_colour('#0D2A5C'))


def draw_check(cv, cx, cy, r, ring):
    """A green round badge with a white ring and a white check mark."""
    cv.paint(circle(cx + r * 0.06, cy + r * 0.12, r + ring * 0.5), BLACK, 0.30, feather=r * 0.12)
    cv.paint(circle(cx, cy, r + ring), WHITE)
    cv.paint(circle(cx, cy, r), linear(cx, cy - r, cx, cy + r,
                                       [(0.0, hex_colour('#7CD67F')), (0.5, hex_colour('#43A047')),
                                        (1.0, hex_colour('#2B7A30'))]))
    mark = [(cx - 0.50 * r, cy + 0.02 * r), (cx - 0.14 * r, cy + 0.38 * r),
            (cx + 0.52 * r, cy - 0.34 * r)]
    cv.paint(strokes([[(x, y + r * 0.06) for x, y in mark]], r * 0.26), hex_colour('#1B5E20'), 0.45)
    cv.paint(strokes([mark], r * 0.26), WHITE)


def draw_monitor(cv, x0, y0, x1, y1, radius, bezel, stand_bottom, gauge_ticks, gauge_scale):
    """A flat-panel monitor on a stand with a dial on its screen."""
    mid = (x0 + x1) / 2.0
    height = y1 - y0
    # Stand: a neck and a foot.
    neck_top, neck_bottom = y1 - 1.0, stand_bottom - height * 0.07
    neck_half = (x1 - x0) * 0.08
    cv.paint(polygon([(mid - neck_half, neck_top), (mid + neck_half, neck_top),
                      (mid + neck_half * 1.35, neck_bottom), (mid - neck_half * 1.35, neck_bottom)]),
             linear(0, neck_top, 0, neck_bottom, [(0.0, hex_colour('#546E7A')),
                                                  (1.0, hex_colour('#90A4AE'))]))
    foot_half = (x1 - x0) * 0.28
    cv.paint(rounded_box(mid - foot_half, neck_bottom - 0.5, mid + foot_half, stand_bottom,
                         min(2.5, (stand_bottom - neck_bottom) / 2.0)),
             linear(0, neck_bottom, 0, stand_bottom, [(0.0, hex_colour('#CFD8DC')),
                                                      (1.0, hex_colour('#78909C'))]))
    # Body.
    cv.paint(rounded_box(x0, y0, x1, y1, radius),
             linear(0, y0, 0, y1, [(0.0, hex_colour('#4A5B70')), (1.0, hex_colour('#1C2634'))]))
    cv.paint(rounded_box(x0, y0, x1, y1, radius).outline(1.0), hex_colour('#101822'), 0.8)
    # Screen.
    sx0, sy0, sx1, sy1 = x0 + bezel, y0 + bezel, x1 - bezel, y1 - bezel
    screen = rounded_box(sx0, sy0, sx1, sy1, max(0.5, radius * 0.3))
    cv.paint(screen, linear(0, sy0, 0, sy1, [(0.0, hex_colour('#2E9BF0')), (0.55, hex_colour('#1565C0')),
                                             (1.0, hex_colour('#0B3C8C'))]))
    sw, sh = sx1 - sx0, sy1 - sy0
    # Dial on the screen.
    gcx, gcy = (sx0 + sx1) / 2.0, sy0 + sh * 0.78
    gr = min(sw * 0.36, sh * 0.62)
    draw_gauge(cv, gcx, gcy, gr, gr * 0.24 * gauge_scale, 180.0, 0.0, 0.82, WHITE,
               ticks=gauge_ticks, tick_len=gr * 0.14, tick_width=max(0.9, gr * 0.05),
               hub=max(1.6, gr * 0.14), dim=0.35)
    # Glossy reflection across the upper left of the screen.
    gloss = polygon([(sx0, sy0), (sx0 + sw * 0.62, sy0), (sx0 + sw * 0.30, sy1), (sx0, sy1)]) & screen
    cv.paint(gloss, WHITE, 0.10)
    cv.paint(screen.outline(1.0), hex_colour('#0A1522'), 0.6)


# ---------------------------------------------------------------------------
# The three pictures
# ---------------------------------------------------------------------------

def image_pixels(twips, dpi):
    """An image box's size in pixels at a DPI, as the window computes it."""
    return (twips * dpi + 720) // 1440


# Image1's box: 6000 x 1065 twips.
BANNER_TWIPS = (6000, 1065)
BANNER_DPIS = (96, 144)


def draw_banner(dpi=96):
    """The banner filling Image1's box at `dpi`: 400 design units wide, its
    height the box's (71 units at 96 DPI, a fraction more where the box
    rounds up)."""
    scale = dpi / 96.0
    pw, ph = (image_pixels(t, dpi) for t in BANNER_TWIPS)
    w, h = 400, ph / scale
    cv = Canvas(pw, ph, scale=scale)
    left, right = hex_colour('#0A2557'), hex_colour('#1C6FD1')
    deep = hex_colour('#061638')

    def background(x, y):
        base = mix(left, right, smoothstep(0.0, 1.0, x / w) * 0.85 + 0.15 * (x / w))
        base = mix(base, deep, 0.35 * (y / h) ** 1.5)
        return mix(base, WHITE, 0.10 * (1.0 - smoothstep(0.0, 0.55, y / h)))
    cv.fill_all(background)

    # Soft light behind the dial and streaks of light across the middle.
    cv.paint(circle(40, 36, 30), hex_colour('#3FA9F5'), 0.22, feather=14.0)
    for x, wd, op in ((206, 26, 0.06), (240, 10, 0.05), (258, 4, 0.07), (330, 18, 0.04)):
        cv.paint(polygon([(x, 0), (x + wd, 0), (x + wd - 30, h), (x - 30, h)]), WHITE, op)

    # Two meshing gears as a watermark on the right.
    big = gear(362, 50, 34, 42, 12, phase=7.5) - circle(362, 50, 13)
    small = gear(307, 12, 17, 23, 8, phase=0.0) - circle(307, 12, 7)
    cv.paint(big, WHITE, 0.10)
    cv.paint(circle(362, 50, 24).outline(2.0), WHITE, 0.06)
    cv.paint(small, WHITE, 0.08)

    # The dial.
    cx, cy, r = 40, 36, 28
    cv.paint(circle(cx + 0.8, cy + 1.5, r + 1), BLACK, 0.35, feather=2.5)
    cv.paint(circle(cx, cy, r), radial(cx, cy - 6, r + 6, [(0.0, hex_colour('#17407E')),
                                                           (1.0, hex_colour('#081A3E'))]))
    cv.paint(circle(cx, cy, r - 0.9).outline(1.8),
             linear(0, cy - r, 0, cy + r, [(0.0, hex_colour('#B3E0FF')), (1.0, hex_colour('#3C7CC4'))]))
    draw_gauge(cv, cx, cy, 20.5, 4.6, 225.0, -45.0, 0.80, WHITE, ticks=9, tick_len=3.0,
               tick_width=1.1, hub=3.6)

    # Name and subtitle.
    tx, ty, cap = 84, 13, 26
    name = stroke_text('VELKOR', tx, ty, cap, 4.3, slant=0.16)
    cv.paint(name.moved(1.2, 1.8), deep, 0.55, feather=1.3)
    cv.paint(name, linear(0, ty, 0, ty + cap, [(0.0, WHITE), (1.0, hex_colour('#BFE4FF'))]))
    line_end = tx + 3 + pixel_text_width('SYSTEM OPTIMIZER', 2) + 40
    cv.paint(rounded_box(tx + 1, 45.0, line_end, 46.2, 0.6),
             linear(tx, 0, line_end, 0, [(0.0, hex_colour('#4FC3F7')), (0.6, hex_colour('#4FC3F7')),
                                         (1.0, hex_colour('#1A5DB8'))]))
    pixel_text(cv, 'SYSTEM OPTIMIZER', tx + 2, 51, hex_colour('#CDEBFF'), 0.95, spacing=2)

    # Bright rule along the lower edge.
    cv.paint(rounded_box(-2, h - 2, w + 2, h + 2, 0.0),
             linear(0, 0, w, 0, [(0.0, hex_colour('#4FC3F7')), (0.5, hex_colour('#2196F3')),
                                 (1.0, hex_colour('#0D47A1'))]))
    return cv


def draw_about():
    w, h = 156, 117
    cv = Canvas(w, h)
    cv.fill_all(radial(70, 40, 120, [(0.0, hex_colour('#FFFFFF')), (0.55, hex_colour('#EEF5FD')),
                                     (1.0, hex_colour('#D3E4F7'))]))
    # Faint rings in the background.
    for r, op in ((52, 0.10), (66, 0.07), (80, 0.05)):
        cv.paint(circle(72, 52, r).outline(1.2), hex_colour('#64A8E8'), op)
    # Shadow on the floor.
    cv.paint(ellipse(74, 103.5, 44, 4.5), BLACK, 0.22, feather=3.0)
    draw_monitor(cv, 20, 12, 124, 82, 6.0, 6.0, 101.0, gauge_ticks=7, gauge_scale=1.0)
    draw_check(cv, 120, 80, 17.0, 2.6)
    return cv


def draw_icon():
    cv = Canvas(48, 48)
    draw_monitor(cv, 1, 4, 44, 35, 3.0, 3.0, 45.0, gauge_ticks=0, gauge_scale=1.3)
    draw_check(cv, 36.5, 35.5, 9.5, 1.8)
    return cv


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

def png24(cv):
    """A 24-bit RGB PNG; each row takes the filter with the smallest sum of
    residues, as PNG encoders usually choose."""
    bpp = 3
    raw = bytearray()
    prev = bytes(cv.w * bpp)
    for py in range(cv.h):
        row = bytes(b for px in range(cv.w) for b in cv.bytes_at(px, py))
        best = None
        for kind in range(5):
            out = bytearray((kind,))
            for i, x in enumerate(row):
                a = row[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                if kind == 0:
                    p = 0
                elif kind == 1:
                    p = a
                elif kind == 2:
                    p = b
                elif kind == 3:
                    p = (a + b) // 2
                else:
                    e = a + b - c
                    pa, pb, pc = abs(e - a), abs(e - b), abs(e - c)
                    p = a if pa <= pb and pa <= pc else b if pb <= pc else c
                out.append((x - p) & 0xFF)
            cost = sum(v if v < 128 else 256 - v for v in out[1:])
            if best is None or cost < best[0]:
                best = (cost, out)
        raw += best[1]
        prev = row

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack('>IIBBBBB', cv.w, cv.h, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def median_cut(counts, size):
    """Palette of at most `size` colours for a {colour: pixel count} table."""
    if len(counts) <= size:
        return sorted(counts)
    boxes = [sorted(counts)]

    def spread(box):
        return max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
    while len(boxes) < size:
        splittable = [i for i, b in enumerate(boxes) if len(b) > 1]
        if not splittable:
            break
        i = max(splittable, key=lambda j: (spread(boxes[j]) * sum(counts[c] for c in boxes[j]), -j))
        box = boxes.pop(i)
        k = max(range(3), key=lambda ch: (max(c[ch] for c in box) - min(c[ch] for c in box), -ch))
        box.sort(key=lambda c: (c[k], c))
        total = sum(counts[c] for c in box)
        run, cut = 0, 1
        for n, c in enumerate(box[:-1], 1):
            run += counts[c]
            cut = n
            if run * 2 >= total:
                break
        boxes[i:i] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(counts[c] for c in box)
        palette.append(tuple(int(round(sum(c[k] * counts[c] for c in box) / total)) for k in range(3)))
    return palette


def ico8(cv):
    """One 48 x 48 image, 256 colours, AND mask for transparency."""
    assert cv.w == cv.h == 48
    opaque = [[cv.alpha[py * cv.w + px] >= 0.5 for px in range(cv.w)] for py in range(cv.h)]
    counts = {}
    for py in range(cv.h):
        for px in range(cv.w):
            if opaque[py][px]:
                c = cv.bytes_at(px, py)
                counts[c] = counts.get(c, 0) + 1
    # Index 0 is black: the colour that transparent pixels carry.
    palette = [(0, 0, 0)] + median_cut(counts, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    nearest = {}
    for c in counts:
        nearest[c] = min(range(1, 256),
                         key=lambda i: (sum((a - b) ** 2 for a, b in zip(c, palette[i])), i))
    xor_rows, and_rows = [], []
    for py in range(cv.h - 1, -1, -1):           # bottom-up
        xor = bytearray()
        bits = 0
        mask = bytearray()
        for px in range(cv.w):
            if opaque[py][px]:
                xor.append(nearest[cv.bytes_at(px, py)])
            else:
                xor.append(0)
                bits |= 0x80 >> (px % 8)
            if px % 8 == 7:
                mask.append(bits)
                bits = 0
        mask += bytes((4 - len(mask) % 4) % 4)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    image = (b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
             + b''.join(xor_rows) + b''.join(and_rows))
    info = struct.pack('<IiiHHIIiiII', 40, 48, 96, 1, 8, 0, len(image) - 1024, 0, 0, 0, 0)
    entry = struct.pack('<BBBBHHII', 48, 48, 0, 0, 1, 8, len(info) + len(image), 6 + 16)
    return struct.pack('<HHH', 0, 1, 1) + entry + info + image


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)
    print('%-17s %6d bytes' % (name, len(data)))


def main():
    for dpi in BANNER_DPIS:
        write('banner-%ddpi.png' % dpi, png24(draw_banner(dpi)))
    write('about.png', png24(draw_about()))
    write('app.ico', ico8(draw_icon()))


if __name__ == '__main__':
    main()
