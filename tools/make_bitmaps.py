#!/usr/bin/python3
"""Draws every picture Tavune ships and writes it under res/.

    res/tiles48.bmp ... res/tiles16.bmp   board tile sheets, 10 x 3 cells each
    res/col_labels.bmp, res/row_labels.bmp label strips, drawn for 48 px cells
    res/col_labels144.bmp, ...            the same drawn for 144 px cells, the
                                           program's master for other sizes
    res/toolbar.bmp                        next-move buttons, raised and pressed
    res/tavune.ico                         program icon, eight images

Run from anywhere with Debian's python3 and python3-pil:

    /usr/bin/python3 tools/make_bitmaps.py

The output is byte-for-byte the same on every run with the same fonts.
Everything is drawn here; nothing is read but the fonts.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")

FONT_DIGITS = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
FONT_KANJI = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"

# Board colours. One flat wood colour: the painter copies tiles edge to edge
# and scales the label strips, so any texture would show seams or repeat
# visibly every cell.
WOOD = (222, 182, 98)
LINE = (40, 30, 20)
INK = (48, 32, 18)

# Stones, dots and glyphs are drawn this many times larger and box-filtered
# down, which gives exact area coverage and leaves untouched pixels exact.
SS = 8

CELL_SIZES = (48, 40, 32, 24, 16)

# Grid line width per cell size: near the 1:22 of a real board, rounded to
# whole pixels so that every line stays crisp.
LINE_WIDTH = {48: 2, 40: 2, 32: 1, 24: 1, 16: 1}

STONE_DIAMETER = 0.94  # of the cell


# --------------------------------------------------------------------------
# Output formats


def write_bmp(path, img):
    """Writes img as a 24-bit, bottom-up, uncompressed BMP."""
    img = img.convert("RGB")
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    raw = img.tobytes("raw", "BGR")
    pad = b"\0" * (stride - w * 3)
    rows = [raw[y * w * 3:(y + 1) * w * 3] + pad for y in range(h - 1, -1, -1)]
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels),
                       3780, 3780, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0,
                       14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + pixels)


def ico_image(rgba, bits, palette=None, indices=None):
    """One icon image: BITMAPINFOHEADER, colour table, XOR bitmap, AND mask.

    rgba gives the shape (alpha 0 is transparent, anything else opaque) and,
    for 24 bits, the colours. For 4 and 8 bits, palette is a list of RGB
    triples and indices an "L" image of palette indices.
    """
    w, h = rgba.size
    alpha = rgba.getchannel("A")
    xor_stride = ((w * bits + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):
        opaque = [alpha.getpixel((x, y)) >= 128 for x in range(w)]
        if bits == 24:
            row = bytearray()
            for x in range(w):
                r, g, b, _ = rgba.getpixel((x, y))
                row += bytes((b, g, r)) if opaque[x] else b"\0\0\0"
        else:
            idx = [indices.getpixel((x, y)) if opaque[x] else 0
                   for x in range(w)]
            row = bytearray()
            if bits == 8:
                row += bytes(idx)
            else:
                for x in range(0, w, 2):
                    row.append((idx[x] << 4) | (idx[x + 1] if x + 1 < w else 0))
        row += b"\0" * (xor_stride - len(row))
        xor_rows.append(bytes(row))
        mask = bytearray(and_stride)
        for x in range(w):
            if not opaque[x]:
                mask[x >> 3] |= 0x80 >> (x & 7)
        and_rows.append(bytes(mask))
    data = b"".join(xor_rows) + b"".join(and_rows)
    colours = b""
    if bits <= 8:
        table = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
        colours = b"".join(struct.pack("<BBBB", b, g, r, 0)
                           for r, g, b in table)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, len(data),
                         0, 0, 0, 0)
    return header + colours + data


def write_rle8_bmp(path, mask):
    """Writes an L mask as an 8-bit BMP with BI_RLE8 coding, bottom-up.

    Palette entry i is wood under ink of coverage i / 255, so the index of
    every pixel is its coverage.
    """
    w, h = mask.size
    raw = mask.tobytes()
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = raw[y * w:(y + 1) * w]
        x = 0
        while x < w:
            n = 1
            while x + n < w and n < 255 and row[x + n] == row[x]:
                n += 1
            if n >= 2:
                out += bytes((n, row[x]))
                x += n
                continue
            # Absolute mode for three or more pixels without a repeat.
            end = x
            while (end < w and end - x < 255 and
                   not (end + 1 < w and row[end + 1] == row[end])):
                end += 1
            if end - x < 3:
                out += bytes((1, row[x]))
                x += 1
                continue
            out += bytes((0, end - x)) + row[x:end]
            if (end - x) % 2:
                out += b"\0"
            x = end
        out += b"\0\0"
    out[-1] = 1  # the last end of line becomes the end of the bitmap
    palette = b"".join(
        struct.pack("<BBBB", *(round((i * INK[k] + (255 - i) * WOOD[k]) / 255)
                               for k in (2, 1, 0)), 0)
        for i in range(256))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, len(out),
                       3780, 3780, 256, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(out), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + palette + bytes(out))


def write_ico(path, images):
    """images: list of (width, height, bits, blob) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for w, h, bits, blob in images:
        colour_count = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, colour_count, 0,
                               1, bits, len(blob), offset + len(blobs))
        blobs += blob
    with open(path, "wb") as f:
        f.write(out + entries + blobs)


