#!/usr/bin/env python3
"""Writes font9x16.cpp, font8x16.cpp, font6x12.cpp and font5x8.cpp, and
beside each its glyphs beyond ASCII (font9x16_unicode.cpp and so on).

The ASCII glyphs come from the fixed-cell fonts built into libgd (public-domain
X11 misc-fixed bitmaps), fitted to our cells: the 9x15 font gets a blank
bottom row, the 6x13 font loses its top row. The label characters of the
6x12 and 5x8 fonts are drawn to our own pattern (LABEL_GLYPHS), and the
glyphs that must stay blank are cleared.

The glyphs beyond ASCII (UNICODE_CODES) come from the ISO 10646 misc-fixed
fonts of Debian's xfonts-base, read from their PCF files. libgd's copies are
an older cut of the same family, so each source is placed where its ASCII
glyphs line up best with ours, baseline first:
- font9x16 from 9x15B with a blank row on top, not below: 9x15B sits one
  row higher than libgd's bold 9x15, and so placed 72 of its 94 printable
  ASCII glyphs equal ours pixel for pixel (none with the row below).
  9x15B has no super- or subscript digits, degree Celsius, root, infinity or
  almost-equal sign; those stay blank in the caption rather than come from
  another weight.
- font8x16 from 7x14 one row down and one column right. libgd's 8x16 is
  drawn on that design: the same baseline, cap height (10 rows) and x-height
  (7 rows), and 18 of the 52 letters equal ours. 8x13 has the same width but
  shorter capitals and lower case (9 and 6 rows), so its text would look a
  size smaller beside ours and none of its letters equal ours; the 8x16 font
  shipped there is Sony's, Latin-1 only and of another design.
- font6x12 from 6x13 without its top row, as for ASCII: the baselines agree.
  Five accents reach that row and lose their top pixel (d and l with caron,
  l with acute, U with ring, Cyrillic KJE).
- font5x8 from 5x8 as it is.
Run from anywhere; needs cc, libgd's headers and xfonts-base.
"""
import gzip
import os
import struct
import subprocess
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))

DUMPER = r"""
#include <gdfontg.h>
#include <gdfontl.h>
#include <gdfonts.h>
#include <gdfontt.h>
#include <stdio.h>
int main(void) {
  gdFontPtr fonts[] = {gdFontGetGiant(), gdFontGetLarge(), gdFontGetSmall(), gdFontGetTiny()};
  for (int f = 0; f < 4; ++f) {
    gdFontPtr p = fonts[f];
    printf("%d %d %d %d\n", p->nchars, p->offset, p->w, p->h);
    for (int i = 0; i < p->nchars * p->w * p->h; ++i) putchar(p->data[i] ? '1' : '0');
    putchar('\n');
  }
  return 0;
}
"""

# name, source font index, first code, glyph count, width, height,
# rows to drop from the top, blank rows to add at the bottom, blank codes
FONTS = [
    ("font9x16", 0, 0, 128, 9, 16, 0, 1, (0, 32, 127)),
    ("font8x16", 1, 32, 96, 8, 16, 0, 0, (32, 127)),
    ("font6x12", 2, 32, 96, 6, 12, 1, 0, (32,)),
    ("font5x8", 3, 0, 128, 5, 8, 0, 0, (0, 32, 127)),
]

