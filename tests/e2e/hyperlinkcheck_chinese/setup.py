"""Another drawing beside the session's: a copy of the sample, with its views and layouts."""
import os
import shutil
import sys

folder = sys.argv[1]
shutil.copy(os.path.join(folder, "plan.dxf"), os.path.join(folder, "other.dxf"))