# --------------------------------------------------------------------------
# Stones


def _stone_pixel(colour, nx, ny):
    """Shaded colour of a stone at (nx, ny) in the unit disk, y pointing down.

    The stone is treated as a flattened lens lit from the upper left and
    slightly in front, the way a lamp over the board shows it.
    """
    r2 = nx * nx + ny * ny
    nz = math.sqrt(max(0.0, 1.0 - r2)) * 1.6 + 0.25
    n = math.sqrt(nx * nx + ny * ny + nz * nz)
    nx, ny, nz = nx / n, ny / n, nz / n
    lx, ly, lz = -0.45, -0.55, 0.70
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    diffuse = max(0.0, (nx * lx + ny * ly + nz * lz) / ln)
    # Half vector between light and the viewer (0, 0, 1).
    hx, hy, hz = lx / ln, ly / ln, lz / ln + 1.0
    hn = math.sqrt(hx * hx + hy * hy + hz * hz)
    shine = max(0.0, (nx * hx + ny * hy + nz * hz) / hn)
    if colour == "black":
        # Slate: matte, a broad soft sheen toward the light.
        v = 14 + 40 * shine ** 10 + 62 * shine ** 60 + 10 * diffuse
        return (v, v, v * 1.04 + 2)
    # Shell: bright, falling to a cool grey on the side away from the light.
    v = 150 + 95 * diffuse ** 0.6 + 12 * shine ** 40
    edge = min(1.0, max(0.0, (math.sqrt(r2) - 0.90) / 0.10))
    v = v * (1 - 0.18 * edge)  # faint outline so white reads on light wood
    return (v, v * 0.995, v * 0.965)


def stone_layer(size, colour, diameter, cx=None, cy=None):
    """RGBA image size x size (supersampled by SS) holding one stone."""
    big = size * SS
    cx = size / 2 if cx is None else cx
    cy = size / 2 if cy is None else cy
    r = diameter / 2 * SS
    bcx, bcy = cx * SS, cy * SS
    layer = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    px = layer.load()
    x0 = max(0, int(bcx - r) - 1)
    x1 = min(big, int(bcx + r) + 2)
    y0 = max(0, int(bcy - r) - 1)
    y1 = min(big, int(bcy + r) + 2)
    for y in range(y0, y1):
        ny = (y + 0.5 - bcy) / r
        for x in range(x0, x1):
            nx = (x + 0.5 - bcx) / r
            if nx * nx + ny * ny <= 1.0:
                c = _stone_pixel(colour, nx, ny)
                px[x, y] = (int(round(min(255, c[0]))),
                            int(round(min(255, c[1]))),
                            int(round(min(255, c[2]))), 255)
    return layer


def composite_big(base, layer):
    """Composites a supersampled layer over base and brings it back down.

    base is scaled up by pixel replication, so wherever the layer is empty
    the box filter returns base's own pixels unchanged.
    """
    w, h = base.size
    big = base.convert("RGBA").resize((w * SS, h * SS), Image.NEAREST)
    big.alpha_composite(layer)
    return big.resize((w, h), Image.BOX).convert("RGB")


# --------------------------------------------------------------------------
# Board tiles


def line_span(c, w):
    """First pixel and end of a w-pixel line through the middle of a cell.

    The cell's centre lies between pixels c/2 - 1 and c/2, so a 2-pixel
    line is exactly centred and a 1-pixel line takes pixel c/2.
    """
    start = c // 2 - w // 2
    return start, start + w


