#!/usr/bin/env python3
"""The layer symbol check on objects compiled from small sources, each with what it must report.

usage: check_layer_symbols_test.py CXX NM
"""

import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_layer_symbols  # noqa: E402

CXX = "c++"
NM = "nm"

# Two layers, "low" and "high" above it, each one source; (what the case is, the low source,
# the high source, the words of each fault expected).
CASES = [
    ("a call down is the high layer's own business",
     "int lowValue() { return 1; }",
     "int lowValue();\nint highValue() { return lowValue() + 1; }", []),
    ("a call up is refused",
     "int highValue();\nint lowValue() { return highValue() - 1; }",
     "int highValue() { return 2; }",
     [["low calls highValue() of the high layer"]]),
    ("a class whose members the high layer defines, used below",
     "struct Shape { virtual ~Shape(); virtual int corners() const; };\n"
     "int lowCorners() { Shape s; return s.corners(); }",
     "struct Shape { virtual ~Shape(); virtual int corners() const; };\n"
     "Shape::~Shape() {}\nint Shape::corners() const { return 3; }",
     [["low calls Shape::~Shape() of the high layer"], ["low calls Shape::corners() const"],
      ["low calls vtable for Shape"]]),
    ("an inline function both layers use is defined in both",
     "inline int twice(int v) { return v * 2; }\nint lowTwice() { return twice(3); }\n"
     "int (*lowPointer)(int) = twice;",
     "inline int twice(int v) { return v * 2; }\nint (*highPointer)(int) = twice;", []),
    ("file-local functions of the same name are each layer's own",
     "static int helper() { return 1; }\nint lowUse() { return helper(); }",
     "static int helper() { return 2; }\nint highUse() { return helper(); }", []),
    ("what no layer defines is not a layer's business",
     "#include <cstdlib>\nint lowEnv() { return std::getenv(\"HOME\") != nullptr; }",
     "int highValue() { return 2; }", []),
]


def compile_source(folder, name, text):
    source = pathlib.Path(folder) / f"{name}.cpp"
    source.write_text(text + "\n")
    subprocess.run([CXX, "-std=c++20", "-O0", "-fPIC", "-c", str(source), "-o",
                    f"{source}.o"], check=True)
    return f"{source}.o"


class CheckLayerSymbolsTest(unittest.TestCase):
    def test_cases(self):
        for name, low, high, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                layers = {"low": ([], [compile_source(folder, "low", low)]),
                          "high": (["low"], [compile_source(folder, "high", high)])}
                faults = check_layer_symbols.check(NM, layers)
                self.assertEqual(len(faults), len(expected), faults)
                for fault, words in zip(faults, expected):
                    for word in words:
                        self.assertIn(word, fault)

    def test_uses_are_followed_down(self):
        # top uses middle, middle uses bottom: top may call bottom, bottom neither of them.
        with tempfile.TemporaryDirectory() as folder:
            bottom = compile_source(folder, "bottom",
                                    "int topValue();\nint bottomValue() { return 1; }\n"
                                    "int bottomCallsUp() { return topValue(); }")
            middle = compile_source(folder, "middle", "int middleValue() { return 2; }")
            top = compile_source(folder, "top",
                                 "int bottomValue();\nint topValue() { return bottomValue(); }")
            arguments = ["@bottom", bottom, "@middle:bottom", middle, "@top:middle", top]
            faults = check_layer_symbols.check(NM, check_layer_symbols.parse_arguments(arguments))
            self.assertEqual(len(faults), 1, faults)
            self.assertIn("bottom calls topValue() of the top layer", faults[0])
            self.assertEqual(check_layer_symbols.main(["check", NM] + arguments), 1)


if __name__ == "__main__":
    if len(sys.argv) >= 3:
        CXX, NM = sys.argv[1], sys.argv[2]
        del sys.argv[1:3]
    unittest.main()
