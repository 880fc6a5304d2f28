#!/usr/bin/python3
"""Draws every picture of Lumesca into one folder.

    /usr/bin/python3 tools/draw_assets.py OUTDIR

Writes the two window backgrounds (baseline JPEG), the three skin masks
(24-bit bottom-up BMP), the button pictures (GIF89a with one transparent
colour), the pointing-hand cursor (.cur) and the window icon (.ico).

The output is deterministic: nothing depends on time, randomness or the
order of a dictionary, so two runs give identical bytes. The results are
committed under assets/ and compiled into the program as a GResource; the
assets_reproducible test regenerates them and compares byte for byte.

Needs Debian's python3-pil and the fonts of fonts-dejavu and
fonts-liberation.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype"
BUTTON_FONT = FONT_DIR + "/liberation/LiberationSerif-Bold.ttf"
PRODUCT_NAME_FONT = FONT_DIR + "/dejavu/DejaVuSerifCondensed-BoldItalic.ttf"

# Text and anti-aliased shapes are drawn this many times larger, then
# averaged down, which gives smooth edges on exact pixel rows.
OVERSAMPLE = 8

KEY_GREEN = (0, 255, 0)
FIELD_BLUE = (0, 128, 255)


# ---------------------------------------------------------------------------
# Small helpers


def lerp(a, b, t):
    """Colour between a (t = 0) and b (t = 1), rounded to integers."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def gradient(stops, d):
    """Colour at distance d along a list of (distance, colour) stops."""
    if d <= stops[0][0]:
        return stops[0][1]
    for (d0, c0), (d1, c1) in zip(stops, stops[1:]):
        if d <= d1:
            return lerp(c0, c1, (d - d0) / (d1 - d0))
    return stops[-1][1]


def expand_runs(height, spans):
    """Turns (first_row, last_row, first_x, last_x) spans into one entry per
    row: None for a row without a run, else (first_x, last_x) inclusive."""
    rows = [None] * height
    for first_row, last_row, first_x, last_x in spans:
        for y in range(first_row, last_row + 1):
            rows[y] = (first_x, last_x)
    return rows


def coverage_from_oversampled(layer):
    """Averages an oversampled 'L' layer down to one coverage value 0..1 per
    pixel, as a list of rows."""
    small = layer.reduce(OVERSAMPLE)
    w, h = small.size
    data = list(small.getdata())
    return [[data[y * w + x] / 255.0 for x in range(w)] for y in range(h)]


# ---------------------------------------------------------------------------
# Skin masks: 24-bit BMP, bottom-up, pure green outside the outline


# Runs of the narrow mask (300 x 300). The wide mask has the same rows with
# every run 176 px longer to the right.
NARROW_MASK_SPANS = [
    (2, 2, 14, 285), (3, 3, 11, 288), (4, 4, 9, 289), (5, 5, 8, 291),
    (6, 6, 7, 292), (7, 7, 6, 293), (8, 8, 5, 294), (9, 9, 4, 294),
    (10, 10, 4, 295), (11, 11, 3, 295), (12, 13, 3, 296), (14, 281, 2, 296),
    (282, 282, 2, 297), (283, 285, 2, 296), (286, 286, 3, 296),
    (287, 288, 3, 295), (289, 289, 4, 294), (290, 290, 5, 294),
    (291, 291, 5, 293), (292, 292, 6, 292), (293, 293, 7, 291),
    (294, 294, 8, 290), (295, 295, 10, 288), (296, 296, 12, 286),
    (297, 297, 17, 282),
]
WIDE_EXTRA_COLUMNS = 176

COMPANION_MASK_SPANS = [
    (2, 2, 14, 461), (3, 3, 11, 464), (4, 4, 9, 465), (5, 6, 8, 467),
    (7, 7, 7, 468), (8, 8, 6, 469), (9, 10, 5, 470), (11, 12, 4, 471),
    (13, 14, 3, 471), (15, 16, 3, 472), (17, 352, 2, 472), (353, 355, 2, 473),
    (356, 359, 2, 472), (360, 360, 3, 472), (361, 363, 3, 471),
    (364, 364, 4, 470), (365, 365, 5, 470), (366, 366, 5, 469),
    (367, 368, 6, 468), (369, 369, 7, 467), (370, 370, 8, 466),
    (371, 372, 10, 464), (373, 374, 17, 458),
]

