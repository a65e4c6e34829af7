#!/usr/bin/env python3
"""Writes the toolbar button faces and ../faces.qrc.

Every button gets <Name>Up.svg (raised) and <Name>Dn.svg (sunken, face a little darker, glyph one
pixel right and down). Glyphs are drawn on the pixel grid at scale 1 (fills on whole pixels,
1-px strokes on half pixels) so they stay sharp at 1x and 2x. Letters come from the small pixel
fonts below rather than <text>, because fonts are not dependable when Qt renders SVG.

Run with Python 3 from anywhere: python3 resources/faces/make_faces.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

FACE_UP = "#ece9e4"
FACE_DN = "#dcd8d1"
BEVEL_LIGHT = "#ffffff"
BEVEL_DARK = "#726e67"
INK = "#202020"
GREY = "#8a8680"
PAPER = "#ffffff"
BLUE = "#2f6fc0"
SKY = "#bcd5f0"
RED = "#cc2a24"
GOLD = "#e0a526"
GOLD_LIGHT = "#f4d77c"
BROWN = "#b5874a"
GREEN = "#3aa040"
STEEL = "#bdb9b1"

HEIGHT = 23
WIDE = {"BtnSearch": 25, "Command5": 38}


# ---------------------------------------------------------------------------------------------
# Drawing primitives. All coordinates are in pixels of the scale-1 face.

def rect(x, y, w, h, fill):
    """Filled block covering pixels x..x+w-1, y..y+h-1."""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}"/>'


def box(x, y, w, h, fill, stroke=INK):
    """Block covering pixels x..x+w-1, y..y+h-1 with a 1-px outline on its outermost pixels."""
    return (f'<rect x="{x + 0.5}" y="{y + 0.5}" width="{w - 1}" height="{h - 1}" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="1"/>')


def path(d, fill="none", stroke=None, width=1, cap="butt", join="miter", rule=None):
    attrs = f'd="{d}" fill="{fill}"'
    if rule:
        attrs += f' fill-rule="{rule}"'
    if stroke:
        attrs += (f' stroke="{stroke}" stroke-width="{width}" stroke-linecap="{cap}"'
                  f' stroke-linejoin="{join}"')
    return f"<path {attrs}/>"


def line(x1, y1, x2, y2, stroke=INK, width=1, cap="butt"):
    return path(f"M{x1} {y1}L{x2} {y2}", stroke=stroke, width=width, cap=cap)


def circle(cx, cy, r, fill="none", stroke=None, width=1):
    s = f' stroke="{stroke}" stroke-width="{width}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{s}/>'


def text_lines(x, ys, w, colour=GREY):
    """Short 1-px 'printed text' lines, one per y."""
    return [rect(x, y, w, 1, colour) for y in ys]


def bitmap(rows, x, y, fill=INK):
    """Pixel art: '#' is a pixel of fill. Runs on a row become one rectangle of the path."""
    d = []
    for r, row in enumerate(rows):
        c = 0
        while c < len(row):
            if row[c] == "#":
                start = c
                while c < len(row) and row[c] == "#":
                    c += 1
                d.append(f"M{x + start} {y + r}h{c - start}v1h{start - c}z")
            else:
                c += 1
    return path("".join(d), fill=fill)


def pixels(rows, x, y, palette):
    """Pixel art in several colours: each character of `palette` paints its own colour, '.' is clear."""
    return [bitmap([''.join('#' if c == ch else '.' for c in row) for row in rows], x, y, colour)
            for ch, colour in palette.items()]


# ---------------------------------------------------------------------------------------------
# Pixel fonts. BIG: 11 rows, 2-px strokes, for single letters and headings. WORD: 9 rows, 2-px
# stems, for words of two or three letters. LOWER: 13 rows (3 ascender, 7 x-height, 3 descender).
# DIGIT: 3 by 5, for list numbers.

BIG = {
    "B": ["#######.",
          "########",
          "##....##",
          "##....##",
          "#######.",
          "#######.",
          "##....##",
          "##....##",
          "##....##",
          "########",
          "#######."],
    "I": ["...#######",
          ".....##...",
          ".....##...",
          "....##....",
          "....##....",
          "....##....",
          "...##.....",
          "...##.....",
          "..##......",
          "..##......",
          "#######..."],
    "S": [".######.",
          "########",
          "##....##",
          "##......",
          "#######.",
          ".#######",
          "......##",
          "......##",
          "##....##",
          "########",
          ".######."],
    "T": ["#######",
          "#..#..#",
          "#..#..#",
          "...#...",
          "...#...",
          "...#...",
          "...#...",
          "...#...",
          "...#...",
          "...#...",
          "..###.."],
    "U": ["##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "########",
          ".######."],
    "H": ["##....##",
          "##....##",
          "##....##",
          "##....##",
          "########",
          "########",
          "##....##",
          "##....##",
          "##....##",
          "##....##",
          "##....##"],
    "1": ["..##..",
          ".###..",
          "####..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "######"],
    "2": [".####.",
          "######",
          "##..##",
          "....##",
          "...###",
          "..###.",
          ".###..",
          "###...",
          "##....",
          "######",
          "######"],
    "3": [".####.",
          "######",
          "##..##",
          "....##",
          "..###.",
          "..###.",
          "....##",
          "....##",
          "##..##",
          "######",
          ".####."],
    "4": ["...##.",
          "..###.",
          ".####.",
          "##.##.",
          "##.##.",
          "##.##.",
          "######",
          "######",
          "...##.",
          "...##.",
          "...##."],
    "5": ["######",
          "######",
          "##....",
          "##....",
          "#####.",
          "######",
          "....##",
          "....##",
          "##..##",
          "######",
          ".####."],
    "6": [".####.",
          "######",
          "##..##",
          "##....",
          "#####.",
          "######",
          "##..##",
          "##..##",
          "##..##",
          "######",
          ".####."],
    "<": [".....###",
          "....###.",
          "...###..",
          "..###...",
          ".###....",
          "###.....",
          ".###....",
          "..###...",
          "...###..",
          "....###.",
          ".....###"],
    ">": ["###.....",
          ".###....",
          "..###...",
          "...###..",
          "....###.",
          ".....###",
          "....###.",
          "...###..",
          "..###...",
          ".###....",
          "###....."],
    "&": ["..####...",
          ".##..##..",
          ".##..##..",
          ".##.##...",
          "..###....",
          ".####..##",
          "##..##.##",
          "##...###.",
          "##....##.",
          "##...####",
          ".####..##"],
    '"': ["###..###",
          "###..###",
          "###..###",
          ".##...##",
          ".##...##",
          ".#....#."],
    "#": ["..#..#..",
          "..#..#..",
          "########",
          "..#..#..",
          "..#..#..",
          ".#..#...",
          "########",
          ".#..#...",
          ".#..#..."],
}

WORD = {
    "P": ["####.",
          "##.##",
          "##.##",
          "##.##",
          "####.",
          "##...",
          "##...",
          "##...",
          "##..."],
    "R": ["####.",
          "##.##",
          "##.##",
          "##.##",
          "####.",
          "##.#.",
          "##.##",
          "##.##",
          "##.##"],
    "E": ["#####",
          "##...",
          "##...",
          "##...",
          "####.",
          "##...",
          "##...",
          "##...",
          "#####"],
    "D": ["####.",
          "##.##",
          "##.##",
          "##.##",
          "##.##",
          "##.##",
          "##.##",
          "##.##",
          "####."],
    "L": ["##...",
          "##...",
          "##...",
          "##...",
          "##...",
          "##...",
          "##...",
          "##...",
          "#####"],
}

LOWER = {
    "n": ["......",
          "......",
          "......",
          "##.##.",
          "######",
          "###.##",
          "##..##",
          "##..##",
          "##..##",
          "##..##",
          "......",
          "......",
          "......"],
    "b": ["##....",
          "##....",
          "##....",
          "#####.",
          "######",
          "##..##",
          "##..##",
          "##..##",
          "######",
          "#####.",
          "......",
          "......",
          "......"],
    "s": ["......",
          "......",
          "......",
          ".#####",
          "######",
          "##....",
          "#####.",
          ".#####",
          "....##",
          "#####.",
          "......",
          "......",
          "......"],
    "p": ["......",
          "......",
          "......",
          "#####.",
          "######",
          "##..##",
          "##..##",
          "##..##",
          "######",
          "#####.",
          "##....",
          "##....",
          "##...."],
}

DIGIT = {
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    ".": [".", ".", ".", ".", "#"],
}


def text_width(font, s, gap):
    return sum(len(font[ch][0]) for ch in s) + gap * (len(s) - 1)


def text(font, s, x, y, fill=INK, gap=1):
    out = []
    for ch in s:
        out.append(bitmap(font[ch], x, y, fill))
        x += len(font[ch][0]) + gap
    return out


def centred(font, s, width=23, gap=1, y=None, fill=INK):
    """The word centred on a face `width` wide (rounded to the left and up)."""
    x = (width - text_width(font, s, gap)) // 2
    if y is None:
        y = (HEIGHT - len(font[s[0]])) // 2
    return text(font, s, x, y, fill, gap)


# ---------------------------------------------------------------------------------------------
# Shared pictures.

def page(x, y, w, h, fold=4):
    """A sheet with its top right corner folded over."""
    l, t, r, b = x + 0.5, y + 0.5, x + w - 0.5, y + h - 0.5
    return [
        path(f"M{l} {t}H{r - fold}L{r} {t + fold}V{b}H{l}Z", fill=PAPER, stroke=INK),
        path(f"M{r - fold} {t}V{t + fold}H{r}", fill=STEEL, stroke=INK),
    ]


def picture(x, y, w, h):
    """A framed landscape: sky, two hills and a sun."""
    r, b = x + w - 1, y + h - 1
    hill = (f"M{x + 1} {b}L{x + w * 0.38:g} {y + h * 0.42:g}L{x + w * 0.6:g} {y + h * 0.7:g}"
            f"L{x + w * 0.75:g} {y + h * 0.55:g}L{r} {b}Z")
    sun_r = max(1.0, w / 9)
    return [
        rect(x, y, w, h, SKY),
        path(hill, fill=BLUE),
        circle(x + w * 0.72, y + h * 0.3, sun_r, fill=PAPER),
        box(x, y, w, h, "none"),
    ]


# Pixel art where a vector drawing would blur at scale 1.

ANCHOR = ["......####......",
          ".....##..##.....",
          ".....##..##.....",
          "......####......",
          "...##########...",
          "...##########...",
          ".......##.......",
          ".......##.......",
          ".......##.......",
          ".#.....##.....#.",
          "###....##....###",
          "####...##...####",
          ".##....##....##.",
          ".##....##....##.",
          "..##...##...##..",
          "...###.##.###...",
          "....########....",
          "......####......"]

# A framed landscape small enough to be a list bullet.
MINI_PICTURE = ["kkkkkkk",
                "kssswsk",
                "ksssssk",
                "ksbsssk",
                "kbbbsbk",
                "kbbbbbk",
                "kkkkkkk"]
MINI_PICTURE_COLOURS = {"k": INK, "s": SKY, "b": BLUE, "w": PAPER}

DOT = [".##.", "####", "####", ".##."]
SMALL_DOT = ["##", "##"]


def red_x(x, y, size, width=2):
    """A red cross with a white halo so it reads on top of other drawing."""
    cross = f"M{x} {y}L{x + size} {y + size}M{x + size} {y}L{x} {y + size}"
    return [path(cross, stroke=PAPER, width=width + 2, cap="square"),
            path(cross, stroke=RED, width=width)]


# ---------------------------------------------------------------------------------------------
# The glyphs, one function per button, in the coordinates of the raised face.

def g_new():
    return page(5, 3, 13, 17)


def g_open():
    back = "M3.5 5.5H8.5L10.5 7.5H17.5V18.5H3.5Z"
    front = "M3.5 18.5L6.5 10.5H20.5L17.5 18.5Z"
    return [path(back, fill=GOLD, stroke=INK), path(front, fill=GOLD_LIGHT, stroke=INK)]


def g_save():
    return [
        path("M3.5 3.5H17.5L19.5 5.5V19.5H3.5Z", fill=BLUE, stroke=INK),
        rect(6, 4, 11, 7, PAPER),
        *text_lines(7, (6, 8), 9),
        rect(7, 14, 9, 5, STEEL),
        rect(12, 15, 2, 3, INK),
    ]


def g_erase():
    return [*page(4, 2, 12, 16), *text_lines(6, (8, 10, 12), 7), *red_x(12, 13, 6)]


def g_print():
    return [
        box(6, 3, 11, 7, PAPER),
        box(2, 9, 19, 8, STEEL),
        rect(3, 10, 17, 1, "#dcd8d1"),
        rect(16, 11, 2, 1, GREEN),
        box(5, 14, 13, 6, PAPER),
        *text_lines(7, (16, 18), 9),
    ]


def g_cut():
    return [
        line(8, 2, 14.2, 13.4, width=2),
        line(15, 2, 8.8, 13.4, width=2),
        circle(7.5, 16.5, 2.75, stroke=RED, width=2),
        circle(15.5, 16.5, 2.75, stroke=RED, width=2),
        rect(11, 8, 1, 1, PAPER),
    ]


def g_copy():
    return [
        *page(3, 2, 10, 13, fold=3), *text_lines(5, (6, 8, 10), 5),
        *page(9, 7, 11, 14, fold=3), *text_lines(11, (11, 13, 15, 17), 7),
    ]


def g_paste():
    return [
        box(3, 4, 14, 17, BROWN),
        box(7, 2, 6, 4, STEEL),
        box(9, 9, 11, 12, PAPER),
        *text_lines(11, (12, 14, 16, 18), 7),
    ]


def g_delete():
    cross = "M6 6L17 17M17 6L6 17"
    return [*[rect(3, y, 17, 2, GREY) for y in (4, 8, 12, 16)],
            path(cross, stroke=RED, width=3, cap="round")]


def g_search():
    return [
        circle(10.5, 9.5, 5.5, fill=SKY, stroke=INK, width=2),
        path("M7.5 8.5A3 3 0 0 1 10 6.2", stroke=PAPER, width=1.5, cap="round"),
        line(14.5, 13.5, 20, 19, width=3.5, cap="round"),
    ]


def g_bold():
    return centred(BIG, "B")


def g_italic():
    return centred(BIG, "I")


def g_strike():
    return [*centred(BIG, "S"), rect(5, 11, 14, 2, RED)]


def g_typewriter():
    return centred(BIG, "TT", gap=2)


def g_underline():
    return [*centred(BIG, "U", y=4), rect(5, 17, 13, 2, INK)]


def g_pre():
    return centred(WORD, "PRE")


def g_newline():
    return [
        rect(16, 4, 2, 10, INK),
        rect(8, 12, 10, 2, INK),
        path("M3 13L9 7.5V18.5Z", fill=INK),
    ]


def g_paragraph():
    rows = ["..######",
            ".####.#.",
            "#####.#.",
            "#####.#.",
            "#####.#.",
            ".####.#.",
            "..###.#.",
            "....#.#.",
            "....#.#.",
            "....#.#.",
            "....#.#.",
            "....#.#.",
            "...##.##"]
    return [bitmap(rows, 7, 5)]


def g_rule():
    return [
        *text_lines(3, (4, 6), 17), rect(3, 8, 10, 1, GREY),
        rect(2, 11, 19, 2, INK),
        *text_lines(3, (15, 17), 17), rect(3, 19, 12, 1, GREY),
    ]


def g_preview():
    return [
        box(2, 3, 19, 17, PAPER),
        rect(3, 4, 17, 3, BLUE),
        bitmap(["....#####....",
                "..##.....##..",
                ".#...###...#.",
                "#...#####...#",
                ".#...###...#.",
                "..##.....##..",
                "....#####...."], 5, 10),
    ]


def gear(cx, cy, teeth=8, outer=8.5, root=6.5, hole=2.5):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step
        for da, r in ((-0.30, root), (-0.18, outer), (0.18, outer), (0.30, root)):
            pts.append((cx + r * math.cos(a + da * step * 1.6), cy + r * math.sin(a + da * step * 1.6)))
    d = "M" + "L".join(f"{x:.2f} {y:.2f}" for x, y in pts) + "Z"
    d += f"M{cx + hole} {cy}A{hole} {hole} 0 1 0 {cx - hole} {cy}A{hole} {hole} 0 1 0 {cx + hole} {cy}Z"
    return path(d, fill="#6b6761", stroke=INK, rule="evenodd", join="round")


def g_configure():
    return [gear(11.5, 11.5)]


def g_anchor():
    return [bitmap(ANCHOR, 4, 3)]


def g_jump():
    arrow = "M2 10H7V6.5L11.5 11.5L7 16.5V13H2Z"
    return [path(arrow, fill=BLUE), *text(BIG, "#", 12, 7)]


def g_hyperlink():
    links = (f'<g transform="rotate(-45 11.5 11.5)">'
             f'<rect x="2.5" y="8.5" width="11" height="6" rx="3" fill="none" stroke="{INK}" stroke-width="2"/>'
             f'<rect x="9.5" y="8.5" width="11" height="6" rx="3" fill="none" stroke="{BLUE}" stroke-width="2"/>'
             f"</g>")
    return [links]


def g_mailto():
    return [
        box(3, 5, 17, 13, PAPER),
        path("M3.5 5.5L11.5 12.5L19.5 5.5", stroke=INK),
        path("M3.5 17.5L9 11.5M19.5 17.5L14 11.5", stroke=GREY),
    ]


def g_image():
    return picture(3, 4, 17, 15)


def g_entity(ch):
    return lambda: centred(BIG, ch, y=7 if ch == '"' else None)


def g_nbsp():
    return [*centred(LOWER, "nbsp", width=38, y=4),
            path("M9.5 15.5V17.5H27.5V15.5", stroke=BLUE)]


def g_heading(n):
    return lambda: centred(BIG, "H" + str(n), gap=2)


def g_list_dl():
    return [*text(WORD, "DL", 3, 2), rect(3, 13, 10, 2, INK),
            *text_lines(7, (17, 19), 13)]


def g_list_dd():
    return [rect(3, 2, 10, 1, GREY), *text(WORD, "DD", 7, 5), rect(7, 17, 13, 2, INK)]


def g_list_ordered():
    out = []
    for i, y in enumerate((3, 9, 15)):
        out += text(DIGIT, f"{i + 1}.", 3, y)
        out.append(rect(10, y + 2, 10, 1, INK))
    return out


def g_list_assist():
    out = []
    for y in (3, 7, 11):
        out.append(rect(3, y, 2, 2, INK))
        out.append(rect(7, y, 12, 1, GREY))
    out.append(line(6, 19, 12, 13, width=2.5, cap="round"))
    star = "M15 6.5L16 10L19.5 11L16 12L15 15.5L14 12L10.5 11L14 10Z"
    out.append(path(star, fill=GOLD, stroke=INK, width=0.75))
    return out


def neighbour_items():
    """The grey items above and below the one a list button adds."""
    return [bitmap(SMALL_DOT, 4, 4, GREY), rect(9, 4, 11, 1, GREY),
            bitmap(SMALL_DOT, 4, 18, GREY), rect(9, 18, 11, 1, GREY)]


def g_list_item():
    return [*neighbour_items(), bitmap(DOT, 3, 10), rect(9, 11, 11, 2, INK)]


def g_list_image():
    return [*neighbour_items(), *pixels(MINI_PICTURE, 2, 8, MINI_PICTURE_COLOURS),
            rect(11, 11, 9, 2, INK)]


BUTTONS = [
    ("BtnFile0", g_new), ("BtnFile1", g_open), ("BtnFile2", g_save), ("BtnFile3", g_erase),
    ("BtnFile4", g_print),
    ("BtnEdit0", g_cut), ("BtnEdit1", g_copy), ("BtnEdit2", g_paste), ("BtnEdit3", g_delete),
    ("BtnSearch", g_search),
    ("TextB", g_bold), ("TextI", g_italic), ("TextS", g_strike), ("TextTT", g_typewriter),
    ("Underline", g_underline), ("PreFormat", g_pre),
    ("BtnWhiteSpace0", g_newline), ("BtnWhiteSpace1", g_paragraph), ("BtnWhiteSpace2", g_rule),
    ("BtnPreview", g_preview), ("BtnConfigure", g_configure),
    ("btnAnchor0", g_anchor), ("btnAnchor1", g_jump), ("btnAnchor2", g_hyperlink),
    ("btnAnchor3", g_mailto), ("btnAnchor4", g_image),
    ("Command2", g_entity("<")), ("Command1", g_entity(">")), ("Command3", g_entity("&")),
    ("Command4", g_entity('"')), ("Command5", g_nbsp),
    *[(f"btnH{n}", g_heading(n)) for n in range(1, 7)],
    ("btnList0", g_list_dl), ("btnList1", g_list_dd), ("btnList2", g_list_ordered),
    ("btnList3", g_list_assist), ("btnList4", g_list_item), ("btnList5", g_list_image),
]


# ---------------------------------------------------------------------------------------------
# Faces and files.

def bevel(w, pressed):
    """1-px frame: light top/left and dark bottom/right when raised, the other way round when pressed."""
    top_left, bottom_right = (BEVEL_DARK, BEVEL_LIGHT) if pressed else (BEVEL_LIGHT, BEVEL_DARK)
    return [
        rect(0, 0, w, HEIGHT, FACE_DN if pressed else FACE_UP),
        rect(0, 0, w - 1, 1, top_left),
        rect(0, 0, 1, HEIGHT - 1, top_left),
        rect(0, HEIGHT - 1, w, 1, bottom_right),
        rect(w - 1, 0, 1, HEIGHT, bottom_right),
    ]


def face_svg(name, glyph, pressed):
    w = WIDE.get(name, 23)
    body = "\n".join("  " + e for e in glyph())
    if pressed:
        body = f'  <g transform="translate(1,1)">\n{body}\n  </g>'
    frame = "\n".join("  " + e for e in bevel(w, pressed))
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="{w}" height="{HEIGHT}" '
            f'viewBox="0 0 {w} {HEIGHT}">\n'
            f"  <!-- {name} {'pressed' if pressed else 'normal'} face; written by make_faces.py -->\n"
            f"{frame}\n{body}\n</svg>\n")


def write(path_, text_):
    with open(path_, "w", encoding="utf-8", newline="\n") as f:
        f.write(text_)


def main():
    files = []
    for name, glyph in BUTTONS:
        for pressed, suffix in ((False, "Up"), (True, "Dn")):
            file_name = f"{name}{suffix}.svg"
            write(os.path.join(HERE, file_name), face_svg(name, glyph, pressed))
            files.append(file_name)
    entries = "\n".join(f'        <file alias="{f}">faces/{f}</file>' for f in files)
    write(os.path.join(HERE, "..", "faces.qrc"),
          '<!DOCTYPE RCC>\n<RCC version="1.0">\n    <qresource prefix="/faces">\n'
          f"{entries}\n    </qresource>\n</RCC>\n")
    print(f"{len(files)} faces written")


if __name__ == "__main__":
    main()
