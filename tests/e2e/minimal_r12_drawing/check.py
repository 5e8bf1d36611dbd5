import sys
import os
from drawing_check import load, rectangles

doc = load()
found = [(e.dxftype(), e.get_hyperlink() if e.has_hyperlink() else None) for e in doc.modelspace()]
assert found == [
    ("LINE", ("http://example.com/walls", "Walls", "")),
    ("CIRCLE", None),
    ("TEXT", ("docs/notes.pdf", "North gate", "Gate")),
    ("POLYLINE", ("http://example.com/area", "", "")),
], found
assert "PE_URL" in [a.dxf.name for a in doc.appids]
assert doc.layers.get("URLLAYER").dxf.color == 1
assert rectangles(doc) == [[(0, 0, 0), (0, 3, 0), (4, 3, 0), (4, 0, 0)]], rectangles(doc)
assert not doc.audit().has_errors

# The file keeps its comments and line ends, and gains no handles.
text = open(os.path.join(sys.argv[1], "plan.dxf"), "rb").read().decode()
lines = text.split("\r\n")
assert lines[:2] == ["999", "site sketch, exported as minimal R12 DXF"], lines[:2]
assert "\r\n999\r\nthe well\r\n" in text
assert text.count("\n") == text.count("\r\n")
codes = [line.strip() for line in lines[0:-1:2]]
assert "5" not in codes and "9" not in codes, "no handles, no header"
