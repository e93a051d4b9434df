#!/usr/bin/python3
"""Draws Quorvel's pictures and icon file into src/ui/pictures (run by hand; output is committed)."""
import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "ui", "pictures")
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

PALE_BLUE = (214, 232, 246)
FRAME_BLUE = (92, 150, 200)
TITLE_BAND = (232, 243, 251)
DARK_BLUE = (30, 70, 130)
GREEN = (40, 160, 70)


def clock_motif(size):
    """A clock face ringed by a green circular arrow, the program's emblem."""
    scale = 4
    s = size * scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    w = max(2, s // 10)
    d.arc([w // 2, w // 2, s - w // 2, s - w // 2], 30, 320, fill=GREEN + (255,), width=w)
    ang = math.radians(320)
    cx = cy = s / 2
    r = s / 2 - w / 2
    tip = (cx + r * math.cos(ang), cy + r * math.sin(ang))
    d.polygon([(tip[0] - w, tip[1] - w * 0.2), (tip[0] + w, tip[1] - w * 0.2), (tip[0] + w * 0.3, tip[1] + w * 1.3)],
              fill=GREEN + (255,))
    face = s * 0.26
    d.ellipse([cx - face * 1.35, cy - face * 1.35, cx + face * 1.35, cy + face * 1.35], fill=(255, 255, 255, 255),
              outline=DARK_BLUE + (255,), width=max(1, s // 24))
    d.line([cx, cy, cx, cy - face], fill=DARK_BLUE + (255,), width=max(1, s // 20))
    d.line([cx, cy, cx + face * 0.8, cy + face * 0.3], fill=DARK_BLUE + (255,), width=max(1, s // 20))
    return img.resize((size, size), Image.LANCZOS)


def on_background(img, colour):
    base = Image.new("RGB", img.size, colour)
    base.paste(img, (0, 0), img)
    return base


def background():
    img = Image.new("RGB", (280, 366), PALE_BLUE)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 279, 365], outline=FRAME_BLUE)
    d.rectangle([1, 1, 278, 28], fill=TITLE_BAND)
    d.line([1, 29, 278, 29], fill=FRAME_BLUE)
    d.rectangle([6, 34, 273, 340], fill=(255, 255, 255), outline=FRAME_BLUE)
    d.rectangle([1, 346, 278, 364], fill=(236, 244, 250))
    return img


def big_button(caption, state):
    img = Image.new("RGB", (94, 28), (255, 255, 255))
    d = ImageDraw.Draw(img)
    font = ImageFont.truetype(FONT, 14)
    face = {"normal": (255, 255, 255), "over": (221, 238, 252), "pressed": (205, 228, 248), "disabled": (244, 244, 244)}[state]
    border = (170, 170, 170) if state == "disabled" else FRAME_BLUE
    text = (175, 175, 175) if state == "disabled" else (60, 60, 60)
    d.rectangle([0, 0, 93, 27], fill=face, outline=border)
    shift = 1 if state == "pressed" else 0
    box = d.textbbox((0, 0), caption, font=font)
    x = (94 - (box[2] - box[0])) // 2 - box[0] + shift
    y = (28 - (box[3] - box[1])) // 2 - box[1] + shift
    d.text((x, y), caption, font=font, fill=text)
    return img


def title_button(kind, size, state):
    faces = [(222, 236, 248), (204, 224, 244), (186, 210, 236)]
    face = faces[state]
    ink = DARK_BLUE
    if kind == "close" and state > 0:
        face = (232, 96, 56) if state == 1 else (176, 40, 30)
        ink = (255, 255, 255)
    img = Image.new("RGB", size, face)
    d = ImageDraw.Draw(img)
    w, h = size
    if kind == "minimize":
        d.rectangle([w // 2 - 5, h - 6, w // 2 + 4, h - 5], fill=ink)
    elif kind == "close":
        cx, cy = w // 2, h // 2
        d.line([cx - 4, cy - 4, cx + 4, cy + 4], fill=ink, width=2)
        d.line([cx - 4, cy + 4, cx + 4, cy - 4], fill=ink, width=2)
    else:
        cx = w // 2
        d.rectangle([cx - 5, 4, cx + 4, 5], fill=(60, 120, 200))
        d.polygon([(cx - 5, 8), (cx + 5, 8), (cx, 13)], fill=(60, 120, 200))
    return img


def save_gif(img, name):
    img.convert("P", palette=Image.ADAPTIVE, colors=64).save(os.path.join(OUT, name), "GIF")


def save(img, name, fmt, **kw):
    img.save(os.path.join(OUT, name), fmt, **kw)


def icon_entry(img, bits):
    """One icon image in the classic BMP form: BITMAPINFOHEADER, palette, XOR rows, AND rows."""
    size = img.width
    rgba = img.convert("RGBA")
    if bits == 32:
        pixels = b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in
                          (rgba.getpixel((x, y)) for y in reversed(range(size)) for x in range(size)))
        palette = b""
        colours = 0
    else:
        ncol = 16 if bits == 4 else 256
        flat = on_background(rgba, (255, 255, 255)).quantize(colors=ncol)
        pal = flat.getpalette()[: ncol * 3] + [0] * (ncol * 3 - len(flat.getpalette()[: ncol * 3]))
        palette = b"".join(struct.pack("BBBB", pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0) for i in range(ncol))
        rows = []
        for y in reversed(range(size)):
            idx = [flat.getpixel((x, y)) for x in range(size)]
            if bits == 4:
                row = bytes((idx[x] << 4) | idx[x + 1] for x in range(0, size, 2))
            else:
                row = bytes(idx)
            rows.append(row + b"\0" * ((-len(row)) % 4))
        pixels = b"".join(rows)
        colours = 16 if bits == 4 else 0
    mask_rows = []
    for y in reversed(range(size)):
        row = bytearray((size + 7) // 8)
        for x in range(size):
            if rgba.getpixel((x, y))[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(row) + b"\0" * ((-len(row)) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    return header + palette + pixels + b"".join(mask_rows), colours


def icon_file():
    images = []
    for size in (16, 24, 32, 48):
        motif = clock_motif(size)
        for bits in (4, 8, 32):
            data, colours = icon_entry(motif, bits)
            images.append((size, bits, colours, data))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, colours, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(d for _, _, _, d in images)


def main():
    os.makedirs(OUT, exist_ok=True)
    save(background(), "background.jpg", "JPEG", quality=90)
    save(on_background(clock_motif(64), (255, 255, 255)), "decoration.jpg", "JPEG", quality=92)
    save(on_background(clock_motif(20), (255, 255, 255)), "emblem.bmp", "BMP")
    for stem, caption in (("get_time", "获取时间"), ("calibrate", "开始校准")):
        for state in ("normal", "over", "pressed", "disabled"):
            save_gif(big_button(caption, state), f"{stem}_{state}.gif")
    for kind, size in (("minimize", (26, 17)), ("close", (36, 17)), ("menu", (27, 17))):
        for state, name in enumerate(("normal", "over", "pressed")):
            save(title_button(kind, size, state), f"{kind}_{name}.bmp", "BMP")
    with open(os.path.join(OUT, "quorvel.ico"), "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    sys.exit(main())
