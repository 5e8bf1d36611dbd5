import os
import sys

import ezdxf

folder = sys.argv[1]
plan = ezdxf.readfile(os.path.join(folder, "plan.dxf"))
assert plan.header["$HYPERLINKBASE"] == "/srv/plans/", plan.header["$HYPERLINKBASE"]
settings = open(os.path.join(folder, "config", "tzad", "settings")).read()
assert "INETLOCATION=https://intranet.example/" in settings
