"""Makes drawings with ezdxf and reports what ezdxf reads from drawings, for the interop tests.

  ezdxf_tool.py make KIND RELEASE OUT   write a drawing (KIND: rich, plain, chinese936, view, paper,
                                        names, lines)
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


def make_exploding(levels, out):
    """Blocks F0..F<levels>: each an array reference (100 columns) of the next; the last holds a
    line on a frozen layer, so that the whole tree draws nothing. F0 is referenced once."""
    doc = ezdxf.new("R2018")
    doc.layers.add("Cold").freeze()
    names = [f"F{i}" for i in range(levels + 1)]
    for name in names:
        doc.blocks.new(name)
    doc.blocks.get(names[-1]).add_line((0, 0), (1, 0), dxfattribs={"layer": "Cold"})
    for name, inner in zip(names, names[1:]):
        doc.blocks.get(name).add_blockref(inner, (0, 0), dxfattribs={
            "column_count": 100, "column_spacing": 2})
    doc.modelspace().add_blockref(names[0], (0, 0))
    doc.modelspace().add_line((0, 0), (10, 10))
    doc.saveas(out)


def make_view(release, out):
    """What the view tests look at; prints its entities' handles as JSON. Model space, 100 x 50
    units: a red closed rectangle on URLLAYER (10,10)-(30,20) with a hyperlink; lines coloured
    by layer, by index, by true colour; a line dashed by its layer's line type (4 on, 2 off); a
    block reference whose block holds a ByBlock line and a layer-0 line, and a nested reference
    of it; entities on a frozen and an off layer; a reference array, a two-line multi-line
    text, a solid hatch with a hole, a 2D polyline, an arc segment, a spline and a solid; types
    the view does not draw; a block that holds itself. A paper layout "Sheet" holds a circle
    and a viewport that shows model space at 0.6 with layer Green frozen in it."""
    doc = ezdxf.new(release)
    doc.layers.add("URLLAYER", color=1)
    doc.layers.add("Green", color=3)
    doc.layers.add("Frozen", color=4).freeze()
    doc.layers.add("Off", color=5).off()
    doc.linetypes.add("DASH4", pattern=[6.0, 4.0, -2.0])
    doc.layers.add("Hidden", color=7, linetype="DASH4")
    msp = doc.modelspace()
    handles = {}

    def keep(name, entity):
        handles[name] = entity.dxf.handle
        return entity

    rect = keep("rectangle", msp.add_lwpolyline([(10, 10), (30, 10), (30, 20), (10, 20)],
                                                close=True, dxfattribs={"layer": "URLLAYER"}))
    rect.set_hyperlink("http://example.com/rect", "Rectangle")
    keep("bylayer", msp.add_line((40, 10), (60, 10), dxfattribs={"layer": "Green"}))
    keep("index", msp.add_line((40, 14), (60, 14), dxfattribs={"layer": "Green", "color": 5}))
    keep("truecolor", msp.add_line((40, 18), (60, 18), dxfattribs={"layer": "Green", "true_color": 0x123456}))
    keep("frozen", msp.add_line((40, 30), (60, 30), dxfattribs={"layer": "Frozen"}))
    keep("off", msp.add_line((40, 34), (60, 34), dxfattribs={"layer": "Off"}))
    keep("dashed", msp.add_line((40, 24), (60, 24), dxfattribs={"layer": "Hidden"}))

    part = doc.blocks.new("PART", base_point=(1, 1))
    part.add_line((1, 1), (5, 1), dxfattribs={"color": 0})  # ByBlock
    part.add_line((1, 1), (1, 3), dxfattribs={"layer": "0"})  # layer 0, ByLayer
    part.add_line((2, 2), (4, 2), dxfattribs={"layer": "Green"})
    keep("insert", msp.add_blockref("PART", (70, 10), dxfattribs={"layer": "Green", "color": 6}))
    holder = doc.blocks.new("HOLDER")
    holder.add_blockref("PART", (0, 0), dxfattribs={"rotation": 90, "xscale": 2, "yscale": 2})
    keep("nested", msp.add_blockref("HOLDER", (80, 30), dxfattribs={"layer": "URLLAYER"}))
    # A block holding two references to itself, as a damaged drawing may.
    loop = doc.blocks.new("LOOP")
    loop.add_line((0, 0), (1, 0))
    loop.add_blockref("LOOP", (1, 0))
    loop.add_blockref("LOOP", (0, 1))
    keep("loop", msp.add_blockref("LOOP", (60, 40)))
    keep("offinsert", msp.add_blockref("PART", (70, 40), dxfattribs={"layer": "Off"}))

    keep("circle", msp.add_circle((90, 10), 5))
    array = msp.add_blockref("PART", (70, 20), dxfattribs={"layer": "Green"})
    array.dxf.column_count, array.dxf.row_count = 2, 2
    array.dxf.column_spacing, array.dxf.row_spacing = 10, 5
    keep("array", array)
    keep("mtext", msp.add_mtext("AB\\PCD", dxfattribs={"insert": (60, 48), "char_height": 1,
                                                         "attachment_point": 7}))
    hatch = msp.add_hatch(color=2)
    edges = hatch.paths.add_edge_path()
    edges.add_line((0, 0), (10, 0))
    edges.add_arc((5, 0), 5, 0, 180)
    hatch.paths.add_polyline_path([(4, 1), (6, 1), (6, 3), (4, 3)], is_closed=True)  # a hole
    keep("hatch", hatch)
    keep("polyline2d", msp.add_polyline2d([(0, 45), (4, 45), (4, 50)]))
    keep("bulge", msp.add_lwpolyline([(20, 45, 0, 0, 1), (24, 45)], format="xyseb"))
    keep("spline", msp.add_spline([(30, 45), (32, 49), (36, 45)]))
    keep("solid", msp.add_solid([(40, 44), (44, 44), (40, 48), (44, 48)], dxfattribs={"color": 4}))
    keep("text", msp.add_text("LABEL", dxfattribs={"height": 3, "insert": (10, 40)}))
    keep("xline", msp.add_xline((0, 0), (1, 1)))
    mesh = msp.add_mesh()
    with mesh.edit_data() as data:
        data.vertices = [(0, 0, 0), (1, 0, 0), (1, 1, 0)]
        data.faces = [(0, 1, 2)]
    keep("mesh", mesh)

    sheet = doc.layouts.new("Sheet")
    keep("sheetcircle", sheet.add_circle((20, 20), 4))
    viewport = keep("viewport", sheet.add_viewport(center=(60, 40), size=(40, 30),
                                                   view_center_point=(50, 25), view_height=50))
    viewport.frozen_layers = ["Green"]
    doc.saveas(out)
    print(json.dumps(handles))


def make_paper(release, out):
    """Layouts with page setups of their own: "Half" on A4 landscape (297 x 210 mm, margins 10
    top and bottom, 15 left and right) at 1:2 with a 100-unit line from (0, 0); "Letter" on
    11 x 8.5 inches at 1:1 with a 2-inch line from (1, 1); model space holds a 40 x 20 rectangle
    and, inside it, a line on a layer that does not plot and one on Defpoints; its page setup
    names A4 portrait."""
    doc = ezdxf.new(release)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (40, 0), (40, 20), (0, 20)], close=True)
    doc.layers.add("NoPlot").dxf.plot = 0
    if "Defpoints" not in doc.layers:
        doc.layers.add("Defpoints")
    msp.add_line((5, 5), (35, 5), dxfattribs={"layer": "NoPlot"})
    msp.add_line((5, 15), (35, 15), dxfattribs={"layer": "Defpoints"})
    msp.dxf_layout.dxf.paper_width, msp.dxf_layout.dxf.paper_height = 210, 297
    half = doc.layouts.new("Half")
    half.page_setup(size=(297, 210), margins=(10, 15, 10, 15), scale=(1, 2))
    half.add_line((0, 0), (100, 0))
    letter = doc.layouts.new("Letter")
    letter.page_setup(size=(11, 8.5), margins=(0.5, 0.5, 0.5, 0.5), units="inch")
    letter.add_line((1, 1), (3, 1))
    doc.layouts.delete("Layout1")
    doc.saveas(out)


def make_names(release, out):
    """Layouts named "Zoo", "详图" and "(A) plan", in that tab order, and in model space a line
    linked to each by its location."""
    doc = ezdxf.new(release)
    msp = doc.modelspace()
    for i, name in enumerate(["Zoo", "详图", "(A) plan"]):
        doc.layouts.new(name).add_line((0, 0), (10, 10))
        msp.add_line((0, i * 10), (50, i * 10)).set_hyperlink("", name, "," + name)
    doc.layouts.delete("Layout1")
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
        "codepage": doc.header.get("$DWGCODEPAGE", ""),
        "hyperlinkbase": doc.header.get("$HYPERLINKBASE", ""),
        "appids": [a.dxf.name for a in doc.appids],
        "layers": layers,
        "layouts": [layout.name for layout in doc.layouts],
        "entities": entities,
        "audit_errors": [str(err.message) for err in doc.audit().errors],
    }
    print(json.dumps(result, ensure_ascii=False))


def main():
    if sys.argv[1] == "make":
        kind, release, out = sys.argv[2:5]
        if kind == "lines":
            make_lines(int(release), out)
        elif kind == "exploding":
            make_exploding(int(release), out)
        else:
            {"rich": make_rich, "plain": make_plain, "chinese936": make_chinese936,
             "view": make_view, "paper": make_paper,
             "names": make_names}[kind](release, out)
    elif sys.argv[1] == "dump":
        dump(sys.argv[2])
    else:
        sys.exit("unknown command")


if __name__ == "__main__":
    main()
