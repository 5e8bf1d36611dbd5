"""A PDF of the drawing's model space, as a user makes one: `tzad --script` with EXPORTPDF
(the whole program, from start to exit) beside ezdxf's drawing add-on (`python3 -m ezdxf draw
-o OUT.pdf`, from start to exit), in the same run.

  pdf_bench.py TZAD MODULE_DIR DRAWING [RUNS]

Runs tzad RUNS times (3 by default) and ezdxf once, and prints the median tzad run as
"TZAD_PDF_SECONDS", its PDF's size as "TZAD_PDF_BYTES", and the same for ezdxf as
"EZDXF_PDF_SECONDS" and "EZDXF_PDF_BYTES".
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command, env=None):
    start = time.perf_counter()
    result = subprocess.run(command, env=env, capture_output=True)
    seconds = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit(f"{command[0]} failed:\n" + (result.stdout + result.stderr).decode()[-2000:])
    return seconds, result.stdout.decode("utf-8", "replace")


def tzad_run(tzad, modules, drawing, out, script):
    if os.path.exists(out):
        os.remove(out)  # EXPORTPDF would ask before replacing the last run's PDF
    env = dict(os.environ, TZAD_MODULE_PATH=modules, TZAD_LANG="en")
    seconds, transcript = timed([tzad, "--script", script, drawing], env)
    if "Exported 1 page(s)" not in transcript:
        sys.exit("tzad did not export the PDF:\n" + transcript[-2000:])
    return seconds


def main():
    tzad, modules, drawing = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    with tempfile.TemporaryDirectory(prefix="tzad-bench-") as work:
        compare(tzad, modules, drawing, work, runs)


def compare(tzad, modules, drawing, work, runs):
    ours, theirs = os.path.join(work, "tzad.pdf"), os.path.join(work, "ezdxf.pdf")
    script = os.path.join(work, "export.scr")
    with open(script, "w", encoding="utf-8") as f:
        f.write(f"EXPORTPDF\n{ours}\nCurrent\nColor\n")
    times = [tzad_run(tzad, modules, drawing, ours, script) for _ in range(runs)]
    for i, seconds in enumerate(times, 1):
        print(f"tzad run {i}: {seconds:.3f} s")
    print(f"TZAD_PDF_SECONDS {statistics.median(times):.3f}")
    print(f"TZAD_PDF_BYTES {os.path.getsize(ours)}")
    seconds, _ = timed(["/usr/bin/python3", "-m", "ezdxf", "draw", "-o", theirs, drawing])
    print(f"EZDXF_PDF_SECONDS {seconds:.3f}")
    print(f"EZDXF_PDF_BYTES {os.path.getsize(theirs)}")


if __name__ == "__main__":
    main()