MAIN_EDGE_BLUES = [(32, 32, 111), (64, 64, 158), (96, 96, 205)]
MAIN_ODD_BLUE = (16, 112, 240)
COMPANION_FILL = (128, 128, 252)


def write_bmp24(path, pixels):
    """Writes rows of RGB tuples (top row first) as an uncompressed 24-bit
    BMP with a BITMAPINFOHEADER and a positive height (rows bottom-up)."""
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    image_size = stride * height
    offset = 14 + 40
    out = bytearray()
    out += struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    # 2835 pixels per metre is 72 dots per inch.
    out += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size,
                       2835, 2835, 0, 0)
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        out += row
    with open(path, "wb") as f:
        f.write(out)


def blank_mask(width, height):
    return [[KEY_GREEN] * width for _ in range(height)]


def main_mask_pixels(width, rows, bottom_dark_span):
    """Pixels of a main window mask: the blue field inside the runs, darker
    blues at the ends of the rows that bend round a corner, a dark bottom
    row over bottom_dark_span, and one odd blue pixel."""
    pixels = blank_mask(width, len(rows))
    straight = (2, width - 4)
    for y, run in enumerate(rows):
        if run is None:
            continue
        first, last = run
        for x in range(first, last + 1):
            pixels[y][x] = FIELD_BLUE
        if run != straight:
            # The end pixels are darker the further the row is pulled in.
            left_indent = first - straight[0]
            right_indent = straight[1] - last
            pixels[y][first] = MAIN_EDGE_BLUES[0 if left_indent >= 3 else 1]
            if right_indent < 0:
                pixels[y][last] = MAIN_EDGE_BLUES[2]
            else:
                pixels[y][last] = MAIN_EDGE_BLUES[0 if right_indent >= 3 else 1]
    bottom_y = max(y for y, run in enumerate(rows) if run is not None)
    for x in range(bottom_dark_span[0], bottom_dark_span[1] + 1):
        pixels[bottom_y][x] = MAIN_EDGE_BLUES[1]
    pixels[100][40] = MAIN_ODD_BLUE
    return pixels


def companion_mask_pixels(width, rows):
    """Pixels of the companion mask: a violet-blue fill, a green top row,
    corners that shade into green, three shaded bottom rows and a few edge
    pixels that come within a few units of the key colour."""
    pixels = blank_mask(width, len(rows))
    straight = (2, width - 4)
    corner_green = (41, 212, 82)
    for y, run in enumerate(rows):
        if run is None:
            continue
        first, last = run
        for x in range(first, last + 1):
            pixels[y][x] = COMPANION_FILL
        if run == straight:
            continue
        # Soften the ends of the corner rows: the deeper the row is pulled
        # in, the greener its last few pixels.
        indent = max(first - straight[0], straight[1] - last, 1)
        strength = min(1.0, (indent + 2) / 14.0)
        for step, share in enumerate((0.9, 0.55, 0.25)):
            t = strength * share
            pixels[y][first + step] = lerp(COMPANION_FILL, corner_green, t)
            pixels[y][last - step] = lerp(COMPANION_FILL, corner_green, t * 0.9)
    for x in range(14, 462):
        pixels[2][x] = corner_green
    for x in range(10, 465):
        pixels[372][x] = (137, 117, 249)
    for x in range(17, 459):
        pixels[373][x] = (84, 170, 165)
    for x in range(17, 459):
        pixels[374][x] = (13, 240, 27) if x <= 312 else (5, 232, 15)
    pixels[374][17] = (40, 214, 60)
    pixels[374][313] = (9, 236, 21)
    pixels[374][458] = (36, 210, 58)
    near_green = {
        (10, 372): (0, 253, 0), (11, 372): (0, 254, 1),
        (463, 372): (0, 254, 1), (464, 372): (0, 253, 1),
        (467, 5): (0, 250, 1), (471, 11): (0, 251, 1),
    }
    for (x, y), colour in sorted(near_green.items()):
        pixels[y][x] = colour
    return pixels


def draw_skin_masks(outdir):
    narrow_rows = expand_runs(300, NARROW_MASK_SPANS)
    wide_rows = [None if r is None else (r[0], r[1] + WIDE_EXTRA_COLUMNS)
                 for r in narrow_rows]
    companion_rows = expand_runs(376, COMPANION_MASK_SPANS)
    write_bmp24(os.path.join(outdir, "narrow_mask.bmp"),
                main_mask_pixels(300, narrow_rows, (17, 282)))
    write_bmp24(os.path.join(outdir, "wide_mask.bmp"),
                main_mask_pixels(476, wide_rows, (314, 457)))
    write_bmp24(os.path.join(outdir, "companion_mask.bmp"),
                companion_mask_pixels(476, companion_rows))


