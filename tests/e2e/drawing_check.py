"""Helpers for the sessions' check.py files: what ezdxf reads from a saved drawing."""
import os
import sys

import ezdxf


def load(name="plan.dxf"):
    return ezdxf.readfile(os.path.join(sys.argv[1], name))


def links(doc):
    """Hyperlinks by entity handle: (address, description, location)."""
    return {e.dxf.handle: e.get_hyperlink() for e in doc.modelspace() if e.has_hyperlink()}


def rectangles(doc):
    """Closed 3D polylines on URLLAYER: their vertices, rounded."""
    found = []
    for e in doc.modelspace():
        if e.dxftype() == "POLYLINE" and e.dxf.layer.upper() == "URLLAYER":
            assert e.is_3d_polyline and e.is_closed
            found.append([tuple(round(c, 9) + 0.0 for c in v.dxf.location) for v in e.vertices])
    return found
