#!/usr/bin/python3
"""Draw Quoxel's pictures: the logo, the eight module icons and the program icon.

Everything is drawn from code at 4x size and scaled down with LANCZOS, so the
output is anti-aliased and the same on every run. The logo and the module icons
are drawn for screens at 100, 125, 150 and 200 % (logo.png, logo-125.png, ...):
the same drawing in the same final-pixel coordinates, supersampled at 4x the zoom.

    /usr/bin/python3 scripts/make-pictures.py            # writes app/res/*
    /usr/bin/python3 scripts/make-pictures.py --preview /tmp/pictures-preview.png

Needs Pillow (Debian: apt-get install python3-pil) and DejaVu Sans Bold
(Debian: fonts-dejavu-core).
"""

import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLING = 4
ZOOM = 1.0  # the screen scale a picture is drawn for
S = SUPERSAMPLING  # canvas pixels per final pixel of the 100 % drawing: SUPERSAMPLING x ZOOM
ZOOMS = {100: 1.0, 125: 1.25, 150: 1.5, 200: 2.0}  # percent -> zoom

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
RES = os.path.join(ROOT, "app", "res")

BOLD_FONTS = [
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/TTF/DejaVuSans-Bold.ttf",
]
LABEL_FONTS = [
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
]


def find_font(candidates):
    for path in candidates:
        if os.path.exists(path):
            return path
    sys.exit("no usable font found among: " + ", ".join(candidates))


# ---------------------------------------------------------------------------
# Palette.  Each material: (light, mid, dark) fill stops and an outline colour.
# Light always comes from the top left.

MAT = {
    "metal": ((252, 252, 252), (214, 217, 222), (158, 164, 173), (58, 63, 72)),
    "steel": ((176, 182, 192), (122, 129, 140), (84, 90, 100), (36, 40, 48)),
    "dark": ((96, 103, 114), (62, 67, 76), (40, 44, 52), (22, 24, 30)),
    "blue": ((120, 172, 232), (58, 118, 200), (30, 76, 152), (16, 40, 92)),
    "red": ((250, 96, 86), (218, 32, 28), (160, 6, 6), (92, 4, 4)),
    "green": ((160, 232, 92), (104, 196, 34), (62, 140, 10), (32, 84, 6)),
    "orange": ((255, 196, 96), (246, 136, 22), (200, 90, 0), (116, 52, 0)),
    "yellow": ((255, 240, 120), (248, 212, 40), (204, 160, 0), (116, 88, 0)),
    "card": ((238, 200, 136), (214, 162, 84), (170, 116, 44), (92, 58, 14)),
    "wood": ((214, 150, 84), (168, 104, 44), (118, 68, 22), (66, 36, 10)),
    "paper": ((255, 255, 255), (246, 246, 244), (214, 218, 214), (74, 80, 90)),
    "magenta": ((246, 130, 214), (214, 64, 176), (150, 30, 124), (84, 12, 70)),
    "navy": ((44, 70, 118), (24, 42, 78), (12, 22, 44), (10, 14, 24)),
}

SKY = (166, 202, 240)
WINDOW = (240, 240, 240)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# ---------------------------------------------------------------------------
# Drawing kit.  Coordinates are in final pixels (floats); they are scaled by S.


def _lut(stops):
    stops = sorted(stops)
    out = []
    for v in range(256):
        t = v / 255.0
        if t <= stops[0][0]:
            out.append(stops[0][1])
            continue
        if t >= stops[-1][0]:
            out.append(stops[-1][1])
            continue
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                out.append(mix(c0, c1, 0 if p1 == p0 else (t - p0) / (p1 - p0)))
                break
    return out


def _colourise(t_img, stops):
    lut = _lut(stops)
    bands = [t_img.point([c[i] for c in lut]) for i in range(3)]
    return Image.merge("RGB", bands)


def _disk(r):
    ri = int(math.ceil(r))
    return [(dx, dy) for dy in range(-ri, ri + 1) for dx in range(-ri, ri + 1)
            if dx * dx + dy * dy <= r * r + 1e-6]


def dilate(m, r, pad_value=0):
    """Grey-level dilation by a disc of radius r (supersampled pixels)."""
    if r <= 0:
        return m
    ri = int(math.ceil(r))
    w, h = m.size
    big = Image.new("L", (w + 2 * ri, h + 2 * ri), pad_value)
    big.paste(m, (ri, ri))
    out = m.copy()
    for dx, dy in _disk(r):
        out = ImageChops.lighter(out, big.crop((ri - dx, ri - dy, ri - dx + w, ri - dy + h)))
    return out


def erode(m, r):
    return ImageChops.invert(dilate(ImageChops.invert(m), r, pad_value=255))


def union(*ms):
    out = ms[0]
    for m in ms[1:]:
        out = ImageChops.lighter(out, m)
    return out


def cut(a, b):
    return ImageChops.subtract(a, b)


def inter(a, b):
    return ImageChops.darker(a, b)