# ---------------------------------------------------------------------------
# Window backgrounds: baseline JPEG, blue field inside a green-to-blue rim


MAIN_RIM = {
    "top": [(0, (90, 140, 25)), (2, (90, 140, 25)), (4.5, (80, 125, 110)),
            (12, FIELD_BLUE)],
    "bottom": [(0, (0, 80, 0)), (2, (0, 80, 0)), (4.5, (10, 60, 120)),
               (8, (0, 95, 200)), (12, FIELD_BLUE)],
}
MAIN_RIM["left"] = MAIN_RIM["top"]
MAIN_RIM["right"] = MAIN_RIM["bottom"]

COMPANION_RIM = {
    "top": [(0, (88, 150, 30)), (2, (88, 150, 30)), (5, (80, 125, 112)),
            (13, FIELD_BLUE)],
    "left": [(0, (88, 150, 30)), (2, (88, 150, 30)), (5, (80, 125, 112)),
             (13, FIELD_BLUE)],
    "right": [(0, (0, 86, 8)), (2, (0, 86, 8)), (5, (8, 62, 124)),
              (9, (0, 96, 202)), (13.5, FIELD_BLUE)],
    "bottom": [(0, (3, 66, 19)), (2, (3, 66, 19)), (5, (10, 55, 115)),
               (9, (0, 92, 196)), (13.5, FIELD_BLUE)],
}

# The outer edge of the rim is a rounded rectangle the size of the picture;
# inset by the two pixels that the masks cut away it follows their corners.
RIM_CORNER_RADIUS = 14.0


def rim_colour(x, y, width, height, rim):
    """Colour of pixel (x, y): the blue field, or the rim shaded by the
    distance from the picture's rounded outer edge, blended between the
    edges' shadings by the direction of that edge."""
    r = RIM_CORNER_RADIUS
    px, py = x + 0.5, y + 0.5
    vx = px - min(max(px, r), width - r)
    vy = py - min(max(py, r), height - r)
    length = math.hypot(vx, vy)
    if length == 0:
        return FIELD_BLUE  # deeper than the corner radius: inside the field
    d = max(0.0, r - length)
    nx, ny = vx / length, vy / length
    weights = {"left": max(0.0, -nx), "right": max(0.0, nx),
               "top": max(0.0, -ny), "bottom": max(0.0, ny)}
    total = sum(weights.values())
    colour = [0.0, 0.0, 0.0]
    for side in ("top", "left", "bottom", "right"):
        c = gradient(rim[side], d)
        for i in range(3):
            colour[i] += c[i] * weights[side] / total
    return tuple(int(round(v)) for v in colour)


def rim_picture(width, height, rim):
    im = Image.new("RGB", (width, height))
    im.putdata([rim_colour(x, y, width, height, rim)
                for y in range(height) for x in range(width)])
    return im


def draw_product_name(im, text, left, right, cap_top, cap_height, colour):
    """Writes text so that its capitals are cap_height px high from row
    cap_top and its ink spans columns left..right, smoothed into the
    picture."""
    s = OVERSAMPLE
    size = font_size_for_cap_height(PRODUCT_NAME_FONT, text[0], cap_height * s)
    font = ImageFont.truetype(PRODUCT_NAME_FONT, size)
    x0, y0, x1, y1 = font.getbbox(text, anchor="ls")
    layer = Image.new("L", (x1 - x0, y1 - y0), 0)
    ImageDraw.Draw(layer).text((-x0, -y0), text, fill=255, font=font, anchor="ls")
    # Fit the ink exactly to the wanted columns; the height stays.
    layer = layer.resize(((right - left + 1) * s, y1 - y0), Image.BOX)
    canvas = Image.new("L", (im.width * s, im.height * s), 0)
    canvas.paste(layer, (left * s, cap_top * s))
    coverage = coverage_from_oversampled(canvas)
    pixels = im.load()
    for y in range(im.height):
        for x in range(im.width):
            a = coverage[y][x]
            if a > 0:
                pixels[x, y] = lerp(pixels[x, y], colour, a)


def save_baseline_jpeg(im, path):
    im.save(path, "JPEG", quality=92, subsampling=0, optimize=False,
            progressive=False)


