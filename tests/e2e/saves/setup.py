import os
import shutil
import stat
import sys

folder = sys.argv[1]
os.chdir(folder)
# plan.dxf is a link to the drawing kept in store/.
os.mkdir("store")
os.rename("plan.dxf", "store/site.dxf")
os.symlink("store/site.dxf", "plan.dxf")
# A drawing made read-only, and one whose name is Latin-1, not UTF-8.
shutil.copy("store/site.dxf", "locked.dxf")
os.chmod("locked.dxf", stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
shutil.copy("store/site.dxf", b"caf\xe9.dxf")
# Another drawing that SAVEAS asks before replacing, and a folder with a drawing's name.
shutil.copy("store/site.dxf", "other.dxf")
os.makedirs("proj.dxf/inner")