def scale_mask(m, k):
    return m.point(lambda v: int(v * k + 0.5))


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = round(w * ZOOM), round(h * ZOOM)
        self.size = (w * S, h * S)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    # -- masks -------------------------------------------------------------
    def blank(self):
        return Image.new("L", self.size, 0)

    def _draw(self):
        m = self.blank()
        return m, ImageDraw.Draw(m)

    def rrect(self, x0, y0, x1, y1, r=0):
        m, d = self._draw()
        box = [x0 * S, y0 * S, x1 * S - 1, y1 * S - 1]
        if r > 0:
            d.rounded_rectangle(box, radius=r * S, fill=255)
        else:
            d.rectangle(box, fill=255)
        return m

    def ellipse(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        m, d = self._draw()
        d.ellipse([(cx - rx) * S, (cy - ry) * S, (cx + rx) * S - 1, (cy + ry) * S - 1], fill=255)
        return m

    def poly(self, pts):
        m, d = self._draw()
        d.polygon([(x * S, y * S) for x, y in pts], fill=255)
        return m

    def pie(self, cx, cy, r, a0, a1):
        """Wedge; angles in degrees, clockwise from 3 o'clock."""
        m, d = self._draw()
        d.pieslice([(cx - r) * S, (cy - r) * S, (cx + r) * S - 1, (cy + r) * S - 1], a0, a1, fill=255)
        return m

    def line(self, pts, width, caps=True):
        m, d = self._draw()
        sp = [(x * S, y * S) for x, y in pts]
        d.line(sp, fill=255, width=int(round(width * S)), joint="curve")
        if caps:
            rr = width * S / 2.0
            for x, y in (sp[0], sp[-1]):
                d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=255)
        return m

    def arc(self, cx, cy, r, a0, a1, width, caps=True):
        """Arc of centre-line radius r; angles clockwise from 3 o'clock."""
        m, d = self._draw()
        ro = r + width / 2.0
        d.arc([(cx - ro) * S, (cy - ro) * S, (cx + ro) * S, (cy + ro) * S], a0, a1,
              fill=255, width=int(round(width * S)))
        if caps:
            rr = width * S / 2.0
            for a in (a0, a1):
                x = (cx + r * math.cos(math.radians(a))) * S
                y = (cy + r * math.sin(math.radians(a))) * S
                d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=255)
        return m

    def text(self, x, y, s, font_path, px, anchor="ls", spacing=0.0):
        """Text mask; px is the em size in final pixels; spacing is extra
        advance per letter in final pixels."""
        m, d = self._draw()
        font = ImageFont.truetype(font_path, int(round(px * S)))
        if not spacing:
            d.text((x * S, y * S), s, font=font, fill=255, anchor=anchor)
            return m
        cx = x * S
        for i, ch in enumerate(s):
            d.text((cx, y * S), ch, font=font, fill=255, anchor=anchor)
            nxt = s[i + 1] if i + 1 < len(s) else ""
            cx += font.getlength(ch + nxt) - font.getlength(nxt) + spacing * S
        return m

    def move(self, m, dx, dy):
        out = Image.new("L", self.size, 0)
        out.paste(m, (int(round(dx * S)), int(round(dy * S))))
        return out

    def rotate(self, m, angle, cx, cy):
        """Rotate a mask counter-clockwise by angle degrees around (cx, cy)."""
        return m.rotate(angle, resample=Image.BICUBIC, center=(cx * S, cy * S))

    # -- fills ---------------------------------------------------------------
    def linear(self, x0, y0, x1, y1, stops):
        w, h = self.size
        X0, Y0, dx, dy = x0 * S, y0 * S, (x1 - x0) * S, (y1 - y0) * S
        l2 = float(dx * dx + dy * dy) or 1.0
        kx, ky = dx / l2 * 255.0, dy / l2 * 255.0
        data = []
        for y in range(h):
            base = ((y + 0.5) - Y0) * ky - (X0 - 0.5) * kx
            data.extend(min(255, max(0, int(base + x * kx))) for x in range(w))
        t = Image.new("L", self.size)
        t.putdata(data)
        return _colourise(t, stops)

    def radial(self, cx, cy, r, stops, sx=1.0, sy=1.0):
        w, h = self.size
        CX, CY, R = cx * S, cy * S, r * S
        data = []
        for y in range(h):
            yy = ((y + 0.5 - CY) / sy) ** 2
            data.extend(min(255, int(math.sqrt(((x + 0.5 - CX) / sx) ** 2 + yy) / R * 255.0))
                        for x in range(w))
        t = Image.new("L", self.size)
        t.putdata(data)
        return _colourise(t, stops)

    def mat(self, name, x0, y0, x1, y1):
        """Standard material gradient over the box, light at the top left."""
        light, midc, dark, _ = MAT[name]
        return self.linear(x0 + (x1 - x0) * 0.25, y0, x1 - (x1 - x0) * 0.25, y1,
                           [(0.0, light), (0.5, midc), (1.0, dark)])

    # -- painting ------------------------------------------------------------
    def paint(self, mask, fill, opacity=1.0):
        if isinstance(fill, tuple):
            src = Image.new("RGBA", self.size, fill[:3] + (255,))
            if len(fill) == 4:
                opacity *= fill[3] / 255.0
        else:
            src = fill.convert("RGBA")
        src.putalpha(mask if opacity >= 1.0 else scale_mask(mask, opacity))
        self.img.alpha_composite(src)

    def part(self, mask, fill, outline, stroke=1.75, shine=0.55, bbox=None):
        """Paint a shape: dark outline of width stroke inside its silhouette,
        the fill, and a soft light rim along the inside top."""
        self.paint(mask, outline)
        inner = erode(mask, stroke * S)
        self.paint(inner, fill)
        if shine > 0:
            self.shine(inner, shine, bbox)
        return inner

    def shine(self, inner, amount, bbox=None):
        rim = cut(inner, erode(inner, 1.0 * S))
        bb = bbox or inner.getbbox()
        if not bb:
            return
        if bbox:
            bb = [v * S for v in bbox]
        fade = self.linear(0, bb[1] / S, 0, (bb[1] + (bb[3] - bb[1]) * 0.75) / S,
                           [(0.0, (255, 255, 255)), (1.0, (0, 0, 0))]).convert("L")
        self.paint(ImageChops.multiply(rim, fade), (255, 255, 255), amount)

    # -- finishing -----------------------------------------------------------
    def drop_shadow(self, dx=1.0, dy=1.75, blur=1.6, strength=0.42, colour=(8, 20, 48)):
        alpha = self.img.getchannel("A")
        sh = Image.new("L", self.size, 0)
        sh.paste(alpha, (int(round(dx * S)), int(round(dy * S))))
        sh = sh.filter(ImageFilter.GaussianBlur(blur * S))
        layer = Image.new("RGBA", self.size, colour + (255,))
        layer.putalpha(scale_mask(sh, strength))
        layer.alpha_composite(self.img)
        self.img = layer

    def final(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def glyph_ticks(cv, cx, cy, r0, r1, count, width, every=None, r0_major=None):
    m = cv.blank()
    for i in range(count):
        a = math.radians(i * 360.0 / count - 90)
        rr0 = r0_major if (every and i % every == 0 and r0_major) else r0
        m = union(m, cv.line([(cx + rr0 * math.cos(a), cy + rr0 * math.sin(a)),
                              (cx + r1 * math.cos(a), cy + r1 * math.sin(a))], width, caps=False))
    return m


def hand(cv, cx, cy, angle_deg, length, width, tail=0.0):
    a = math.radians(angle_deg - 90)
    return cv.line([(cx - tail * math.cos(a), cy - tail * math.sin(a)),
                    (cx + length * math.cos(a), cy + length * math.sin(a))], width)


# ---------------------------------------------------------------------------
# Module icons (64 x 64)


def icon_disk():
    cv = Canvas(64, 64)
    case = cv.rrect(5, 4, 47, 58, 4.5)
    cv.part(case, cv.mat("metal", 5, 4, 47, 58), MAT["metal"][3])
    # recessed top plate
    plate = cv.rrect(8.5, 7.5, 43.5, 54.5, 2.5)
    cv.paint(plate, cv.linear(8, 8, 44, 55, [(0, (226, 229, 234)), (1, (188, 193, 201))]))
    cv.paint(cut(plate, erode(plate, 0.75 * S)), (150, 156, 166))
    # platter
    pc = (26, 25)
    platter = cv.ellipse(pc[0], pc[1], 16)
    cv.paint(dilate(platter, 0.5 * S), (70, 76, 88))
    inner = erode(platter, 1.0 * S)
    cv.paint(inner, cv.linear(12, 10, 40, 40, [
        (0.0, (246, 248, 252)), (0.22, (184, 191, 204)), (0.45, (250, 251, 253)),
        (0.62, (196, 202, 214)), (0.82, (140, 148, 162)), (1.0, (210, 215, 224))]))
    for rr, a in ((12.5, 70), (9, 60)):
        ring = cut(cv.ellipse(pc[0], pc[1], rr + 0.4), cv.ellipse(pc[0], pc[1], rr - 0.4))
        cv.paint(ring, (120, 128, 142), a / 255.0)
    spindle = cv.ellipse(pc[0], pc[1], 4.5)
    cv.part(spindle, cv.mat("metal", 21, 20, 31, 30), (70, 76, 88), stroke=1.25, shine=0)
    cv.paint(cv.ellipse(pc[0], pc[1], 1.2), (90, 96, 108))
    # actuator arm
    pv = (13, 49)
    arm = union(cv.line([pv, (25.5, 33)], 4.2), cv.ellipse(pv[0], pv[1], 5),
                cv.rrect(23, 30, 29, 35.5, 1.5))
    cv.part(arm, cv.mat("steel", 8, 30, 30, 54), MAT["steel"][3], stroke=1.5, shine=0.5)
    cv.paint(cv.ellipse(pv[0], pv[1], 1.8), (220, 224, 230))
    # screws
    for sx, sy in ((9.5, 8.5), (42.5, 8.5), (42.5, 53.5)):
        cv.part(cv.ellipse(sx, sy, 1.9), (200, 204, 210), (90, 96, 106), stroke=0.9, shine=0)
    # free-space pie
    c = (47.6, 46.2)
    r = 12.8
    pie = cv.ellipse(c[0], c[1], r)
    inner = cv.part(pie, cv.linear(38, 36, 58, 58, [(0, MAT["blue"][0]), (0.5, MAT["blue"][1]),
                                                    (1, MAT["blue"][2])]), MAT["blue"][3], shine=0)
    free = inter(inner, cv.pie(c[0], c[1], r + 1, -90, 25))
    cv.paint(free, cv.linear(44, 34, 60, 52, [(0, MAT["magenta"][0]), (0.5, MAT["magenta"][1]),
                                              (1, MAT["magenta"][2])]))
    sep = union(cv.line([c, (c[0], c[1] - r)], 1.0, caps=False),
                cv.line([c, (c[0] + r * math.cos(math.radians(25)),
                             c[1] + r * math.sin(math.radians(25)))], 1.0, caps=False))
    cv.paint(inter(sep, inner), (255, 255, 255), 0.85)
    cv.shine(inner, 0.6)
    cv.drop_shadow()
    return cv.final()


def icon_cleaner():
    cv = Canvas(64, 64)
    # drawn upright around the binding at (32, 32), then tilted to the right
    # and moved into place
    ang, k, to = -38, 0.86, (38, 32.5)
    R = lambda m: cv.move(cv.rotate(m, ang, 32, 32), to[0] - 32, to[1] - 32)
    P = lambda pts: [(32 + x * k, 32 + y * k) for x, y in pts]
    handle = R(cv.rrect(*P([(-2.8, -36)])[0], *P([(2.8, 0)])[0], 2.6 * k))
    band = R(cv.rrect(*P([(-9, -3.5)])[0], *P([(9, 5)])[0], 2 * k))
    brist = R(cv.poly(P([(-7.5, 4), (7.5, 4), (15.5, 21), (17.5, 27), (-17.5, 27), (-15.5, 21)])))
    cv.part(brist, cv.linear(14, 30, 40, 62, [(0, MAT["yellow"][0]), (0.55, (236, 196, 60)),
                                              (1, (196, 140, 20))]), (112, 78, 4))
    # bristle grooves
    grooves = cv.blank()
    for i in range(-3, 4):
        grooves = union(grooves, cv.line(P([(i * 2.0, 6.5), (i * 4.6, 25.5)]), 0.8, caps=False))
    inner_b = erode(brist, 2.5 * S)
    cv.paint(inter(R(grooves), inner_b), (150, 104, 10), 0.75)
    cv.part(handle, cv.linear(24, 4, 48, 40, [(0, MAT["wood"][0]), (0.5, MAT["wood"][1]),
                                              (1, MAT["wood"][2])]), MAT["wood"][3], stroke=1.5)
    cv.part(band, cv.linear(24, 28, 44, 44, [(0, MAT["red"][0]), (0.5, MAT["red"][1]),
                                             (1, MAT["red"][2])]), MAT["red"][3], stroke=1.5)
    # sparkles
    def star(cx, cy, r, k=0.3):
        pts = []
        for i in range(8):
            a = math.radians(i * 45 - 90)
            rr = r if i % 2 == 0 else r * k
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        return cv.poly(pts)
    for cx, cy, r in ((14, 16, 9.5), (27.5, 9, 5), (7.5, 29.5, 4.8)):
        s = star(cx, cy, r)
        cv.part(s, cv.radial(cx, cy, r, [(0, (255, 255, 255)), (0.45, (255, 246, 170)),
                                           (1, (250, 200, 40))]), (150, 100, 0), stroke=1.2, shine=0)
    cv.drop_shadow()
    return cv.final()


def icon_software():
    cv = Canvas(64, 64)
    T, Rt, B, L = (29, 15), (54, 25.5), (29, 36), (4, 25.5)
    bot = 59.5
    top = cv.poly([T, Rt, B, L])
    left = cv.poly([L, B, (B[0], bot), (L[0], bot - (B[1] - L[1]))])
    right = cv.poly([B, Rt, (Rt[0], bot - (B[1] - L[1])), (B[0], bot)])
    box = union(top, left, right)
    cv.paint(box, MAT["card"][3])
    body = erode(box, 1.75 * S)
    cv.paint(inter(erode(top, 0.5 * S), body), cv.linear(10, 14, 48, 36, [(0, (246, 214, 156)), (1, (226, 182, 112))]))
    cv.paint(inter(erode(left, 0.5 * S), body), cv.linear(4, 26, 29, 60, [(0, (222, 170, 94)), (1, (196, 142, 66))]))
    cv.paint(inter(erode(right, 0.5 * S), body), cv.linear(29, 30, 54, 60, [(0, (184, 128, 52)), (1, (152, 100, 36))]))
    # tape across the lid and down the right face
    mTL = ((T[0] + L[0]) / 2, (T[1] + L[1]) / 2)
    mBR = ((B[0] + Rt[0]) / 2, (B[1] + Rt[1]) / 2)
    u = (Rt[0] - T[0], Rt[1] - T[1])
    n = math.hypot(*u)
    u = (u[0] / n * 3.2, u[1] / n * 3.2)
    tape = cv.poly([(mTL[0] - u[0], mTL[1] - u[1]), (mTL[0] + u[0], mTL[1] + u[1]),
                    (mBR[0] + u[0], mBR[1] + u[1]), (mBR[0] - u[0], mBR[1] - u[1])])
    tape = union(tape, cv.poly([(mBR[0] - u[0], mBR[1] - u[1]), (mBR[0] + u[0], mBR[1] + u[1]),
                                (mBR[0] + u[0], mBR[1] + u[1] + 14), (mBR[0] - u[0], mBR[1] - u[1] + 14)]))
    cv.paint(inter(tape, body), (248, 232, 196), 0.75)
    # label on the left face: a little list
    sh = (B[1] - L[1]) / (B[0] - L[0])
    def on_left(x, y):
        return (x, y + (x - L[0]) * sh)
    lab = cv.poly([on_left(8, 33), on_left(24, 33), on_left(24, 47), on_left(8, 47)])
    cv.paint(lab, (96, 70, 34))
    cv.paint(erode(lab, 0.9 * S), (252, 250, 244))
    for i, y in enumerate((36.5, 40, 43.5)):
        cv.paint(cv.line([on_left(10.5, y), on_left(11.5, y)], 1.6), MAT["blue"][1])
        cv.paint(cv.line([on_left(13.5, y), on_left(21.5 - i * 2, y)], 1.3), (120, 126, 136))
    # download arrow
    ax = 47
    arrow = cv.poly([(ax - 5.5, 4), (ax + 5.5, 4), (ax + 5.5, 15), (ax + 12.5, 15), (ax, 30),
                     (ax - 12.5, 15), (ax - 5.5, 15)])
    cv.part(arrow, cv.mat("green", ax - 12, 2, ax + 12, 30), MAT["green"][3])
    cv.drop_shadow()
    return cv.final()


def icon_renamer():
    cv = Canvas(64, 64)
    x0, y0, x1, y1, f = 6, 4, 44, 59, 11
    doc = cv.poly([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)])
    doc = union(inter(doc, cv.rrect(x0, y0, x1, y1, 2.5)), inter(doc, cv.rrect(x0, y0 + 5, x1, y1, 0)))
    cv.part(doc, cv.linear(x0, y0, x1, y1, [(0, (255, 255, 255)), (0.6, (244, 245, 246)), (1, (214, 218, 224))]),
            MAT["paper"][3])
    fold = cv.poly([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)])
    fold = inter(dilate(fold, 0.2 * S), dilate(doc, 0))
    cv.paint(fold, MAT["paper"][3])
    cv.paint(erode(fold, 1.4 * S), cv.linear(x1 - f, y0, x1, y0 + f, [(0, (250, 250, 250)), (1, (196, 202, 210))]))
    # text lines
    for y, xe in ((12, 28), (17.5, 36), (23, 32)):
        cv.paint(cv.line([(11.5, y), (xe, y)], 2.2), (146, 152, 162))
    # the name being edited
    sel = cv.rrect(10, 28, 40, 37, 1.5)
    cv.paint(sel, cv.linear(10, 28, 10, 37, [(0, (74, 138, 222)), (1, (36, 92, 180))]))
    cv.paint(cv.line([(13.5, 32.5), (28, 32.5)], 2.2), (255, 255, 255))
    cv.paint(cv.rrect(31, 29.5, 32.4, 35.5), (255, 255, 255))
    for y, xe in ((42, 34), (47.5, 26), (53, 31)):
        cv.paint(cv.line([(11.5, y), (xe, y)], 2.2), (146, 152, 162))
    # pencil, drawn upright then tilted so the point is at the lower left
    ang, pc = -45, (32, 32)
    R = lambda m: cv.move(cv.rotate(m, ang, *pc), -2, -3)
    px, w = 32 + 16.5, 5.5
    top_y, bot_y = 32 - 22, 32 + 12
    body = R(cv.rrect(px - w, top_y + 9, px + w, bot_y, 0))
    eraser = R(cv.rrect(px - w, top_y, px + w, top_y + 6, 2.5))
    ferrule = R(cv.rrect(px - w, top_y + 4.5, px + w, top_y + 10, 0))
    cone = R(cv.poly([(px - w, bot_y - 0.5), (px + w, bot_y - 0.5), (px, bot_y + 15)]))
    whole = union(body, eraser, ferrule, cone)
    cv.paint(whole, MAT["orange"][3])
    inside = erode(whole, 1.5 * S)
    cv.paint(inter(erode(cone, 0.4 * S), inside), cv.linear(40, 40, 30, 56, [(0, (250, 222, 180)), (1, (214, 170, 112))]))
    tip = R(cv.poly([(px - 2.6, bot_y + 8.5), (px + 2.6, bot_y + 8.5), (px, bot_y + 15)]))
    cv.paint(tip, (52, 56, 64))
    # three facets of the painted body
    facets = [(px - w, px - w / 3, (255, 214, 90)), (px - w / 3, px + w / 3, (246, 176, 30)),
              (px + w / 3, px + w, (212, 136, 10))]
    for a, b, col in facets:
        cv.paint(inter(R(cv.rrect(a, top_y + 9, b, bot_y, 0)), inter(erode(body, 0.4 * S), inside)), col)
    cv.paint(inter(erode(ferrule, 0.4 * S), inside), R(cv.linear(px - w, 0, px + w, 0, [
        (0, (236, 238, 242)), (0.4, (178, 184, 194)), (1, (120, 126, 138))])))
    cv.paint(inter(R(cv.rrect(px - w, top_y + 7, px + w, top_y + 7.8)), inside), (110, 116, 128))
    cv.paint(inter(cut(erode(eraser, 0.4 * S), ferrule), inside), R(cv.linear(px - w, 0, px + w, 0, [
        (0, (252, 170, 170)), (1, (214, 104, 110))])))
    cv.drop_shadow()
    return cv.final()


