"""Undo on the user's path: a tzad script gives every entity of a drawing a hyperlink with
-HYPERLINK, then takes it back with U and does it again with REDO. tzad's traces
(TZAD_TRACE=1) give each command's time and the bytes the undo step holds.

  undo_bench.py TZAD MODULE_DIR DRAWING [RUNS]

Prints the median U time as "UNDO_SECONDS", the median REDO time as "REDO_SECONDS", and the
step's bytes per changed record as "UNDO_BYTES_PER_RECORD".
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile

SCRIPT = """SELECT
ALL

-HYPERLINK
Insert
Yes
http://example.com/item

Item
U
REDO
QUIT
No
"""


def run_once(tzad, modules, drawing, script):
    env = dict(os.environ, TZAD_MODULE_PATH=modules, TZAD_LANG="en", TZAD_TRACE="1")
    result = subprocess.run([tzad, "--script", script, drawing], env=env, capture_output=True,
                            text=True, check=True)
    times = dict(re.findall(r"^command (\S+): ([0-9.]+) s$", result.stderr, re.M))
    step = re.search(r"^undo step -HYPERLINK: (\d+) record images, (\d+) bytes$", result.stderr,
                     re.M)
    if "U" not in times or step is None:
        sys.exit("tzad did not undo:\n" + result.stdout[-2000:] + result.stderr[-2000:])
    return float(times["U"]), float(times["REDO"]), int(step[1]), int(step[2])


def main():
    tzad, modules, drawing = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    with tempfile.TemporaryDirectory(prefix="tzad-bench-") as tmp:
        script = os.path.join(tmp, "undo.scr")
        with open(script, "w", encoding="utf-8") as f:
            f.write(SCRIPT)
        results = [run_once(tzad, modules, drawing, script) for _ in range(runs)]
    for undo, redo, records, size in results:
        print(f"U {undo * 1000:.1f} ms, REDO {redo * 1000:.1f} ms, "
              f"undo step {records} records in {size / 2**20:.1f} MiB")
    records, size = results[0][2], results[0][3]
    print(f"UNDO_SECONDS {statistics.median(r[0] for r in results):.6f}")
    print(f"REDO_SECONDS {statistics.median(r[1] for r in results):.6f}")
    print(f"UNDO_BYTES_PER_RECORD {size / records:.1f}")


if __name__ == "__main__":
    main()
