"""Checks the installed theme icons against the window icon they are made from.

    check_icons.py WINDOW_ICON.ico PREFIX APP_ID SIZE...

Each share/icons/hicolor/NxN/apps/APP_ID.png must be an N x N PNG with an alpha channel. The
one at the window icon's own size must hold the icon's pixels exactly; every other one must be
the icon scaled by nearest neighbour, so no blurred in-between colours appear: each pixel a
copy of the source pixel under its centre or, as gdk-pixbuf samples, under its top-left
corner (the two agree for whole-number factors). Fully transparent pixels compare equal whatever
colour they store. The .ico is decoded here by Pillow, independently of the tool that drew the
PNG files.
"""

import sys

from PIL import Image


def rgba_pixels(image):
    rgba = image.convert("RGBA")
    width, height = rgba.size
    data = list(rgba.getdata())
    return [data[y * width : (y + 1) * width] for y in range(height)]


def same_pixel(a, b):
    return a == b or (a[3] == 0 and b[3] == 0)


# Index of the source pixel that pixel `index` of a `size`-pixel row copies, by where it samples.
SAMPLINGS = {
    "pixel centres": lambda index, size, source_size: (2 * index + 1) * source_size // (2 * size),
    "pixel corners": lambda index, size, source_size: index * source_size // size,
}


def differences(pixels, size, source, source_size, nearest_source):
    return [
        (x, y)
        for y in range(size)
        for x in range(size)
        if not same_pixel(
            pixels[y][x],
            source[nearest_source(y, size, source_size)][nearest_source(x, size, source_size)],
        )
    ]


def check_icon(path, size, source, source_size):
    problems = []
    with Image.open(path) as image:
        if image.format != "PNG":
            return [f"{path}: not a PNG file but {image.format}"]
        if image.size != (size, size):
            return [f"{path}: {image.size[0]} x {image.size[1]} px, expected {size} x {size}"]
        if "A" not in image.getbands() and "transparency" not in image.info:
            problems.append(f"{path}: no transparency, the icon's surroundings would be opaque")
        pixels = rgba_pixels(image)
    wrong = {
        name: differences(pixels, size, source, source_size, sampling)
        for name, sampling in SAMPLINGS.items()
    }
    name, closest = min(wrong.items(), key=lambda item: len(item[1]))
    if closest:
        x, y = closest[0]
        problems.append(
            f"{path}: {len(closest)} pixels differ from the nearest-neighbour scaling of the"
            f" window icon sampled at {name}, first at ({x}, {y}): {pixels[y][x]}"
        )
    return problems


def main(argv):
    ico, prefix, app_id, *sizes = argv[1:]
    with Image.open(ico) as image:
        if image.size[0] != image.size[1]:
            print(f"{ico}: the window icon is not square", file=sys.stderr)
            return 1
        source_size = image.size[0]
        source = rgba_pixels(image)
    if str(source_size) not in sizes:
        print(f"no theme icon at the window icon's own size {source_size}", file=sys.stderr)
        return 1
    opaque = sum(p[3] != 0 for row in source for p in row)
    if not 0 < opaque < source_size * source_size:
        print(f"{ico}: expected both opaque and transparent pixels, {opaque} opaque", file=sys.stderr)
        return 1

    problems = []
    for size in map(int, sizes):
        path = f"{prefix}/share/icons/hicolor/{size}x{size}/apps/{app_id}.png"
        try:
            problems += check_icon(path, size, source, source_size)
        except OSError as error:
            problems.append(f"{path}: {error}")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
