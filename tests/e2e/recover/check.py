import os
import sys

folder = sys.argv[1]
plan = open(os.path.join(folder, "plan.dxf"), "rb").read()
assert open(os.path.join(folder, "rescued.dxf"), "rb").read() == plan
assert os.listdir(os.path.join(folder, ".local", "state", "tzad", "autosave")) == []
