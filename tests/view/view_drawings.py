"""Writes the drawing the view tests look at and prints its entities' handles as JSON.

  view_drawings.py OUT.dxf

Model space, 100 x 50 units: a red closed rectangle on URLLAYER (10,10)-(30,20) with a
hyperlink; lines coloured by layer, by index, by true colour; a line dashed by its layer's
line type (4 on, 2 off); a block reference whose block holds a ByBlock line and a layer-0
line, and a nested reference of it; entities on a frozen and an off layer; a reference array,
an ellipse, a two-line multi-line text, a solid hatch with a hole, a 2D polyline, an arc
segment, a spline and a solid; types the view does not draw; a block that holds itself. A
paper layout "Sheet" holds a circle and a viewport that shows model space at 0.6 with layer
Green frozen in it.
"""
import json
import sys

import ezdxf

doc = ezdxf.new("R2018")
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
keep("ellipse", msp.add_ellipse((50, 45), major_axis=(4, 0), ratio=0.5))
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
doc.saveas(sys.argv[1])
print(json.dumps(handles))