def icon_alarm():
    cv = Canvas(64, 64)
    c = (32, 36.5)
    # legs
    for side in (-1, 1):
        leg = cv.rotate(cv.rrect(c[0] - 2.6, 45, c[0] + 2.6, 62, 2.4), side * 40, c[0], c[1])
        cv.part(leg, cv.mat("dark", 10, 45, 54, 62), MAT["dark"][3], stroke=1.4, shine=0.3)
    # hammer post and striker
    post = cv.line([(c[0], 16), (c[0], 8)], 2.6)
    cv.part(post, (120, 126, 138), MAT["steel"][3], stroke=0.9, shine=0)
    striker = cv.ellipse(c[0], 7.5, 3.2)
    cv.part(striker, cv.mat("steel", 28, 4, 36, 11), MAT["steel"][3], stroke=1.2, shine=0.4)
    # bells
    for side in (-1, 1):
        bc = (c[0] + side * 16.5, 13.5)
        dome = union(inter(cv.ellipse(bc[0], bc[1] + 3, 11, 11), cv.rrect(bc[0] - 12, bc[1] - 12, bc[0] + 12, bc[1] + 3)),
                     cv.rrect(bc[0] - 12, bc[1] + 1, bc[0] + 12, bc[1] + 5, 2),
                     cv.ellipse(bc[0], bc[1] - 8.5, 2.6))
        dome = cv.rotate(dome, -side * 38, bc[0], bc[1] + 3)
        cv.part(dome, cv.linear(bc[0] - 8, bc[1] - 10, bc[0] + 10, bc[1] + 8,
                                [(0, (255, 255, 255)), (0.35, (220, 224, 230)), (0.7, (150, 156, 168)),
                                 (1, (120, 126, 138))]), MAT["metal"][3], stroke=1.6)
    # body and face
    body = cv.ellipse(c[0], c[1], 21)
    cv.part(body, cv.linear(14, 16, 46, 58, [(0, MAT["red"][0]), (0.45, MAT["red"][1]), (1, MAT["red"][2])]),
            MAT["red"][3], shine=0.7)
    face = cv.ellipse(c[0], c[1], 15.5)
    cv.paint(face, (120, 10, 10))
    ff = erode(face, 1.0 * S)
    cv.paint(ff, cv.radial(c[0] - 4, c[1] - 5, 22, [(0, (255, 255, 255)), (0.6, (246, 246, 244)),
                                                   (1, (206, 210, 214))]))
    cv.paint(glyph_ticks(cv, c[0], c[1], 11.5, 13.3, 12, 1.1, every=3, r0_major=10.2), (60, 66, 78))
    cv.paint(hand(cv, c[0], c[1], 300, 7.5, 2.4, tail=1.5), (34, 38, 46))   # hour, ten past ten
    cv.paint(hand(cv, c[0], c[1], 60, 11, 1.8, tail=2), (34, 38, 46))      # minute
    cv.paint(hand(cv, c[0], c[1], 165, 10, 1.0, tail=2.5), (214, 30, 24))  # alarm set
    cv.paint(cv.ellipse(c[0], c[1], 1.8), (214, 30, 24))
    # glass glint
    glint = inter(ff, cut(cv.ellipse(c[0] - 1, c[1] - 2, 13), cv.ellipse(c[0] + 2.5, c[1] + 2, 14)))
    cv.paint(glint, (255, 255, 255), 0.55)
    cv.drop_shadow()
    return cv.final()


