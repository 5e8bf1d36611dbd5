import os
import sys

import ezdxf

folder = sys.argv[1]
plan = ezdxf.readfile(os.path.join(folder, "plan.dxf"))
assert "Hedge" in plan.layers, "the change saved at QUIT is there"
assert "Fence" not in plan.layers, "the change dropped at CLOSE is not"
first = ezdxf.readfile(os.path.join(folder, "first.dxf"))
assert first.dxfversion == "AC1032"