def empty_tile(c, side, row):
    """side, row: 0 first (left, top), 1 middle, 2 last (right, bottom)."""
    w = LINE_WIDTH[c]
    lo, hi = line_span(c, w)
    img = Image.new("RGB", (c, c), WOOD)
    d = ImageDraw.Draw(img)
    # Horizontal line: stops at the centre on the board's left and right edge.
    x0 = lo if side == 0 else 0
    x1 = hi if side == 2 else c
    d.rectangle([x0, lo, x1 - 1, hi - 1], fill=LINE)
    y0 = lo if row == 0 else 0
    y1 = hi if row == 2 else c
    d.rectangle([lo, y0, hi - 1, y1 - 1], fill=LINE)
    return img


def star_tile(c):
    w = LINE_WIDTH[c]
    lo, hi = line_span(c, w)
    centre = (lo + hi) / 2
    # About a fifth of the cell; never under 3 px, or it vanishes into the
    # crossing at the smallest size.
    diameter = {48: 10.0, 40: 8.5, 32: 6.2, 24: 5.0, 16: 3.4}[c]
    layer = Image.new("RGBA", (c * SS, c * SS), (0, 0, 0, 0))
    r = diameter / 2 * SS
    ImageDraw.Draw(layer).ellipse(
        [centre * SS - r, centre * SS - r, centre * SS + r - 1,
         centre * SS + r - 1], fill=LINE + (255,))
    return composite_big(empty_tile(c, 1, 1), layer)


def tile_sheet(c):
    sheet = Image.new("RGB", (10 * c, 3 * c), WOOD)
    stones = {k: stone_layer(c, k, STONE_DIAMETER * c)
              for k in ("black", "white")}
    for row in range(3):
        for side in range(3):
            empty = empty_tile(c, side, row)
            sheet.paste(empty, (side * c, row * c))
            sheet.paste(composite_big(empty, stones["black"]),
                        ((3 + side) * c, row * c))
            sheet.paste(composite_big(empty, stones["white"]),
                        ((6 + side) * c, row * c))
        sheet.paste(star_tile(c), (9 * c, row * c))
    return sheet


# --------------------------------------------------------------------------
# Label strips


LABEL_CELL = 48
KANJI = ["一", "二", "三", "四", "五", "六", "七", "八", "九", "十"]


def kanji_numeral(n):
    if n <= 10:
        return KANJI[n - 1]
    return "十" + KANJI[n - 11]


def glyph(ch, font):
    """One character as a supersampled L mask cropped to its ink.

    Also returns the ink box's left and top relative to the point the
    character was centred on (the middle of its advance and of the em box).
    """
    pad = 4 * font.size
    mid = pad // 2
    canvas = Image.new("L", (pad, pad), 0)
    ImageDraw.Draw(canvas).text((mid, mid), ch, font=font, fill=255,
                                anchor="mm")
    box = canvas.getbbox()
    return canvas.crop(box), box[0] - mid, box[1] - mid


