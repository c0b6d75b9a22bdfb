#!/usr/bin/env python3
"""Makes the site folder that a school puts on its web server, in any
folder of its site: the page as index.html, with the app's icons linked and
the site script (site.js, which links the manifest) inside; the manifest; the icons
as PNG files; and the service worker (service_worker.js) as sw.js, which
keeps the folder's files for the app to start with no network.

The folder's version is the hash of its files; the service worker and the
page carry it, so that a folder with anything changed is a new version that
replaces the old one at the next visit.

    site.py PAGE SITE_JS SERVICE_WORKER PARTS OUTPUT

PAGE is viramont.html; PARTS the folder that site_parts wrote (the manifest,
page.json and the icons' pixels); OUTPUT the site folder, made anew.
"""
import hashlib
import json
import os
import shutil
import struct
import sys
import zlib

VERSION = "/*@VERSION@*/"


def png(width, height, rgba):
    """8-bit RGBA pixels, row by row, as a PNG file."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    stride = width * 4
    rows = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def insert_once(text, marker, part, last=False):
    at = text.rindex(marker) if last else text.index(marker)
    return text[:at] + part + text[at:]


def main(page, site_js, service_worker, parts, output):
    read = lambda p: open(p, encoding="utf-8").read()
    described = json.load(open(os.path.join(parts, "page.json"), encoding="utf-8"))
    files = {}  # name -> bytes, the version still a marker
    for icon in described["icons"]:
        with open(os.path.join(parts, icon["file"] + ".rgba"), "rb") as f:
            files[icon["file"]] = png(icon["size"], icon["size"], f.read())
    with open(os.path.join(parts, "manifest.webmanifest"), "rb") as f:
        files["manifest.webmanifest"] = f.read()

    plain = next(i["file"] for i in described["icons"] if not i["maskable"])
    head = ('<meta name="theme-color" content="%s">\n'
            '<link rel="icon" type="image/png" href="%s">\n'
            '<link rel="apple-touch-icon" href="%s">\n'
            '<meta name="viramont-version" content="%s">\n') % (described["colour"], plain, plain, VERSION)
    script = read(site_js).replace("/*@NOTICE@*/", json.dumps(described["notice"], ensure_ascii=False), 1)
    html = insert_once(read(page), "</head>", head)
    html = insert_once(html, "</body>", "<script>\n%s</script>\n" % script, last=True)
    files["index.html"] = html.encode("utf-8")

    # Everything the service worker keeps: the folder's files but itself.
    kept = sorted(files)
    worker = read(service_worker).replace("/*@FILES@*/", json.dumps(kept), 1)
    files["sw.js"] = worker.encode("utf-8")

    digest = hashlib.sha256()
    for name in sorted(files):
        digest.update(name.encode("utf-8") + b"\0" + hashlib.sha256(files[name]).digest())
    version = digest.hexdigest()[:16]
    for name in ("index.html", "sw.js"):
        text = files[name].decode("utf-8")
        if text.count(VERSION) != 1:
            sys.exit("%s must hold the version's marker once" % name)
        files[name] = text.replace(VERSION, version).encode("utf-8")

    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    for name, data in files.items():
        with open(os.path.join(output, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