def draw_backgrounds(outdir):
    main = rim_picture(476, 300, MAIN_RIM)
    draw_product_name(main, "Lumesca", left=100, right=157, cap_top=276,
                      cap_height=10, colour=(200, 190, 0))
    save_baseline_jpeg(main, os.path.join(outdir, "main_background.jpg"))
    save_baseline_jpeg(rim_picture(476, 376, COMPANION_RIM),
                       os.path.join(outdir, "companion_background.jpg"))


# ---------------------------------------------------------------------------
# Button pictures: GIF89a, 24 px high, bevelled frame, transparent corners


BUTTON_HEIGHT = 24
TRANSPARENT = (153, 255, 0)
BLACK = (0, 0, 0)
LIGHT_CYAN = (0, 255, 255)
BLUE = (0, 0, 255)
FACE = (0, 153, 255)
PALE_YELLOW = (255, 255, 153)
INK_LEVELS = 16  # distinct smoothing steps between face and letters

BUTTON_CAP_TOP = 8  # capitals fill rows 8..15
BUTTON_CAP_HEIGHT = 8
BUTTON_INK_ROWS = (8, 18)  # descenders end at row 18 at the latest


def button_frame(width):
    """Rows of colours of the empty button: black outline with clipped
    corners, light cyan top-left bevel, blue bottom-right bevel, face."""
    w = width
    rows = []
    for y in range(BUTTON_HEIGHT):
        row = []
        for x in range(w):
            if y in (0, 23):
                c = BLACK if 2 <= x <= w - 3 else TRANSPARENT
            elif y == 1:
                c = (TRANSPARENT if x in (0, w - 1) else
                     BLACK if x in (1, w - 2) else LIGHT_CYAN)
            elif y == 2:
                c = (BLACK if x in (0, w - 1) else
                     BLUE if x in (w - 3, w - 2) else LIGHT_CYAN)
            elif y <= 20:
                c = (BLACK if x in (0, w - 1) else
                     LIGHT_CYAN if x in (1, 2) else
                     BLUE if x in (w - 3, w - 2) else FACE)
            elif y == 21:
                c = (BLACK if x in (0, w - 1) else
                     LIGHT_CYAN if x in (1, 2) else BLUE)
            else:  # y == 22
                c = (TRANSPARENT if x in (0, w - 1) else
                     BLACK if x in (1, w - 2) else BLUE)
            row.append(c)
        rows.append(row)
    return rows


def font_size_for_cap_height(font_path, letter, cap_height):
    """Smallest font size whose letter is exactly cap_height px tall."""
    size = cap_height
    while True:
        top = ImageFont.truetype(font_path, size).getbbox(letter, anchor="ls")[1]
        if -top >= cap_height:
            return size
        size += 1


def ink_level(coverage):
    """Smoothing step 0..INK_LEVELS of a coverage 0..1; 0 leaves the face."""
    return int(round(coverage * INK_LEVELS))


def clip(cov, rows, columns):
    """Drops coverage outside rows[0]..rows[1] and columns[0]..columns[1]."""
    return [[v if rows[0] <= y <= rows[1] and columns[0] <= x <= columns[1] else 0.0
             for x, v in enumerate(row)] for y, row in enumerate(cov)]


def word_coverage(width, word):
    """Coverage of the word on a button of the given width, centred on the
    face: capitals on rows 8..15, nothing outside rows 8..18."""
    s = OVERSAMPLE
    size = font_size_for_cap_height(BUTTON_FONT, "H", BUTTON_CAP_HEIGHT * s)
    font = ImageFont.truetype(BUTTON_FONT, size)
    baseline = (BUTTON_CAP_TOP + BUTTON_CAP_HEIGHT) * s
    layer = Image.new("L", (width * s, BUTTON_HEIGHT * s), 0)
    ImageDraw.Draw(layer).text((0, baseline), word, fill=255, font=font, anchor="ls")
    cov = clip(coverage_from_oversampled(layer), BUTTON_INK_ROWS, (0, width - 1))
    # Shift by whole pixels so the visible ink has equal margins on the face.
    inked = [x for x in range(width) if any(ink_level(row[x]) > 0 for row in cov)]
    face_first, face_last = 3, width - 4
    spare = (face_last - face_first + 1) - (inked[-1] - inked[0] + 1)
    shift = face_first + spare // 2 - inked[0]
    return [[row[x - shift] if 0 <= x - shift < width else 0.0 for x in range(width)]
            for row in cov]


