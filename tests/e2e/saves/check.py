import os
import stat
import sys

import ezdxf

folder = sys.argv[1]
os.chdir(folder)


def layers(name):
    return ezdxf.readfile(name).layers


assert os.path.islink("plan.dxf") and os.readlink("plan.dxf") == "store/site.dxf"
assert "Hedge" in layers("store/site.dxf"), "the save went through the link"
assert "Hedge" not in layers("store/site.bak"), "the previous version is kept beside the drawing"
assert "Fence" not in layers("locked.dxf"), "the read-only drawing is as it was"
assert stat.S_IMODE(os.stat("locked.dxf").st_mode) == 0o444
assert "Fence" in layers("fenced.dxf")
assert "Fence" in layers("other.dxf") and "Fence" not in layers("other.bak")
assert os.path.isdir("proj.dxf/inner"), "the folder stays where it was"
assert "Gate" in layers(os.fsdecode(b"caf\xe9.dxf"))
# No backup once ISAVEBAK is 0, and nothing half-saved anywhere.
files = {name for name in os.listdir(b".") if not os.path.isdir(name)}
assert files == {b"plan.dxf", b"locked.dxf", b"fenced.dxf", b"other.dxf", b"other.bak",
                 b"caf\xe9.dxf"}, files
assert set(os.listdir(b"store")) == {b"site.dxf", b"site.bak"}