# Row values from the top; the highest of the w low bits is the leftmost pixel.
LABEL_GLYPHS = {
    "font6x12": {
        "0": "00 00 1C 22 26 2A 32 22 1C 00 00 00",
        "1": "00 00 08 18 08 08 08 08 1C 00 00 00",
        "2": "00 00 1C 22 02 04 08 10 3E 00 00 00",
        "3": "00 00 1C 22 02 0C 02 22 1C 00 00 00",
        "4": "00 00 04 0C 14 24 3E 04 04 00 00 00",
        "5": "00 00 3E 20 3C 02 02 22 1C 00 00 00",
        "6": "00 00 0C 10 20 3C 22 22 1C 00 00 00",
        "7": "00 00 3E 02 04 04 08 08 08 00 00 00",
        "8": "00 00 1C 22 22 1C 22 22 1C 00 00 00",
        "9": "00 00 1C 22 22 1E 02 04 18 00 00 00",
        ".": "00 00 00 00 00 00 00 18 18 00 00 00",
        "-": "00 00 00 00 00 3E 00 00 00 00 00 00",
        "+": "00 00 00 08 08 3E 08 08 00 00 00 00",
        "e": "00 00 00 00 1C 22 3C 20 1C 00 00 00",
        "*": "00 00 08 2A 1C 08 1C 2A 08 00 00 00",
    },
    "font5x8": {
        "0": "00 04 0A 0A 0A 0A 04 00",
        "1": "00 04 0C 04 04 04 0E 00",
        "2": "00 06 09 01 06 08 0F 00",
        "3": "00 06 09 02 01 09 06 00",
        "4": "00 02 06 0A 0F 02 02 00",
        "5": "00 0F 08 0E 01 09 06 00",
        "6": "00 06 08 0A 0D 09 06 00",
        "7": "00 0F 01 02 02 04 04 00",
        "8": "00 06 09 06 09 09 06 00",
        "9": "00 06 09 0B 05 01 06 00",
        "-": "00 00 00 00 0F 00 00 00",
    },
}


def dump_libgd_fonts():
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "dump.c")
        exe = os.path.join(tmp, "dump")
        with open(src, "w") as f:
            f.write(DUMPER)
        cflags = subprocess.check_output(["pkg-config", "--cflags", "gdlib"], text=True).split()
        subprocess.check_call(["cc", src, "-o", exe, *cflags, "-lgd"])
        lines = subprocess.check_output([exe], text=True).splitlines()
    fonts = []
    for i in range(0, len(lines), 2):
        nchars, offset, w, h = map(int, lines[i].split())
        fonts.append((offset, w, h, lines[i + 1]))
    return fonts


def glyph_rows(source, code, w):
    offset, sw, sh, bits = source
    assert sw == w
    start = (code - offset) * sw * sh
    return [int(bits[start + r * sw:start + (r + 1) * sw], 2) for r in range(sh)]


def build(font, sources):
    name, index, first, count, w, h, drop, pad, blanks = font
    glyphs = []
    for code in range(first, first + count):
        rows = glyph_rows(sources[index], code, w)[drop:] + [0] * pad
        assert len(rows) == h
        if code in blanks:
            rows = [0] * h
        label = LABEL_GLYPHS.get(name, {}).get(chr(code))
        if label:
            rows = [int(v, 16) for v in label.split()]
        glyphs.append(rows)
    return glyphs


# Latin-1, Latin Extended-A, Greek, Cyrillic with Ukrainian GHE, and the
# dashes, quotes, primes, super- and subscript digits, unit and math signs
# names and captions use.
UNICODE_CODES = [
    *range(0x00A0, 0x0180),
    *range(0x0370, 0x0400),
    *range(0x0400, 0x0460),
    0x0490, 0x0491,
    0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x201E, 0x2022, 0x2026,
    0x2030, 0x2032, 0x2033,
    0x2070, *range(0x2074, 0x207A), *range(0x2080, 0x208A),
    0x2103, 0x2116, 0x2126,
    0x2190, 0x2191, 0x2192, 0x2193,
    0x2212, 0x221A, 0x221E, 0x2248, 0x2260, 0x2264, 0x2265,
]

XFONTS = "/usr/share/fonts/X11/misc"

# name, PCF file, width, height, rows to add on top (negative: to drop),
# columns to add on the left; see the docstring for why.
UNICODE_SOURCES = [
    ("font9x16", "9x15B.pcf.gz", 9, 16, 1, 0),
    ("font8x16", "7x14.pcf.gz", 8, 16, 1, 1),
    ("font6x12", "6x13.pcf.gz", 6, 12, -1, 0),
    ("font5x8", "5x8.pcf.gz", 5, 8, 0, 0),
]

