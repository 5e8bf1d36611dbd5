"""What a script run costs before it reads a byte: tzad --script with QUIT on a drawing, as a
user runs it over a folder of drawings.

  startup_bench.py TZAD MODULE_DIR DRAWING [RUNS]

Runs tzad RUNS times (20 by default) without a display and prints the median wall time as
"STARTUP_MS", the largest peak memory as "STARTUP_PEAK_MIB" and, from one more run with the
dynamic loader's log, the shared libraries loaded as "STARTUP_LIBRARIES" (each named once). The peak is
measured with GNU time (the `time` package) over three more runs.
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def environment(modules):
    # The display stays as the user has it: a script run must load no windowing either way.
    return dict(os.environ, TZAD_MODULE_PATH=modules, TZAD_LANG="en")


def run_once(tzad, modules, drawing, script):
    start = time.perf_counter()
    subprocess.run([tzad, "--script", script, drawing], env=environment(modules), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start


def peak_memory(tzad, modules, drawing, script, folder):
    # GNU time measures tzad's peak: a child started from Python starts out with Python's pages,
    # which its peak would count.
    measured = os.path.join(folder, "peak")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", measured, tzad, "--script", script,
                    drawing], env=environment(modules), check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(measured) as peak:
        return int(peak.read().split()[-1]) / 1024


def libraries_loaded(tzad, modules, drawing, script, folder):
    log = os.path.join(folder, "ld")
    env = dict(environment(modules), LD_DEBUG="files", LD_DEBUG_OUTPUT=log)
    subprocess.run([tzad, "--script", script, drawing], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    names = set()
    for name in os.listdir(folder):
        if name.startswith("ld."):
            with open(os.path.join(folder, name), errors="replace") as text:
                names.update(re.findall(r"calling init: (\S+)", text.read()))
    return sorted(names)


def main():
    tzad, modules, drawing = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(folder, "quit.scr")
        with open(script, "w") as out:
            out.write("QUIT\n")
        times = [run_once(tzad, modules, drawing, script) for _ in range(runs)]
        peak = max(peak_memory(tzad, modules, drawing, script, folder) for _ in range(3))
        libraries = libraries_loaded(tzad, modules, drawing, script, folder)
    seconds = statistics.median(times)
    print(f"tzad --script QUIT on {os.path.basename(drawing)}, {runs} runs: median "
          f"{seconds * 1000:.1f} ms, fastest {min(times) * 1000:.1f} ms, "
          f"peak {peak:.1f} MiB, {len(libraries)} shared libraries loaded")
    windowing = [name for name in libraries if re.search(r"libwx_|libgtk|webkit|libtzui", name)]
    print("windowing libraries loaded: " + (", ".join(windowing) if windowing else "none"))
    print(f"STARTUP_MS {seconds * 1000:.2f}")
    print(f"STARTUP_PEAK_MIB {peak:.2f}")
    print(f"STARTUP_LIBRARIES {len(libraries)}")


if __name__ == "__main__":
    main()