def gear_mask(cv, cx, cy, r_out, r_in, teeth, hole, tooth_frac=0.5, rot=0.0):
    pts = []
    steps = teeth * 4
    for i in range(steps):
        k = i % 4
        base = (i // 4) * 360.0 / teeth + rot
        span = 360.0 / teeth
        # root, rise, top, fall
        offs = [0, span * (0.5 - tooth_frac / 2) * 0.85, span * (0.5 + tooth_frac / 2) * 1.0,
                span * (0.5 + tooth_frac / 2) + span * (0.5 - tooth_frac / 2) * 0.15][k]
        rr = r_in if k in (0, 3) else r_out
        a = math.radians(base + offs)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    m = cv.poly(pts)
    return cut(m, cv.ellipse(cx, cy, hole))


def icon_admin():
    cv = Canvas(64, 64)
    # stand
    base = cv.rrect(15, 51, 43, 57, 2.5)
    cv.part(base, cv.mat("steel", 15, 51, 43, 57), MAT["steel"][3], stroke=1.4, shine=0.5)
    neck = cv.poly([(24, 42), (34, 42), (36, 52), (22, 52)])
    cv.part(neck, cv.linear(22, 42, 36, 52, [(0, (150, 156, 166)), (1, (92, 98, 108))]), MAT["steel"][3], stroke=1.4, shine=0)
    # monitor
    mon = cv.rrect(4, 6, 55, 45, 3.5)
    cv.part(mon, cv.mat("dark", 3, 6, 55, 45), MAT["dark"][3], stroke=1.6, shine=0.45)
    scr = cv.rrect(7.5, 10.5, 50.5, 39.5, 1)
    cv.paint(scr, (14, 18, 26))
    sc = erode(scr, 0.75 * S)
    cv.paint(sc, cv.linear(7, 10, 30, 40, [(0, (36, 64, 104)), (1, (10, 22, 44))]))
    grid = cv.blank()
    for gx in range(12, 51, 6):
        grid = union(grid, cv.rrect(gx, 11, gx + 0.5, 39))
    for gy in range(15, 40, 6):
        grid = union(grid, cv.rrect(8, gy, 50, gy + 0.5))
    cv.paint(inter(grid, sc), (90, 140, 200), 0.25)
    beat = [(8, 27), (16, 27), (19, 22), (22, 31), (26, 15), (30, 35), (33, 24), (36, 27), (50, 27)]
    glow = cv.line(beat, 3.6).filter(ImageFilter.GaussianBlur(1.2 * S))
    cv.paint(inter(glow, sc), (90, 255, 120), 0.55)
    cv.paint(inter(cv.line(beat, 1.7), sc), (170, 255, 150))
    # screen gloss
    gloss = inter(sc, cv.poly([(7, 10), (36, 10), (16, 40), (7, 40)]))
    cv.paint(gloss, (255, 255, 255), 0.07)
    cv.paint(cv.ellipse(51, 42.2, 1.0), (120, 240, 110))
    # gear
    g = (47.2, 47)
    gear = gear_mask(cv, g[0], g[1], 12.7, 9.8, 9, 4.1, rot=8)
    inner = cv.part(gear, cv.linear(38, 36, 60, 60, [(0, MAT["orange"][0]), (0.5, MAT["orange"][1]),
                                                     (1, MAT["orange"][2])]), MAT["orange"][3], stroke=1.6, shine=0.6)
    ring = cut(cv.ellipse(g[0], g[1], 7.4), cv.ellipse(g[0], g[1], 6.4))
    cv.paint(inter(ring, inner), (150, 70, 0), 0.6)
    cv.drop_shadow()
    return cv.final()


def icon_shutdown():
    cv = Canvas(64, 64)
    c, r = (28.5, 28.5), 24.5
    btn = cv.ellipse(c[0], c[1], r)
    inner = cv.part(btn, cv.radial(c[0] - 8, c[1] - 10, 38, [(0, (255, 110, 96)), (0.45, (220, 30, 26)),
                                                            (1, (130, 0, 0))]), MAT["red"][3], stroke=1.75, shine=0)
    # glossy cap
    gl = inter(inner, cv.ellipse(c[0], c[1] - 11, 17, 11))
    cv.paint(gl, cv.linear(0, c[1] - 22, 0, c[1] - 1, [(0, (255, 255, 255)), (1, (255, 120, 110))]), 0.45)
    # power glyph
    glyph = union(cv.arc(c[0], c[1] + 1, 11.5, -55, 235, 4.6), cv.line([(c[0], c[1] - 14), (c[0], c[1] - 1)], 4.6))
    cv.paint(dilate(glyph, 0.9 * S).filter(ImageFilter.GaussianBlur(0.6 * S)), (110, 0, 0), 0.65)
    cv.paint(glyph, cv.linear(0, c[1] - 14, 0, c[1] + 13, [(0, (255, 255, 255)), (1, (236, 226, 226))]))
    # clock
    k, kr = (47.5, 46.8), 12.9
    clock = cv.ellipse(k[0], k[1], kr)
    cv.part(clock, cv.linear(36, 35, 60, 60, [(0, (252, 252, 252)), (0.5, (190, 196, 206)), (1, (120, 128, 140))]),
            MAT["metal"][3], stroke=1.5, shine=0)
    face = cv.ellipse(k[0], k[1], kr - 3.6)
    cv.paint(face, (100, 106, 118))
    cv.paint(erode(face, 0.7 * S), cv.radial(k[0] - 3, k[1] - 3, 14, [(0, (255, 255, 255)), (1, (224, 228, 232))]))
    cv.paint(glyph_ticks(cv, k[0], k[1], 7.0, 8.3, 12, 0.9, every=3, r0_major=6.0), (80, 86, 98))
    cv.paint(hand(cv, k[0], k[1], 0, 6.5, 1.8, tail=0), (30, 34, 42))
    cv.paint(hand(cv, k[0], k[1], 90, 4.8, 2.0, tail=0), (30, 34, 42))
    cv.paint(cv.ellipse(k[0], k[1], 1.5), (214, 30, 24))
    cv.drop_shadow()
    return cv.final()


def icon_wallpaper():
    cv = Canvas(64, 64)
    x0, y0, x1, y1 = 4, 5, 54, 47
    frame = cv.rrect(x0, y0, x1, y1, 2)
    cv.part(frame, cv.linear(x0, y0, x1, y1, [(0, (226, 168, 96)), (0.5, (178, 112, 46)), (1, (126, 74, 24))]),
            MAT["wood"][3], stroke=1.5, shine=0.6)
    hole = cv.rrect(x0 + 5.5, y0 + 5.5, x1 - 5.5, y1 - 5.5, 0)
    cv.paint(dilate(hole, 1.0 * S), (92, 54, 18))
    hy0, hy1 = y0 + 5.5, y1 - 5.5
    cv.paint(hole, cv.linear(0, hy0, 0, hy1 - 8, [(0, (44, 88, 170)), (0.55, (120, 120, 190)),
                                                  (1, (250, 176, 120))]))
    sun = inter(cv.ellipse(37, 26, 5.5), hole)
    cv.paint(inter(cv.ellipse(37, 26, 9), hole), (255, 230, 150), 0.25)
    cv.paint(sun, cv.linear(0, 20, 0, 31, [(0, (255, 250, 200)), (1, (255, 200, 80))]))
    back = inter(cv.ellipse(16, 48, 22, 16), hole)
    cv.paint(back, cv.linear(0, 30, 0, 44, [(0, (70, 150, 60)), (1, (36, 96, 30))]))
    front = inter(cv.ellipse(42, 53, 26, 17), hole)
    cv.paint(front, cv.linear(0, 34, 0, 44, [(0, (150, 214, 70)), (1, (80, 156, 20))]))
    cv.paint(cut(dilate(hole, 1.0 * S), hole), (92, 54, 18))
    # refresh badge with circling arrows
    b, br = (47.3, 46.6), 13.3
    badge = cv.ellipse(b[0], b[1], br)
    cv.part(badge, cv.linear(36, 34, 60, 60, [(0, (255, 255, 255)), (0.6, (236, 238, 240)), (1, (196, 202, 210))]),
            MAT["paper"][3], stroke=1.5, shine=0)
    arrows = cv.blank()
    ar = 6.8
    for start in (200, 20):
        arc = cv.arc(b[0], b[1], ar, start, start + 120, 3.0, caps=False)
        a = math.radians(start + 120)
        tip = math.radians(start + 148)
        px, py = b[0] + ar * math.cos(a), b[1] + ar * math.sin(a)
        nx, ny = math.cos(a), math.sin(a)
        head = cv.poly([(px + nx * 4.6, py + ny * 4.6), (px - nx * 4.6, py - ny * 4.6),
                        (b[0] + ar * math.cos(tip), b[1] + ar * math.sin(tip))])
        arrows = union(arrows, arc, head)
    cv.paint(dilate(arrows, 0.8 * S), MAT["green"][3])
    cv.paint(arrows, cv.linear(40, 39, 56, 56, [(0, MAT["green"][0]), (0.5, MAT["green"][1]), (1, MAT["green"][2])]))
    cv.drop_shadow()
    return cv.final()


MODULES = [icon_disk, icon_cleaner, icon_software, icon_renamer,
           icon_alarm, icon_admin, icon_shutdown, icon_wallpaper]
CAPTIONS = ["Hard Disk Drives", "Cleaner", "Software List", "File Renamer",
            "Alarm Clock", "PC Administrating", "Timed Shutdown", "Wallpaper Changer"]


# ---------------------------------------------------------------------------
# Emblem: a blue rounded tile holding a white "Q" whose ring is a cog.

EMBLEM_TOP = (84, 160, 240)
EMBLEM_MID = (40, 110, 210)
EMBLEM_BOT = (20, 64, 150)
EMBLEM_EDGE = (12, 38, 96)


def emblem(cv, x, y, size, teeth=True, stroke=None):
    """Draw the emblem into cv with its tile at (x, y), size x size."""
    k = size / 48.0
    tile = cv.rrect(x, y, x + size, y + size, 11 * k)
    cv.paint(tile, EMBLEM_EDGE)
    inner = erode(tile, max(1.0, 1.4 * k) * S)
    cv.paint(inner, cv.linear(x, y, x + size * 0.35, y + size, [(0, EMBLEM_TOP), (0.5, EMBLEM_MID), (1, EMBLEM_BOT)]))
    # gloss on the upper half
    gloss = inter(inner, cv.ellipse(x + size * 0.5, y + size * 0.05, size * 0.78, size * 0.5))
    cv.paint(gloss, cv.linear(0, y, 0, y + size * 0.55, [(0, (255, 255, 255)), (1, (150, 200, 255))]), 0.22)
    cv.shine(inner, 0.5)
    # the Q
    cx, cy = x + size * 0.48, y + size * 0.47
    ro = size * 0.305
    sw = stroke if stroke else size * 0.125
    ring = cut(cv.ellipse(cx, cy, ro), cv.ellipse(cx, cy, ro - sw))
    if teeth:
        cogs = cv.blank()
        n = 8
        for i in range(n):
            a = math.radians(i * 360.0 / n + 22.5)
            tw = size * 0.075
            rr0, rr1 = ro - sw * 0.5, ro + size * 0.07
            cogs = union(cogs, cv.line([(cx + rr0 * math.cos(a), cy + rr0 * math.sin(a)),
                                        (cx + rr1 * math.cos(a), cy + rr1 * math.sin(a))], tw * 2, caps=False))
        # no tooth where the tail leaves the ring
        cogs = cut(cogs, cv.pie(cx, cy, size, 25, 65))
        ring = union(ring, cut(cogs, cv.ellipse(cx, cy, ro - sw)))
    a = math.radians(45)
    t0 = (cx + (ro - sw * 1.6) * math.cos(a), cy + (ro - sw * 1.6) * math.sin(a))
    t1 = (cx + (ro + size * 0.15) * math.cos(a), cy + (ro + size * 0.15) * math.sin(a))
    tail = cv.line([t0, t1], sw * 1.05)
    q = union(ring, tail)
    cv.paint(dilate(q, 0.8 * k * S).filter(ImageFilter.GaussianBlur(0.8 * k * S)), (6, 24, 70), 0.45)
    cv.paint(q, cv.linear(0, cy - ro, 0, cy + ro, [(0, (255, 255, 255)), (1, (222, 234, 250))]))


def make_logo():
    cv = Canvas(220, 60)
    emblem(cv, 3, 7, 46)
    # soft shadow under the emblem only
    cv.drop_shadow(dx=0.6, dy=1.4, blur=1.4, strength=0.35)
    font = find_font(BOLD_FONTS)
    word = cv.text(57, 48, "Quoxel", font, 41, anchor="ls", spacing=-0.6)
    bb = word.getbbox()
    assert bb[2] <= 214 * S, ("wordmark too wide", bb[2] / S)
    cv.paint(word, cv.linear(0, 18, 0, 48, [(0, (40, 62, 98)), (1, (22, 36, 62))]))
    return cv.final()


# Program icon frames: 16, 32 and 48 for 96 DPI, 20, 24, 40 and 64 for the small and large icons at
# 125 to 200 %, 256 for the shell's largest views.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def make_icon_image(n):
    """Program icon at n x n (20 and up from the emblem, 16 drawn on the pixel grid)."""
    if n >= 20:
        cv = Canvas(n, n)
        emblem(cv, 0, 0, n)
        return cv.final()
    return icon16()


def icon16():
    cv = Canvas(16, 16)
    tile = cv.rrect(0, 0, 16, 16, 3.5)
    cv.paint(tile, EMBLEM_EDGE)
    inner = cv.rrect(1, 1, 15, 15, 2.5)
    cv.paint(inner, cv.linear(0, 0, 5, 16, [(0, EMBLEM_TOP), (0.5, EMBLEM_MID), (1, EMBLEM_BOT)]))
    cv.paint(cv.rrect(2, 1, 14, 2), (255, 255, 255), 0.3)
    # the Q: straight runs sit on whole pixels so they stay sharp
    ring = cut(cv.rrect(3, 2, 13, 13, 4), cv.rrect(5, 4, 11, 11, 2))
    tail = cv.poly([(8.6, 10.2), (10.2, 8.6), (14.2, 12.6), (12.6, 14.2)])
    q = union(ring, tail)
    cv.paint(cv.move(q, 0.5, 0.75), (8, 30, 80), 0.5)
    cv.paint(q, (255, 255, 255))
    return cv.final()


def write_ico(path, images):
    """Windows .ico with 32-bit BGRA DIB entries (plus the 1-bit AND mask)."""
    entries = []
    blobs = []
    for im in images:
        w, h = im.size
        im = im.convert("RGBA")
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        px = im.load()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                xor += bytes((b, g, r, a))
        row_bytes = ((w + 31) // 32) * 4
        andm = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(row_bytes)
            for x in range(w):
                if px[x, y][3] < 128:
                    row[x // 8] |= 0x80 >> (x % 8)
            andm += row
        blob = header + bytes(xor) + bytes(andm)
        blobs.append(blob)
        entries.append((w, h))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(bytes(out))


# ---------------------------------------------------------------------------


def save_png(img, path):
    img.save(path, "PNG", optimize=True)
    print("wrote", os.path.relpath(path, ROOT), img.size)


def make_preview(path, logo, icons, ico_images):
    label = find_font(LABEL_FONTS)
    W, H = 1130, 780
    sheet = Image.new("RGBA", (W, H), (255, 255, 255, 255))
    d = ImageDraw.Draw(sheet)
    small = ImageFont.truetype(label, 13)

    def logo_patch(zoom):
        patch = Image.new("RGBA", (260 * zoom, 60 * zoom), WINDOW + (255,))
        lg = logo.resize((220 * zoom, 60 * zoom), Image.NEAREST)
        patch.alpha_composite(lg)
        ImageDraw.Draw(patch).text((218 * zoom, 48 * zoom), "1.0", fill=(0, 0, 0), anchor="ls",
                                   font=ImageFont.truetype(label, 21 * zoom))
        return patch

    # logo on the window colour, with the version label where the program puts it
    d.rectangle([0, 0, W, 140], fill=WINDOW)
    sheet.alpha_composite(logo_patch(1), (16, 40))
    sheet.alpha_composite(logo_patch(2), (320, 10))
    # module icons on the list view colour, as shown and at 2x
    top = 150
    d.rectangle([0, top, W, top + 350], fill=SKY)
    for i, (im, cap) in enumerate(zip(icons, CAPTIONS)):
        cx = 70 + i * 135
        sheet.alpha_composite(im, (cx - 32, top + 12))
        d.text((cx, top + 80), cap, font=small, fill=(0, 0, 0), anchor="ma")
        big = im.resize((128, 128), Image.NEAREST)
        sheet.alpha_composite(big, (cx - 64, top + 110))
        sheet.alpha_composite(im.resize((32, 32), Image.LANCZOS), (cx - 16, top + 250))
    # program icon sizes on several backgrounds, then magnified
    y = top + 365
    for bi, bg in enumerate(((255, 255, 255), (240, 240, 240), SKY, (58, 110, 165), (30, 30, 30))):
        d.rectangle([16 + bi * 140, y, 16 + bi * 140 + 130, y + 64], fill=bg)
        x = 24 + bi * 140
        for im in ico_images:
            sheet.alpha_composite(im, (x, y + (56 - im.size[1]) // 2 + 4))
            x += im.size[0] + 8
    x = 16
    y += 80
    for im in ico_images:
        z = {16: 8, 32: 4, 48: 3}[im.size[0]]
        big = im.resize((im.size[0] * z, im.size[1] * z), Image.NEAREST)
        sheet.alpha_composite(big, (x, y))
        x += big.size[0] + 12
    sheet.convert("RGB").save(path)
    print("wrote preview", path)


def zoomed(percent, draw):
    """What draw() makes for a screen at percent %: every canvas ZOOM times larger, drawn as at 100 %."""
    global ZOOM, S
    ZOOM, S = ZOOMS[percent], int(SUPERSAMPLING * ZOOMS[percent])
    try:
        return draw()
    finally:
        ZOOM, S = 1.0, SUPERSAMPLING


def picture_name(stem, percent):
    return "%s.png" % stem if percent == 100 else "%s-%d.png" % (stem, percent)


def main(argv):
    os.makedirs(RES, exist_ok=True)
    for percent in ZOOMS:
        save_png(zoomed(percent, make_logo), os.path.join(RES, picture_name("logo", percent)))
        for i, fn in enumerate(MODULES):
            save_png(zoomed(percent, fn), os.path.join(RES, picture_name("module%d" % i, percent)))
    logo = make_logo()
    icons = [fn() for fn in MODULES]
    ico_images = [make_icon_image(n) for n in ICON_SIZES]
    write_ico(os.path.join(RES, "quoxel.ico"), ico_images)
    print("wrote", os.path.relpath(os.path.join(RES, "quoxel.ico"), ROOT), "/".join(map(str, ICON_SIZES)))
    if len(argv) >= 2 and argv[0] == "--preview":
        # the sheet has room for the 96-DPI frames
        make_preview(argv[1], logo, icons, [im for im in ico_images if im.size[0] in (16, 32, 48)])


if __name__ == "__main__":
    main(sys.argv[1:])