def chevrons_coverage(width, pointing_right):
    """Coverage of two chevrons on rows 9..15 over columns 7..23."""
    s = OVERSAMPLE
    layer = Image.new("L", (width * s, BUTTON_HEIGHT * s), 0)
    draw = ImageDraw.Draw(layer)
    top, bottom, middle = 9.0, 16.0, 12.5  # pixel edges of rows 9..15
    stroke, depth = 3.0, 3.5
    for left in (7.0, 24.0 - stroke - depth):
        outline = [(left, top), (left + stroke, top), (left + stroke + depth, middle),
                   (left + stroke, bottom), (left, bottom), (left + depth, middle)]
        draw.polygon([(x * s, y * s) for x, y in outline], fill=255)
    # The rasteriser fills the polygon's closing edges too; keep the glyph
    # within its own rows and columns.
    cov = clip(coverage_from_oversampled(layer), (9, 15), (7, 23))
    if not pointing_right:
        # Mirror within columns 7..23 so both arrows cover the same place.
        cov = [[row[30 - x] if 7 <= x <= 23 else 0.0 for x in range(width)]
               for row in cov]
    return cov


def button_picture(width, coverage):
    """Frame plus glyphs smoothed from the face colour into pale yellow."""
    rows = button_frame(width)
    for y in range(3, 21):
        for x in range(3, width - 3):
            level = ink_level(coverage[y][x])
            if level > 0:
                rows[y][x] = lerp(FACE, PALE_YELLOW, level / INK_LEVELS)
    return rows


def write_gif(path, rows):
    """Writes rows of colours as a GIF89a whose palette starts with the
    transparent colour (index 0, named in the Graphic Control Extension),
    followed by the frame colours and then the smoothing steps."""
    fixed = [TRANSPARENT, BLACK, LIGHT_CYAN, BLUE, FACE, PALE_YELLOW]
    others = sorted({c for row in rows for c in row} - set(fixed))
    palette = fixed + others
    index = {c: i for i, c in enumerate(palette)}
    height, width = len(rows), len(rows[0])
    im = Image.new("P", (width, height))
    im.putpalette([v for c in palette for v in c])
    im.putdata([index[c] for row in rows for c in row])
    im.save(path, "GIF", transparency=0, optimize=False)


BUTTON_WORDS = [
    ("button_mixer.gif", 48, "Mixer"),
    ("button_tools.gif", 72, "Outils/Aide"),
    ("button_quit.gif", 56, "Quitter"),  # the same picture in both windows
    ("button_news.gif", 56, "News"),
    ("button_listing.gif", 56, "Listing"),
    ("button_help.gif", 56, "Aide"),
    ("button_links.gif", 56, "Liens"),
    ("button_add.gif", 56, "Ajouter"),
]


def draw_buttons(outdir):
    for name, width, word in BUTTON_WORDS:
        write_gif(os.path.join(outdir, name),
                  button_picture(width, word_coverage(width, word)))
    for name, right in (("button_open_menu.gif", True), ("button_close_menu.gif", False)):
        write_gif(os.path.join(outdir, name),
                  button_picture(32, chevrons_coverage(32, right)))


# ---------------------------------------------------------------------------
# Cursor and icon: Windows .cur / .ico, one 32 x 32 image each


def icon_file(kind, field_a, field_b, color_count, bit_count, palette, xor_rows, and_rows):
    """One-image .ico (kind 1) or .cur (kind 2). For an icon field_a and
    field_b are planes and bit count, for a cursor the hotspot x and y.
    xor_rows hold palette indices, and_rows 1 where the pixel is
    transparent; both top row first (stored bottom-up)."""
    size = len(xor_rows)

    def pack_rows(rows, bits):
        out = bytearray()
        for row in reversed(rows):
            packed = bytearray()
            acc, n = 0, 0
            for v in row:
                acc = (acc << bits) | v
                n += bits
                if n == 8:
                    packed.append(acc)
                    acc, n = 0, 0
            packed += b"\0" * ((-len(packed)) % 4)
            out += packed
        return out

    xor_bytes = pack_rows(xor_rows, bit_count)
    and_bytes = pack_rows(and_rows, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(xor_bytes) + len(and_bytes), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image = header + pal + xor_bytes + and_bytes
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", size, size, color_count, 0, field_a, field_b,
                        len(image), 6 + 16)
    return directory + entry + image


