#!/usr/bin/python3
"""A stand-in for xdg-open in the scripted sessions: records each call's arguments (one JSON
list a line) in the file TZAD_OPEN_LOG names, and succeeds unless the target contains
"refuse"."""
import json
import os
import sys

with open(os.environ["TZAD_OPEN_LOG"], "a", encoding="utf-8") as log:
    log.write(json.dumps(sys.argv[1:], ensure_ascii=False) + "\n")
sys.exit(1 if any("refuse" in a for a in sys.argv[1:]) else 0)
