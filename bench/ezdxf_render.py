"""Renders a drawing's model space to a PNG with ezdxf's drawing add-on and matplotlib, and
prints how long that took: EZDXF_PAINT seconds (reading included).

  ezdxf_render.py DRAWING OUT.png WIDTH HEIGHT
"""
import sys
import time

start = time.perf_counter()
import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt
import ezdxf
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend

path, out, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
doc = ezdxf.readfile(path)
read = time.perf_counter()
figure = plt.figure(figsize=(width / 100, height / 100), dpi=100)
axes = figure.add_axes([0, 0, 1, 1])
# The figure keeps the window's size rather than taking the drawing's proportions.
backend = MatplotlibBackend(axes, adjust_figure=False)
Frontend(RenderContext(doc), backend).draw_layout(doc.modelspace(), finalize=True)
figure.savefig(out, dpi=100)
done = time.perf_counter()
print(f"EZDXF_READ {read - start:.3f}")
print(f"EZDXF_PAINT {done - start:.3f}")
