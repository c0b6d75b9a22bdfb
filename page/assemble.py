#!/usr/bin/env python3
"""Makes the one offline file of the page: the template with the toolkit's
style, the fonts (subset to the characters a Russian form shows, as WOFF2
inside the style), the toolkit's script with the fonts' metrics, the page's
script and the program (WebAssembly inside its script).

    assemble.py TEMPLATE TOOLKIT_STYLE TOOLKIT_JS PAGE_JS PROGRAM_JS OUTPUT
"""
import base64
import io
import json
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

LIBERATION = "/usr/share/fonts/truetype/liberation/LiberationSans-{}.ttf"
DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans{}.ttf"

# Latin, Latin-1, Cyrillic, the general punctuation and the signs a formula
# or a typed number may hold; DejaVu Sans adds Greek, arrows and the
# mathematical operators behind Liberation Sans.
TEXT_RANGES = "U+0020-007E,U+00A0-00FF,U+0400-045F,U+2010-2027,U+2030-203A,U+20AC,U+2116,U+2122,U+2212,U+00D7,U+00F7"
MATH_RANGES = TEXT_RANGES + ",U+0370-03FF,U+2190-21FF,U+2200-22FF"

FACES = [
    ("Liberation Sans", "normal", "normal", LIBERATION.format("Regular"), TEXT_RANGES),
    ("Liberation Sans", "bold", "normal", LIBERATION.format("Bold"), TEXT_RANGES),
    ("Liberation Sans", "bold", "italic", LIBERATION.format("BoldItalic"), TEXT_RANGES),
    ("DejaVu Sans", "normal", "normal", DEJAVU.format(""), MATH_RANGES),
    ("DejaVu Sans", "bold", "normal", DEJAVU.format("-Bold"), MATH_RANGES),
]


def unicodes(ranges):
    out = []
    for part in ranges.split(","):
        lo, _, hi = part[2:].partition("-")
        out.extend(range(int(lo, 16), int(hi or lo, 16) + 1))
    return out


def woff2(path, ranges):
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["kern", "liga"]
    options.hinting = False
    options.name_IDs = [1, 2]
    options.drop_tables += ["FFTM"]
    font = TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=unicodes(ranges))
    subsetter.subset(font)
    data = io.BytesIO()
    font.flavor = "woff2"
    font.save(data)
    return base64.b64encode(data.getvalue()).decode("ascii")


def font_metrics():
    """Ascent and descent of each family as its font file states them (hhea),
    in ems: the page's canvases place lines of text with them, as the
    desktop does, where the browser would give whole pixels."""
    metrics = {}
    for family, _, _, path, _ in FACES:
        if family not in metrics:
            font = TTFont(path)
            em = font["head"].unitsPerEm
            metrics[family] = [font["hhea"].ascent / em, -font["hhea"].descent / em]
    return json.dumps(metrics)


def font_faces():
    rules = []
    for family, weight, style, path, ranges in FACES:
        rules.append(
            '@font-face { font-family: "%s"; font-weight: %s; font-style: %s; '
            'src: url(data:font/woff2;base64,%s) format("woff2"); }' % (family, weight, style, woff2(path, ranges)))
    return "\n".join(rules)


def main(template, style, toolkit_js, page_js, program_js, output):
    read = lambda p: open(p, encoding="utf-8").read()
    html = read(template)
    # Each part goes in once, at the first marker, as it is: replace() would
    # also expand any marker-like text inside the parts themselves. The
    # metrics' marker is in the toolkit's script.
    for marker, part in (("/*@FONTS@*/", font_faces()), ("/*@STYLE@*/", read(style)),
                         ("/*@TOOLKIT@*/", read(toolkit_js)), ("/*@METRICS@*/", font_metrics()),
                         ("/*@PAGE@*/", read(page_js)), ("/*@PROGRAM@*/", read(program_js))):
        at = html.index(marker)
        html = html[:at] + part + html[at + len(marker):]
    if "</script" in read(program_js).lower():
        sys.exit("the program's script holds </script>, which would end the page's script early")
    with open(output, "w", encoding="utf-8") as out:
        out.write(html)


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    main(*sys.argv[1:])
