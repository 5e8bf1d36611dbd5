import os
import sys

folder = sys.argv[1]
original = open(os.path.join(folder, "undone1.dxf"), "rb").read()
for n in range(2, 6):
    name = f"undone{n}.dxf"
    assert open(os.path.join(folder, name), "rb").read() == original, name
plan = open(os.path.join(folder, "plan.dxf"), "rb").read()
assert plan == original, "QUIT left the drawing as it was"
# Saved with the layer, whose undo QUIT was told not to save.
assert b"\nPond\n" in open(os.path.join(folder, "pond.dxf"), "rb").read()