PCF_ACCELERATORS = 1 << 1
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BDF_ACCELERATORS = 1 << 8
PCF_BYTE_MASK = 1 << 2  # set: big-endian numbers, bytes of a scan unit from the high one
PCF_BIT_MASK = 1 << 3  # set: the highest bit of a byte is its leftmost pixel
PCF_COMPRESSED_METRICS = 0x100
NO_GLYPH = 0xFFFF


class Pcf:
    """The tables of a PCF font we need: metrics, bitmaps, encodings and the
    font's ascent. Each table carries its own format word, which sets its
    byte order, bit order, row padding and scan unit."""

    def __init__(self, path):
        with gzip.open(path) as f:
            self.data = f.read()
        assert self.data[:4] == b"\x01fcp", path
        (count,) = struct.unpack_from("<i", self.data, 4)
        self.toc = {}
        for i in range(count):
            kind, fmt, _, offset = struct.unpack_from("<iiii", self.data, 8 + 16 * i)
            self.toc[kind] = offset

    def table(self, kind):
        """The table's format, struct byte order and the offset of its data."""
        offset = self.toc[kind]
        (fmt,) = struct.unpack_from("<i", self.data, offset)
        return fmt, ">" if fmt & PCF_BYTE_MASK else "<", offset + 4

    def metrics(self):
        """Per glyph: left and right bearing, width, ascent, descent."""
        fmt, order, at = self.table(PCF_METRICS)
        if fmt & PCF_COMPRESSED_METRICS:
            (n,) = struct.unpack_from(order + "h", self.data, at)
            raw = self.data[at + 2:at + 2 + 5 * n]
            return [tuple(b - 0x80 for b in raw[5 * i:5 * i + 5]) for i in range(n)]
        (n,) = struct.unpack_from(order + "i", self.data, at)
        return [struct.unpack_from(order + "5h", self.data, at + 4 + 12 * i) for i in range(n)]

    def bitmaps(self, metrics):
        """Per glyph its rows of pixels, each a list of 0 and 1 from the left."""
        fmt, order, at = self.table(PCF_BITMAPS)
        (n,) = struct.unpack_from(order + "i", self.data, at)
        offsets = struct.unpack_from(order + f"{n}i", self.data, at + 4)
        start = at + 4 + 4 * n + 16  # past the four bitmap sizes
        pad = 1 << (fmt & 3)
        unit = 1 << ((fmt >> 4) & 3)
        msbyte, msbit = bool(fmt & PCF_BYTE_MASK), bool(fmt & PCF_BIT_MASK)
        glyphs = []
        for offset, (left, right, _, ascent, descent) in zip(offsets, metrics):
            width = right - left
            stride = -(-((width + 7) // 8) // pad) * pad
            rows = []
            for r in range(ascent + descent):
                b = start + offset + r * stride
                raw = bytearray(self.data[b:b + stride])
                if msbyte != msbit:
                    for u in range(0, stride, unit):
                        raw[u:u + unit] = raw[u:u + unit][::-1]
                bits = "".join(f"{v:08b}" if msbit else f"{v:08b}"[::-1] for v in raw)
                rows.append([int(bit) for bit in bits[:width]])
            glyphs.append(rows)
        return glyphs

    def encoding(self):
        """Code point -> glyph index."""
        _, order, at = self.table(PCF_BDF_ENCODINGS)
        min2, max2, min1, max1, _ = struct.unpack_from(order + "5h", self.data, at)
        span = max2 - min2 + 1
        count = span * (max1 - min1 + 1)
        indices = struct.unpack_from(order + f"{count}H", self.data, at + 10)
        return {(min1 + k // span) * 256 + min2 + k % span: g
                for k, g in enumerate(indices) if g != NO_GLYPH}

    def ascent(self):
        kind = PCF_BDF_ACCELERATORS if PCF_BDF_ACCELERATORS in self.toc else PCF_ACCELERATORS
        _, order, at = self.table(kind)
        (ascent,) = struct.unpack_from(order + "i", self.data, at + 8)  # past 8 flag bytes
        return ascent


def unicode_glyphs(source):
    """The glyphs of UNICODE_CODES the source has, fitted to our cell, as
    (code, row values) sorted by code."""
    _, path, w, h, top, left = source
    pcf = Pcf(os.path.join(XFONTS, path))
    metrics = pcf.metrics()
    bitmaps = pcf.bitmaps(metrics)
    encoding = pcf.encoding()
    font_ascent = pcf.ascent()
    glyphs = []
    for code in sorted(set(UNICODE_CODES)):
        if code not in encoding:
            continue
        i = encoding[code]
        bearing, _, _, ascent = metrics[i][:4]
        rows = [0] * h
        for r, pixels in enumerate(bitmaps[i]):
            y = font_ascent - ascent + r + top
            for c, on in enumerate(pixels):
                x = bearing + c + left
                if on and 0 <= y < h:
                    assert 0 <= x < w, (path, hex(code))
                    rows[y] |= 1 << (w - 1 - x)
        glyphs.append((code, rows))
    return glyphs


def shown(code):
    """The character itself for the comment, where it shows on its own."""
    if unicodedata.category(chr(code))[0] in "LNPS":
        return f"U+{code:04X} {chr(code)}"
    return f"U+{code:04X}"


def write_unicode(source, glyphs):
    name, _, w = source[:3]
    digits = (w + 3) // 4
    out = [
        "// Generated by make_fonts.py; edit that script, not this file.",
        "#include <algorithm>",
        "",
        '#include "fonts/unicode_glyphs.h"',
        "",
        "namespace {",
        "",
        "constexpr UnicodeGlyph glyphs[] = {",
    ]
    for code, rows in glyphs:
        values = ", ".join(f"0x{v:0{digits}X}" for v in rows)
        out.append(f"    {{0x{code:04X}, {{{values}}}}},  // {shown(code)}")
    out += [
        "};",
        "// find_glyph looks glyphs up by binary search.",
        "static_assert(std::ranges::is_sorted(glyphs, {}, &UnicodeGlyph::code));",
        "",
        "}  // namespace",
        "",
        f"const std::span<const UnicodeGlyph> {name}_unicode = glyphs;",
        "",
    ]
    save(f"{name}_unicode.cpp", out)
    print(f"{name}: {len(glyphs)} glyphs beyond ASCII from {source[1]}")


def write(font, glyphs):
    name, _, first, count, w, h = font[:6]
    digits = (w + 3) // 4
    out = [
        "// Generated by make_fonts.py; edit that script, not this file.",
        '#include "fonts/fonts.h"',
        '#include "fonts/glyph_rows.h"',
        "",
        "namespace {",
        "",
        f"constexpr GlyphRows<{count}, {h}> rows = {{{{",
    ]
    for i, rows in enumerate(glyphs):
        code = first + i
        shown = chr(code) if 33 <= code < 127 and code != 92 else f"code {code}"
        values = ", ".join(f"0x{v:0{digits}X}" for v in rows)
        out.append(f"    {{{values}}},  // {shown}")
    out += [
        "}};",
        f"constexpr auto pixels = expand_glyphs<{count}, {w}, {h}>(rows);",
        "",
        "}  // namespace",
        "",
        f"const gdFont {name} = {{{count}, {first}, {w}, {h}, const_cast<char*>(pixels.data())}};",
        "",
    ]
    save(f"{name}.cpp", out)


def save(file_name, lines):
    path = os.path.join(HERE, file_name)
    with open(path, "w") as f:
        f.write("\n".join(lines))
    # Keep the files as the repository's formatter leaves them.
    subprocess.call(["clang-format", "-i", path])


def main():
    sources = dump_libgd_fonts()
    for font in FONTS:
        write(font, build(font, sources))
    for source in UNICODE_SOURCES:
        write_unicode(source, unicode_glyphs(source))


if __name__ == "__main__":
    main()
