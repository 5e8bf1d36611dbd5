"""The user's round trip through tzad itself: a tzad script opens the drawing, selects every
entity, gives each one a hyperlink with -HYPERLINK and saves the drawing under a new name.

  tzad_roundtrip.py TZAD MODULE_DIR DRAWING OUT [RUNS]

Runs tzad RUNS times (3 by default) and prints each run's wall time and peak memory, then the
median run as "TZAD_TOTAL seconds" and the largest peak as "TZAD_PEAK_MIB MiB".
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ADDRESS = "http://example.com/item"

SCRIPT = f"""SELECT
ALL

-HYPERLINK
Insert
Yes
{ADDRESS}

Item
SAVEAS
{{out}}
"""


def run_once(tzad, modules, drawing, out, script):
    env = dict(os.environ, TZAD_MODULE_PATH=modules, TZAD_LANG="en")
    if os.path.exists(out):
        os.remove(out)  # SAVEAS would ask before replacing the last run's drawing
    # GNU time takes tzad's peak memory: a child started from Python starts out with Python's
    # pages, which its own peak would count.
    peak_file = out + ".peak"
    start = time.perf_counter()
    process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak_file, tzad, "--script",
                                script, drawing], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    transcript = process.stdout.read()
    status = process.wait()
    seconds = time.perf_counter() - start
    if status != 0 or b"Saved " not in transcript:
        sys.exit("tzad did not save the drawing:\n" + transcript.decode("utf-8", "replace")[-2000:])
    with open(peak_file) as peak:
        kib = int(peak.read().split()[-1])
    os.remove(peak_file)
    return seconds, kib / 1024


def linked_entities(path):
    """How many entities of the saved drawing carry the new address."""
    with open(path, "rb") as saved:
        return saved.read().count(ADDRESS.encode())


def main():
    tzad, modules, drawing, out = sys.argv[1:5]
    runs = int(sys.argv[5]) if len(sys.argv) > 5 else 3
    with tempfile.TemporaryDirectory(prefix="tzad-bench-") as tmp:
        script = os.path.join(tmp, "roundtrip.scr")
        with open(script, "w", encoding="utf-8") as f:
            f.write(SCRIPT.format(out=os.path.abspath(out)))
        results = [run_once(tzad, modules, drawing, out, script) for _ in range(runs)]
    for seconds, peak in results:
        print(f"tzad round trip {seconds:.3f} s, peak {peak:.1f} MiB")
    print(f"tzad linked {linked_entities(out)} entities")
    print(f"TZAD_TOTAL {statistics.median(s for s, _ in results):.6f}")
    print(f"TZAD_PEAK_MIB {max(p for _, p in results):.1f}")


if __name__ == "__main__":
    main()
