#!/usr/bin/env python3
"""The export check on small libraries built from a one-header SDK, each with its verdict.

usage: check_exports_test.py CXX
"""

import contextlib
import io
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import check_exports  # noqa: E402

CXX = "c++"

# The SDK: a class with a member the host keeps to itself (its declaration over two lines), a
# function, a constant, and a type it names only by reference.
SDK_HEADER = """
#define TZAD_SDK_BEGIN _Pragma("GCC visibility push(default)")
#define TZAD_SDK_END _Pragma("GCC visibility pop")
#ifndef TZAD_HOST_ONLY
#define TZAD_HOST_ONLY __attribute__((visibility("hidden")))
#endif
class TzThingImpl;
TZAD_SDK_BEGIN
class TzThing {
 public:
  int size() const;
  // The host's side of a thing.
  TZAD_HOST_ONLY TzThingImpl&
      impl() const;
};
int tzCount(const TzThing& thing);
template <typename A, typename B>
int tzPair(const A& a, const B& b) { return sizeof a + sizeof b; }
inline constexpr char kTzName[] = "thing";
TZAD_SDK_END
"""
SDK_PART = """
#include "tz_thing.h"
#define EXPORTED __attribute__((visibility("default")))
int TzThing::size() const { return 1; }
int tzCount(const TzThing& thing) { return thing.size(); }
template int tzPair<TzThing, int>(const TzThing&, const int&);
"""
ENTRY = 'extern "C" EXPORTED const void* tzadHostServices() { return nullptr; }\n'


# (what the case is, what the library adds to the SDK, whether the check passes[, what the
# library defines before it includes the SDK])
CASES = [
    ("the SDK, a template of its instantiated, and the entry point", ENTRY, True),
    ("the SDK without the entry point", "", False),
    ("a class of the host with the SDK's prefix",
     "struct EXPORTED TzThingImpl { int depth(); };\nint TzThingImpl::depth() { return 2; }" + ENTRY,
     False),
    ("a host function template that returns an SDK type",
     "namespace tzad { template <typename T> EXPORTED TzThing made(T) { return {}; }\n"
     "template TzThing made<int>(int); }" + ENTRY, False),
    ("the member the SDK keeps for the host, built as if it were not kept",
     "class TzThingImpl {};\nTzThingImpl& TzThing::impl() const {\n"
     "  static TzThingImpl i; return i; }\n" + ENTRY, False, "#define TZAD_HOST_ONLY\n"),
    ("a host function without a prefix",
     "namespace tzad { EXPORTED int editorState() { return 3; } }" + ENTRY, False),
]


def build_library(folder, extra, defines=""):
    source = pathlib.Path(folder) / "library.cpp"
    source.write_text(defines + SDK_PART + extra, encoding="utf-8")
    library = pathlib.Path(folder) / "libtest.so"
    subprocess.run([CXX, "-shared", "-fPIC", "-fvisibility=hidden", "-I", folder, "-o",
                    str(library), str(source)], check=True)
    return str(library)


class ExportCheck(unittest.TestCase):
    def test_cases(self):
        for what, extra, passes, *defines in CASES:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                (pathlib.Path(folder) / "tz_thing.h").write_text(SDK_HEADER, encoding="utf-8")
                library = build_library(folder, extra, *defines)
                sys.argv = ["check_exports.py", library, folder]
                with contextlib.redirect_stdout(io.StringIO()) as said:
                    result = check_exports.main()
                self.assertEqual(result == 0, passes, said.getvalue())


if __name__ == "__main__":
    CXX = sys.argv.pop(1)
    unittest.main()
