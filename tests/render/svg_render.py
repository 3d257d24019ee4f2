"""Checks the drawings the tools write with --svg, as a user would look at them.

Each case runs a tool with --svg and --format json twice: the two drawings must be the
same bytes, parse as SVG 1.1, hold no script and refer to no other file, carry the axes'
units, and show the tool's own numbers (json) as their labels; rsvg-convert must draw
them to PNG without complaint. Usage: svg_render.py BIN_DIR. Exits 77 (skipped) without
rsvg-convert (Debian: librsvg2-bin).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from case_table import run_table

SVG = "{http://www.w3.org/2000/svg}"

RSVG = shutil.which("rsvg-convert")
if RSVG is None:
    print("rsvg-convert is missing (Debian: librsvg2-bin): SVG drawing checks skipped")
    sys.exit(77)


def notes(rows):
    return [row["note"] for row in rows]


def summed(rows):
    """How the drawing labels each line heard: its orders, as "carrier", "+1" or "-2"."""
    def label(order):
        return "carrier" if order == 0 else f"{order:+d}"
    return [" and ".join(label(int(o)) for o in row["orders"].split()) for row in rows]


# tool, arguments, the labels the drawing must show, drawn from the tool's json.
CASES = [
    ("quav.exe", ["1000", "100", "0.5"], lambda r: ["carrier", "lower", "upper", "Hz"]),
    ("quav.exe", ["50", "120"], lambda r: ["lower (reflected)"]),
    ("quav.exe", ["100", "100"], lambda r: ["lower (DC)"]),
    ("zirr.exe", ["1000", "100", "2"], lambda r: summed(r["heard"])),
    ("zirr.exe", ["300", "200", "1.5", "6"], lambda r: summed(r["heard"])),
    ("lipra.exe", ["220", "16"], lambda r: notes(r["harmonics"])),
    ("lipra.exe", ["220", "1"], lambda r: notes(r["harmonics"])),  # one point
    ("lipra.exe", ["220", "2"], lambda r: notes(r["harmonics"])),
    ("rumbeldv.exe", ["19"], lambda r: notes(r["steps"])),
    ("rumbeldv.exe", ["1200"], lambda r: ["cents"]),  # too many to label each
    ("yombric.exe", ["5", "4", "3", "300"],
     lambda r: [f"axial ({r['axial_modes']})", f"tangential ({r['tangential_modes']})",
                f"oblique ({r['oblique_modes']})", r["bonello"].replace("_", " ")]
     + [str(band["modes"]) for band in r["bands"]]),
    ("yombric.exe", ["5", "4", "3", "10"], lambda r: ["no mode at or below MAX_HZ"]),
    ("zirr.exe", ["1000", "100", "0"], lambda r: ["carrier"]),  # a single line
]


def draw(bin_dir, tool, args, path):
    command = [os.path.join(bin_dir, tool), "--format", "json", "--svg", path] + args
    done = subprocess.run(command, capture_output=True, text=True)
    assert done.returncode == 0, f"status {done.returncode}: {done.stderr}"
    with open(path, "rb") as file:
        return json.loads(done.stdout), file.read()


def run_case(bin_dir, folder, number, tool, args, labels):
    path = os.path.join(folder, f"case-{number}.svg")
    result, first = draw(bin_dir, tool, args, path)
    _, second = draw(bin_dir, tool, args, path)
    assert first == second, "two runs drew different bytes"
    root = ET.fromstring(first)
    assert root.tag == SVG + "svg" and root.get("version") == "1.1", "not an SVG 1.1 document"
    for element in root.iter():
        assert element.tag not in (SVG + "script", SVG + "image", SVG + "foreignObject"), \
            f"holds {element.tag}"
        for name, value in element.attrib.items():
            assert "href" not in name and "url(" not in value, f"refers to {value}"
    texts = [element.text or "" for element in root.iter(SVG + "text")]
    shown = "\n".join(texts)
    assert "(Hz)" in shown or "cents" in shown, "no axis names its unit"
    for label in labels(result):
        assert label in texts or label in shown, f"label {label!r} not drawn"
    png = subprocess.run([RSVG, "--format", "png", path], capture_output=True)
    assert png.returncode == 0 and png.stderr == b"", f"rsvg-convert: {png.stderr!r}"
    assert png.stdout.startswith(b"\x89PNG"), "rsvg-convert drew no PNG"


def main():
    with tempfile.TemporaryDirectory() as folder:
        run_table(CASES, lambda number, case: run_case(sys.argv[1], folder, number, *case))

if __name__ == "__main__":
    main()
