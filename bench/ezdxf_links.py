"""What `tzlinks list --json` does, with ezdxf: reads every drawing and writes every hyperlink
of model space and the layouts as a JSON line (file, handle, address, location, description).

  ezdxf_links.py OUT PATH...     PATH: a drawing, or a folder whose .dxf drawings are read
"""
import json
import os
import sys

import ezdxf


def drawings(paths):
    for path in paths:
        if not os.path.isdir(path):
            yield path
            continue
        for root, folders, files in os.walk(path):
            folders.sort()
            for name in sorted(files):
                if name.lower().endswith(".dxf"):
                    yield os.path.join(root, name)


with open(sys.argv[1], "w", encoding="utf-8") as out:
    for path in drawings(sys.argv[2:]):
        doc = ezdxf.readfile(path)
        for layout in doc.layouts:
            for entity in layout:
                if entity.has_hyperlink():
                    address, description, location = entity.get_hyperlink()
                    out.write(json.dumps({"file": path, "handle": entity.dxf.handle,
                                          "address": address, "location": location,
                                          "description": description},
                                         ensure_ascii=False) + "\n")