def parse_columns(text):
    """'12, 15..24' -> [12, 15, 16, ..., 24]; 'none' -> []."""
    if text == "none":
        return []
    cols = []
    for part in text.split(","):
        part = part.strip()
        if ".." in part:
            a, b = part.split("..")
            cols.extend(range(int(a), int(b) + 1))
        else:
            cols.append(int(part))
    return cols


# rows, black columns, white columns; every other pixel is transparent.
POINTING_HAND = [
    ("7", "12..15", "none"),
    ("8..11", "12, 15", "13..14"),
    ("12", "12, 15..24", "13..14"),
    ("13", "9..12, 15, 18, 21, 24", "13..14, 16..17, 19..20, 22..23"),
    ("14..16", "9, 12, 15, 18, 21, 24", "10..11, 13..14, 16..17, 19..20, 22..23"),
    ("17", "9, 12, 24", "10..11, 13..23"),
    ("18", "9, 24", "10..23"),
    ("19..20", "10, 24", "11..23"),
    ("21", "11, 24", "12..23"),
    ("22..23", "11..24", "none"),
    ("24", "12..23", "none"),
]
HOTSPOT = (13, 7)


def draw_cursor(outdir):
    transparent, black, white = None, 0, 1
    grid = [[transparent] * 32 for _ in range(32)]
    for rows, blacks, whites in POINTING_HAND:
        for y in parse_columns(rows):
            for x in parse_columns(blacks):
                grid[y][x] = black
            for x in parse_columns(whites):
                grid[y][x] = white
    xor_rows = [[0 if v is None else v for v in row] for row in grid]
    and_rows = [[1 if v is None else 0 for v in row] for row in grid]
    data = icon_file(2, HOTSPOT[0], HOTSPOT[1], 2, 1, [(0, 0, 0), (255, 255, 255)],
                     xor_rows, and_rows)
    with open(os.path.join(outdir, "pointing_hand.cur"), "wb") as f:
        f.write(data)


# The standard 16-colour Windows palette, in its usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
K, GREY, SILVER, RED, CYAN, WHITE = 0, 8, 7, 9, 14, 15


def television(grid):
    """Draws the television set into a 32 x 32 grid of palette indices
    (None = transparent)."""

    def put(x, y, c):
        grid[y][x] = c

    def fill(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, c)

    def line(x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            put(int(round(x0 + (x1 - x0) * i / steps)),
                int(round(y0 + (y1 - y0) * i / steps)), c)

    # Antenna: two rods from the middle of the cabinet's top to the corners.
    line(15, 8, 1, 0, K)
    line(16, 8, 30, 0, K)
    # Cabinet: black box, white highlight top and left, grey shade bottom
    # and right, light grey body.
    fill(1, 9, 30, 29, K)
    fill(2, 10, 29, 28, SILVER)
    fill(2, 10, 29, 10, WHITE)
    fill(2, 10, 2, 28, WHITE)
    fill(3, 28, 29, 28, GREY)
    fill(29, 11, 29, 28, GREY)
    # Feet.
    fill(4, 30, 6, 30, K)
    fill(25, 30, 27, 30, K)
    # Screen on the left two thirds: black frame, dark grey inner frame,
    # stripes of white and light cyan.
    fill(4, 12, 21, 26, K)
    fill(5, 13, 20, 25, GREY)
    for y in range(14, 25):
        fill(6, y, 19, y, WHITE if y % 2 == 0 else CYAN)
    # Control panel: two round red knobs, one above the other.
    for top in (12, 17):
        fill(24, top, 26, top + 3, K)
        fill(23, top + 1, 27, top + 2, K)
        fill(24, top + 1, 26, top + 2, RED)
        put(24, top + 1, WHITE)  # glint
    # A column of small grey buttons below the knobs.
    for y in (22, 24, 26):
        fill(24, y, 26, y, GREY)
        put(26, y, K)


def draw_icon(outdir):
    grid = [[None] * 32 for _ in range(32)]
    television(grid)
    xor_rows = [[0 if v is None else v for v in row] for row in grid]
    and_rows = [[1 if v is None else 0 for v in row] for row in grid]
    data = icon_file(1, 1, 4, 16, 4, VGA16, xor_rows, and_rows)
    with open(os.path.join(outdir, "window_icon.ico"), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_assets.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    draw_backgrounds(outdir)
    draw_skin_masks(outdir)
    draw_buttons(outdir)
    draw_cursor(outdir)
    draw_icon(outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
