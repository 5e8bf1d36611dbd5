#!/usr/bin/env python3
"""The pieces' state check on objects compiled from small sources, each with its verdict.

usage: check_piece_state_test.py CXX NM
"""

import contextlib
import io
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_piece_state  # noqa: E402

CXX = "c++"
NM = "nm"

# (what the case is, the source, the variables reported)
CASES = [
    ("constant tables, of values and of pointers, are no state",
     "const int kSizes[] = {1, 2};\nconst char* const kNames[] = {\"a\", \"b\"};\n"
     "int size(int i) { return kSizes[i] + *kNames[i]; }", []),
    ("a counter is",
     "int counter;\nint bump() { return ++counter; }", ["counter"]),
    ("so is a function's own static, and a thread's",
     "int next() { static int n = 0; return ++n; }\n"
     "thread_local int depth;\nint deeper() { return ++depth; }", ["next()::n", "depth"]),
    ("the generator of temporary names is each binary's own",
     "#include <random>\nnamespace { unsigned randomSuffix() {\n"
     "  static std::mt19937 generator{std::random_device{}()}; return generator(); } }\n"
     "unsigned suffix() { return randomSuffix(); }", []),
]


class PieceState(unittest.TestCase):
    def test_cases(self):
        for what, source, reported in CASES:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                path = pathlib.Path(folder) / "piece.cpp"
                path.write_text(source, encoding="utf-8")
                piece = str(path.with_suffix(".o"))
                subprocess.run([CXX, "-std=c++20", "-c", "-fPIC", "-o", piece, str(path)],
                               check=True)
                sys.argv = ["check_piece_state.py", NM, piece]
                with contextlib.redirect_stdout(io.StringIO()) as said:
                    result = check_piece_state.main()
                lines = said.getvalue().splitlines()
                self.assertEqual(result, 1 if reported else 0, lines)
                self.assertEqual(len(lines), len(reported), lines)
                for name, line in zip(sorted(reported), lines):
                    self.assertIn(f": {name} is a variable", line)


if __name__ == "__main__":
    NM = sys.argv.pop(2)
    CXX = sys.argv.pop(1)
    unittest.main()
