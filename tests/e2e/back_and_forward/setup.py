"""Puts other.dxf, a second copy of the sample, beside plan.dxf."""
import os
import shutil
import sys

shutil.copy(os.path.join(sys.argv[1], "plan.dxf"), os.path.join(sys.argv[1], "other.dxf"))