def label_mask(text, font_path, size, gap, max_width, embolden,
               centre_on_ink, squeeze=1.0, scale=1):
    """A whole label as a coverage mask of LABEL_CELL x LABEL_CELL, times scale.

    The measures are those of a 48 px cell; scale draws the same label at a
    multiple of that size, from a supersampled image scale times as large.

    Each character is first narrowed to squeeze of its width. Characters are
    set with a fixed gap between their ink rather than at their advance, so
    two-character labels stay compact; a label still too wide is squeezed
    horizontally and only then emboldened, so that the vertical strokes keep
    the weight of the horizontal ones.
    """
    SS = globals()["SS"] * scale
    font = ImageFont.truetype(font_path, size * SS)
    parts = [glyph(ch, font) for ch in text]
    if squeeze != 1.0:
        parts = [(m.resize((int(round(m.size[0] * squeeze)), m.size[1]),
                           Image.LANCZOS), left, t)
                 for m, left, t in parts]
    top = min(t for _, _, t in parts)
    bottom = max(t + m.size[1] for m, _, t in parts)
    width = sum(m.size[0] for m, _, _ in parts) + gap * SS * (len(parts) - 1)
    line = Image.new("L", (width, bottom - top), 0)
    x = 0
    for m, _, t in parts:
        line.paste(m, (x, t - top))
        x += m.size[0] + gap * SS
    if width > max_width * SS:
        width = max_width * SS
        line = line.resize((width, line.size[1]), Image.LANCZOS)
    half = LABEL_CELL * SS // 2
    y = half - line.size[1] // 2 if centre_on_ink else half + top
    if embolden:
        grow = int(round(embolden * SS / 2))
        cell = Image.new("L", (LABEL_CELL * SS + 2 * grow,
                               LABEL_CELL * SS + 2 * grow), 0)
        cell.paste(line, (half - width // 2 + grow, y + grow))
        cell = cell.filter(ImageFilter.MaxFilter(2 * grow + 1))
        cell = cell.crop((grow, grow, grow + LABEL_CELL * SS,
                          grow + LABEL_CELL * SS))
    else:
        cell = Image.new("L", (LABEL_CELL * SS, LABEL_CELL * SS), 0)
        cell.paste(line, (half - width // 2, y))
    return cell.resize((LABEL_CELL * scale, LABEL_CELL * scale), Image.BOX)


def painted(mask):
    """The ink of a coverage mask on wood."""
    ink = Image.new("RGB", mask.size, INK)
    return Image.composite(ink, Image.new("RGB", mask.size, WOOD), mask)


def column_label_mask(scale=1):
    cell = LABEL_CELL * scale
    strip = Image.new("L", (19 * cell, cell), 0)
    for i in range(19):
        # Every digit narrowed alike, so that 10 ... 19 come to about 32 px:
        # shrunk by dropping pixels to 16 px cells they still stand 5 px
        # apart instead of running together, and 1 ... 9 keep the same
        # shapes. Emboldening after the squeeze gives the stems back their
        # weight; of the 5 px between two digits it leaves 3 to 4 px clear,
        # which keeps a column of wood between them at every size.
        mask = label_mask(str(i + 1), FONT_DIGITS, 37, 5, LABEL_CELL, 1, True,
                          squeeze=0.70, scale=scale)
        strip.paste(mask, (i * cell, 0))
    return strip


def row_label_mask(scale=1):
    # The first cell is the board window's top-left corner and stays blank.
    cell = LABEL_CELL * scale
    strip = Image.new("L", (cell, 20 * cell), 0)
    for i in range(19):
        # Nothing stands beside a row label, so it may use more of its cell.
        mask = label_mask(kanji_numeral(i + 1), FONT_KANJI, 30, 3, 41, 2,
                          False, scale=scale)
        strip.paste(mask, (0, (i + 1) * cell))
    return strip


# The masters are the label strips drawn for 144 px cells, three times the
# shipped strips: the program shrinks them with an area filter for any cell
# size it has no shipped picture of, up to 300 % of the largest view, and
# never enlarges them. Ink coverage is the palette index, so the files stay
# pictures that any viewer shows, and run-length coding keeps them small.
MASTER_SCALE = 3


# --------------------------------------------------------------------------
# Next-move toolbar


BUTTON = 32
FACE_UP = (234, 231, 224)
FACE_DOWN = (196, 192, 184)
WOOD_DOWN = (200, 162, 82)  # the board square in shadow when pressed

# Stones per button, left to right: (colour, centre x, centre y, diameter)
# inside a 32 x 32 face; the first move of each pattern is at the upper left.
BUTTON_STONES = [
    [("black", 11.0, 11.0, 13.6), ("white", 21.0, 21.0, 13.6)],
    [("white", 11.0, 11.0, 13.6), ("black", 21.0, 21.0, 13.6)],
    [("black", 8.5, 8.5, 10.4), ("black", 16.0, 16.0, 10.4),
     ("black", 23.5, 23.5, 10.4)],
    [("white", 8.5, 8.5, 10.4), ("white", 16.0, 16.0, 10.4),
     ("white", 23.5, 23.5, 10.4)],
]


def button(stones, pressed):
    img = Image.new("RGB", (BUTTON, BUTTON), FACE_DOWN if pressed else FACE_UP)
    d = ImageDraw.Draw(img)
    last = BUTTON - 1
    if pressed:
        # Sunken: dark frame above and left, a thin light line below and right.
        d.line([(0, last), (0, 0), (last, 0)], fill=(96, 92, 86))
        d.line([(1, last - 1), (1, 1), (last - 1, 1)], fill=(150, 146, 138))
        d.line([(1, last), (last, last), (last, 1)], fill=(246, 244, 240))
        shift = 1
    else:
        d.line([(0, last), (0, 0), (last, 0)], fill=(255, 255, 255))
        d.line([(1, last), (last, last), (last, 0)], fill=(96, 92, 86))
        d.line([(2, last - 1), (last - 1, last - 1), (last - 1, 2)],
               fill=(160, 156, 148))
        shift = 0
    # The small board square; the picture moves one pixel when pressed.
    s = shift
    d.rectangle([3 + s, 3 + s, 27 + s, 27 + s],
                fill=WOOD_DOWN if pressed else WOOD)
    layer = Image.new("RGBA", (BUTTON * SS, BUTTON * SS), (0, 0, 0, 0))
    for colour, cx, cy, dia in stones:
        layer.alpha_composite(stone_layer(BUTTON, colour, dia, cx + s, cy + s))
    return composite_big(img, layer)


def toolbar():
    sheet = Image.new("RGB", (4 * BUTTON, 2 * BUTTON), FACE_UP)
    for i, stones in enumerate(BUTTON_STONES):
        sheet.paste(button(stones, False), (i * BUTTON, 0))
        sheet.paste(button(stones, True), (i * BUTTON, BUTTON))
    return sheet


# --------------------------------------------------------------------------
# Program icon

WOOD_SIDE = (160, 118, 48)  # the board's front and right faces

# Per size: top-left and bottom-right of the board face, the depth of its
# sides, grid line width, the two grid line positions (first pixel) and the
# stone diameter. The stones sit on the diagonal crossings, black first,
# the same picture as the first toolbar button.
ICON_LAYOUT = {
    48: (1, 43, 3, 2, (12, 32), 19.0),
    32: (1, 28, 2, 1, (8, 21), 13.6),
    16: (0, 14, 1, 1, (4, 10), 7.4),
}


def icon_rgba(n):
    a, b, depth, lw, lines, dia = ICON_LAYOUT[n]
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # Sides first, offset down and right, so the board reads as a block.
    for k in range(1, depth + 1):
        d.rectangle([a + k, a + k, b + k, b + k], fill=WOOD_SIDE + (255,))
    d.rectangle([a, a, b, b], fill=WOOD + (255,))
    for p in lines:
        d.rectangle([p, a, p + lw - 1, b], fill=LINE + (255,))
        d.rectangle([a, p, b, p + lw - 1], fill=LINE + (255,))
    layer = Image.new("RGBA", (n * SS, n * SS), (0, 0, 0, 0))
    for colour, p in (("black", lines[0]), ("white", lines[1])):
        c = p + lw / 2
        layer.alpha_composite(stone_layer(n, colour, dia, c, c))
    rgb = composite_big(img.convert("RGB"), layer)
    out = rgb.convert("RGBA")
    out.putalpha(img.getchannel("A"))
    return out


def quantized(rgba, colours):
    """An adaptive palette of colours + 1 entries with black at index 0.

    Index 0 is left to the transparent pixels: an icon's XOR bitmap must be
    black wherever its AND mask lets the background through.
    """
    opaque = Image.new("RGB", rgba.size, WOOD)
    opaque.paste(rgba.convert("RGB"), mask=rgba.getchannel("A"))
    q = opaque.quantize(colors=colours, method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE)
    flat = q.getpalette()[:3 * colours]
    palette = [(0, 0, 0)] + [tuple(flat[i:i + 3])
                             for i in range(0, len(flat), 3)]
    indices = Image.frombytes("L", q.size, bytes(i + 1 for i in q.tobytes()))
    return palette, indices


def icon():
    images = []
    for n in (32, 16):
        rgba = icon_rgba(n)
        palette, indices = quantized(rgba, 15)
        images.append((n, n, 4, ico_image(rgba, 4, palette, indices)))
    for n in (48, 32, 16):
        rgba = icon_rgba(n)
        palette, indices = quantized(rgba, 255)
        images.append((n, n, 8, ico_image(rgba, 8, palette, indices)))
    for n in (48, 32, 16):
        images.append((n, n, 24, ico_image(icon_rgba(n), 24)))
    return images


# --------------------------------------------------------------------------


def main():
    os.makedirs(RES, exist_ok=True)
    for c in CELL_SIZES:
        write_bmp(os.path.join(RES, "tiles%d.bmp" % c), tile_sheet(c))
    write_bmp(os.path.join(RES, "col_labels.bmp"), painted(column_label_mask()))
    write_bmp(os.path.join(RES, "row_labels.bmp"), painted(row_label_mask()))
    cell = LABEL_CELL * MASTER_SCALE
    write_rle8_bmp(os.path.join(RES, "col_labels%d.bmp" % cell),
                   column_label_mask(MASTER_SCALE))
    write_rle8_bmp(os.path.join(RES, "row_labels%d.bmp" % cell),
                   row_label_mask(MASTER_SCALE))
    write_bmp(os.path.join(RES, "toolbar.bmp"), toolbar())
    write_ico(os.path.join(RES, "tavune.ico"), icon())
    return 0


if __name__ == "__main__":
    sys.exit(main())
