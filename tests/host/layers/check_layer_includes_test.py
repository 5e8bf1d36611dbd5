#!/usr/bin/env python3
"""The layer include check on small host trees, each with what it must report."""

import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_layer_includes  # noqa: E402

# A stack like the host's: dxf at the bottom, db on it, docs and view beside each other on db,
# editor on both.
LAYERS = ["dxf", "db:dxf", "docs:db", "view:db", "editor:docs,view"]
FOLDERS = ["dxf", "db", "docs", "view", "editor"]

# (what the case is, files as {path in host/: text}, the faults expected, each as the words of
# one line of the report; none for a clean tree)
CASES = [
    ("an include from the layer's own folder and one below",
     {"db/a.cpp": '#include "db/a.h"\n#include "dxf/tag.h"\n'}, []),
    ("an include from a layer below the ones it uses",
     {"editor/a.cpp": '#include "dxf/tag.h"\n'}, []),
    ("SDK, platform and system headers are not layers",
     {"dxf/a.cpp": '#include "tzdb_database.h"\n#include "platform/text.h"\n#include <vector>\n'},
     []),
    ("an include from the layer above",
     {"docs/a.cpp": '#include <string>\n#include "editor/editor.h"\n'},
     [["host/docs/a.cpp:2:", "editor/editor.h", "editor layer"]]),
    ("an include from a layer beside it",
     {"view/a.h": '#include "docs/document.h"\n'}, [["host/view/a.h:1:", "docs layer"]]),
    ("a layer's header in angle brackets",
     {"db/a.cpp": '#  include <editor/editor.h>\n'}, [["host/db/a.cpp:1:", "editor layer"]]),
    ("a file in a subfolder of the layer",
     {"db/sub/a.cpp": '#include "db/a.h"\n#include "view/scene.h"\n'},
     [["host/db/sub/a.cpp:2:", "view layer"]]),
    ("climbing out of the folder, even to a layer below",
     {"docs/a.cpp": '#include "../db/a.h"\n#include "../editor/editor.h"\n'},
     [["host/docs/a.cpp:1:", "leaves the including folder"],
      ["host/docs/a.cpp:2:", "leaves the including folder"]]),
    ("an absolute path",
     {"docs/a.cpp": '#include "/src/host/editor/editor.h"\n'},
     [["host/docs/a.cpp:1:", "leaves the including folder"]]),
    ("a folder that is not a declared layer",
     {"tools/a.cpp": '#include "editor/editor.h"\n'}, [["host/tools", "not a declared layer"]]),
    ("only C++ sources are read",
     {"docs/notes.txt": '#include "editor/editor.h"\n'}, []),
]


def write_tree(root, files, folders=FOLDERS):
    host = pathlib.Path(root) / "host"
    for folder in folders:
        (host / folder).mkdir(parents=True, exist_ok=True)
    for path, text in files.items():
        (host / path).parent.mkdir(parents=True, exist_ok=True)
        (host / path).write_text(text)
    return host


class CheckLayerIncludesTest(unittest.TestCase):
    def assertFaults(self, faults, expected):
        self.assertEqual(len(faults), len(expected), faults)
        for fault, words in zip(faults, expected):
            for word in words:
                self.assertIn(word, fault)

    def test_cases(self):
        for name, files, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                host = write_tree(root, files)
                faults = check_layer_includes.check(host, check_layer_includes.parse_layers(LAYERS))
                self.assertFaults(faults, expected)

    def test_declarations(self):
        cases = [
            ("a layer that uses one never declared", ["dxf", "db:dxf,base"],
             [["layer db uses base", "not a declared layer"]]),
            ("layers that use each other", ["dxf:db", "db:dxf"],
             [["cycle", "dxf -> db -> dxf"]]),
            ("a declared layer without a folder", ["dxf", "db:dxf", "gone:db"],
             [["layer gone has no folder"]]),
        ]
        for name, layers, expected in cases:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                host = write_tree(root, {}, ["dxf", "db"])
                faults = check_layer_includes.check(host, check_layer_includes.parse_layers(layers))
                self.assertFaults(faults, expected)

    def test_exit_status(self):
        with tempfile.TemporaryDirectory() as root:
            host = write_tree(root, {"db/a.cpp": '#include "editor/editor.h"\n'})
            self.assertEqual(check_layer_includes.main(["check", str(host)] + LAYERS), 1)
            (host / "db/a.cpp").write_text('#include "dxf/tag.h"\n')
            self.assertEqual(check_layer_includes.main(["check", str(host)] + LAYERS), 0)


if __name__ == "__main__":
    unittest.main()
