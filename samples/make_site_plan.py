"""Generates samples/site_plan.dxf: a small site plan to try the hyperlink commands on.

Layers (one locked, one frozen), named views in model and paper space, two paper layouts, and
a few entities that already carry hyperlinks. Run with Debian's python3 and python3-ezdxf:
    /usr/bin/python3 samples/make_site_plan.py samples/site_plan.dxf
"""
import sys

import ezdxf


def main(out):
    doc = ezdxf.new("R2018", setup=True)
    doc.header["$HYPERLINKBASE"] = ""
    doc.layers.add("Site", color=3)
    doc.layers.add("Buildings", color=5)
    doc.layers.add("Roads", color=8)
    doc.layers.add("Survey", color=2).lock()
    doc.layers.add("Trees", color=94).freeze()
    doc.layers.add("Text", color=7)

    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (120, 0), (120, 80), (0, 80)], close=True,
                       dxfattribs={"layer": "Site"})
    house = msp.add_lwpolyline([(20, 20), (50, 20), (50, 45), (20, 45)], close=True,
                               dxfattribs={"layer": "Buildings"})
    house.set_hyperlink("docs/house-details.pdf", "House details")
    garage = msp.add_lwpolyline([(60, 20), (75, 20), (75, 35), (60, 35)], close=True,
                                dxfattribs={"layer": "Buildings"})
    garage.set_hyperlink("", "Garage detail", "Garage,Details")
    msp.add_line((0, 60), (120, 60), dxfattribs={"layer": "Roads"})
    msp.add_line((0, 66), (120, 66), dxfattribs={"layer": "Roads"}).set_hyperlink(
        "https://www.openstreetmap.org/", "Street map")
    msp.add_point((5, 5), dxfattribs={"layer": "Survey"})
    msp.add_circle((100, 30), 4, dxfattribs={"layer": "Trees"})
    msp.add_text("SITE PLAN 1:500", dxfattribs={"layer": "Text", "height": 3,
                                                  "insert": (5, 72)}).set_hyperlink(
        "mailto:architect@example.com", "Ask the architect")

    doc.views.new("Overview", dxfattribs={"center": (60, 40), "height": 90, "width": 130})
    doc.views.new("House", dxfattribs={"center": (35, 32), "height": 30, "width": 40})
    doc.views.new("Garage", dxfattribs={"center": (67, 27), "height": 20, "width": 25})
    doc.views.new("Title", dxfattribs={"center": (100, 20), "height": 40, "width": 60,
                                       "flags": 1})

    sheet = doc.layouts.new("Sheet")
    doc.layouts.delete("Layout1")
    sheet.add_text("Sheet 1", dxfattribs={"height": 5, "insert": (10, 10)})
    details = doc.layouts.new("Details")
    details.add_circle((50, 50), 20)
    # Made last, so that the handles of everything above stay as they were.
    sheet.add_viewport(center=(150, 110), size=(240, 160), view_center_point=(60, 40),
                       view_height=90)
    doc.saveas(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "site_plan.dxf")
