import json
import os
import sys

folder = sys.argv[1]
opened = [json.loads(line) for line in open(os.path.join(folder, "opened.log"), encoding="utf-8")]
real = os.path.realpath(folder)
expected = [
    [f"{real}/docs/notes.pdf"],
    ["/srv/base/docs/notes.pdf"],
    ["mailto:someone@example.com"],
    ["www.example.com"],
    [f"{real}/ docs/notes.pdf"],
    ["http://example.com/refuse"],
]
opened = [[a.replace(folder, real) for a in call] for call in opened]
assert opened == expected, opened
