import os
import sys

from drawing_check import load

plan = load()
assert plan.header["$HYPERLINKBASE"] == "/srv/plans/", plan.header["$HYPERLINKBASE"]
settings = open(os.path.join(sys.argv[1], "config", "tzad", "settings")).read()
assert "INETLOCATION=https://intranet.example/" in settings
