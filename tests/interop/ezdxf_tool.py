"""Makes drawings with ezdxf and reports what ezdxf reads from drawings, for the interop tests.

  ezdxf_tool.py make KIND RELEASE OUT   write a drawing (KIND: rich, plain, chinese936, lines)
  ezdxf_tool.py dump FILE               print what ezdxf reads, as JSON
"""
import json
import re
import sys

import ezdxf


def make_rich(release, out):
    """Layers, views in model and paper space, three layouts, a block, hyperlinks, Chinese."""
    doc = ezdxf.new(release, setup=True)
    doc.layers.add("Walls", color=3)
    doc.layers.add("Locked", color=4).lock()
    doc.layers.add("Frozen", color=5).freeze()
    doc.layers.add("墙体", color=2)
    msp = doc.modelspace()
    line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "Walls"})
    line.set_hyperlink("http://example.com/plan", "Plan", "Entry,Layout1")
    msp.add_circle((5, 5), 2, dxfattribs={"layer": "Locked"})
    msp.add_text("标题 title", dxfattribs={"layer": "墙体"}).set_hyperlink("docs\\说明.txt", "说明")
    msp.add_lwpolyline([(0, 0), (1, 0), (1, 1)], dxfattribs={"layer": "Frozen"}) \
        if release != "R12" else msp.add_polyline2d([(0, 0), (1, 0), (1, 1)])
    block = doc.blocks.new("DOOR")
    block.add_line((0, 0), (1, 0))
    msp.add_blockref("DOOR", (3, 3))
    if release != "R12":
        doc.layouts.new("Layout2")
        doc.layouts.new("Layout3")
        doc.layouts.get("Layout2").add_line((0, 0), (2, 2)).set_hyperlink("mailto:a@b.c")
    doc.layout("Layout1").add_circle((1, 1), 1)
    doc.views.new("Entry", dxfattribs={"center": (5, 5), "height": 10, "width": 20})
    doc.views.new("Sheet", dxfattribs={"center": (1, 1), "height": 5, "width": 5, "flags": 1})
    doc.header["$HYPERLINKBASE"] = "/srv/plans/"
    doc.saveas(out)


def make_plain(release, out):
    doc = ezdxf.new(release)
    msp = doc.modelspace()
    msp.add_line((0, 0), (1, 1))
    msp.add_line((1, 1), (2, 0), dxfattribs={"layer": "Other"})
    doc.saveas(out)


def make_chinese936(release, out):
    """An R2000 drawing as a Chinese user's CAD program writes it: GBK text."""
    doc = ezdxf.new(release)
    doc.encoding = "gbk"
    doc.layers.add("图层一", color=1)
    msp = doc.modelspace()
    msp.add_text("总平面图", dxfattribs={"layer": "图层一"}).set_hyperlink("图纸\\总图.dxf", "总图")
    doc.saveas(out)


def make_lines(count, out):
    """count lines; one in ten carries a hyperlink."""
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    for i in range(count):
        line = msp.add_line((i * 0.5, i * 0.25, 0), (i * 0.5 + 10.125, i * 0.25 + 3.75, 0))
        if i % 10 == 0:
            line.set_hyperlink(f"http://example.com/part/{i}", f"Part {i}")
    doc.saveas(out)


def decode_unicode_escapes(text):
    """Older releases carry other characters as \\U+XXXX; ezdxf leaves them in extended data."""
    return re.sub(r"\\[Uu]\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def dump(path):
    doc = ezdxf.readfile(path)
    entities = []
    spaces = [("Model", doc.modelspace())] + [
        (layout.name, layout) for layout in doc.layouts if layout.name != "Model"]
    for space_name, space in spaces:
        for e in space:
            item = {"type": e.dxftype(), "handle": e.dxf.handle, "layer": e.dxf.layer,
                    "space": space_name, "hyperlink": [decode_unicode_escapes(t) for t in e.get_hyperlink()]}
            if e.dxftype() == "POLYLINE":
                item["is_3d"] = e.is_3d_polyline
                item["closed"] = e.is_closed
                item["vertices"] = [list(v.dxf.location) for v in e.vertices]
            entities.append(item)
    layers = {layer.dxf.name: {"color": layer.dxf.color} for layer in doc.layers}
    result = {
        "version": doc.dxfversion,
        "codepage": doc.header.get("$DWGCODEPAGE", ""),
        "hyperlinkbase": doc.header.get("$HYPERLINKBASE", ""),
        "appids": [a.dxf.name for a in doc.appids],
        "layers": layers,
        "layouts": [layout.name for layout in doc.layouts],
        "views": [v.dxf.name for v in doc.views],
        "entities": entities,
        "audit_errors": [str(err.message) for err in doc.audit().errors],
    }
    print(json.dumps(result, ensure_ascii=False))


def main():
    if sys.argv[1] == "make":
        kind, release, out = sys.argv[2:5]
        if kind == "lines":
            make_lines(int(release), out)
        else:
            {"rich": make_rich, "plain": make_plain, "chinese936": make_chinese936}[kind](release, out)
    elif sys.argv[1] == "dump":
        dump(sys.argv[2])
    else:
        sys.exit("unknown command")


if __name__ == "__main__":
    main()
