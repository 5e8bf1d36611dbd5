"""The link tools' benchmark: tzlinks beside a python3-ezdxf script that does the same (read
every drawing, list every hyperlink as JSON lines), each a whole program from start to exit,
over 1,000 small drawings (made once with ezdxf, in folders of 100) and over the drawing of
many lines; then tzlinks checking 10,000 links to files offline (half of them there, and links
to views of 100 drawings).

  links_bench.py TZLINKS WORK_DIR LINES_DRAWING
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

import ezdxf

here = os.path.dirname(os.path.abspath(__file__))
tzlinks, work, lines_drawing = sys.argv[1:4]
small = os.path.join(work, "links-1000")
checked = os.path.join(work, "links-check")


def make_small_drawings():
    """1,000 drawings of 20 lines each, 5 of them linked, as ezdxf writes a new R2018 drawing."""
    if os.path.isdir(small) and sum(len(f) for _, _, f in os.walk(small)) == 1000:
        return
    shutil.rmtree(small, ignore_errors=True)
    for n in range(1000):
        folder = os.path.join(small, f"project-{n // 100:02d}")
        os.makedirs(folder, exist_ok=True)
        doc = ezdxf.new("R2018")
        msp = doc.modelspace()
        for i in range(20):
            line = msp.add_line((i, 0), (i, 10))
            if i % 4 == 0:
                line.set_hyperlink(f"docs/sheet-{n}-{i}.pdf", f"Sheet {n}.{i}")
        doc.saveas(os.path.join(folder, f"drawing-{n:04d}.dxf"))


def make_checked_drawing():
    """10,000 lines linked to files (every other one there), 100 of them to views of drawings."""
    drawing = os.path.join(checked, "links.dxf")
    if os.path.exists(drawing):
        return drawing
    os.makedirs(os.path.join(checked, "docs"), exist_ok=True)
    os.makedirs(os.path.join(checked, "sheets"), exist_ok=True)
    for n in range(100):
        sheet = ezdxf.new("R2018")
        sheet.views.new("Detail", dxfattribs={"center": (0, 0), "height": 10, "width": 10})
        sheet.saveas(os.path.join(checked, "sheets", f"sheet-{n}.dxf"))
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    for i in range(10000):
        line = msp.add_line((i, 0), (i, 10))
        if i < 100:
            line.set_hyperlink(f"sheets/sheet-{i}.dxf", f"Sheet {i}", "Detail" if i % 2 else "Gone")
            continue
        name = f"docs/file-{i}.pdf"
        if i % 2 == 0:
            open(os.path.join(checked, name), "w").close()
        line.set_hyperlink(name, f"File {i}")
    doc.saveas(drawing)
    return drawing


def timed(command, runs):
    """The median wall time of whole runs, and the last run's output lines."""
    seconds, out = [], None
    for _ in range(runs):
        started = time.perf_counter()
        result = subprocess.run(command, capture_output=True)
        seconds.append(time.perf_counter() - started)
        if result.returncode not in (0, 1):
            sys.exit(f"{command[0]} failed: {result.stderr.decode()}")
        out = result.stdout
    return statistics.median(seconds), out


def compare(name, paths):
    ours, listed = timed([tzlinks, "list", "--json", *paths], 5)
    theirs_out = os.path.join(work, "ezdxf-links.jsonl")
    theirs, _ = timed(["/usr/bin/python3", os.path.join(here, "ezdxf_links.py"), theirs_out,
                       *paths], 1)
    with open(theirs_out, encoding="utf-8") as f:
        their_lines = sum(1 for _ in f)
    os.remove(theirs_out)
    our_lines = len(listed.splitlines())
    if our_lines != their_lines:
        sys.exit(f"{name}: tzlinks listed {our_lines} hyperlinks, ezdxf {their_lines}")
    print(f"LINKS_TZLINKS {name} {ours:.3f}")
    print(f"LINKS_EZDXF {name} {theirs:.3f}")
    print(f"{name}: {our_lines} hyperlinks; tzlinks {ours:.3f} s, ezdxf {theirs:.2f} s: "
          f"{theirs / ours:.0f} times faster")


make_small_drawings()
compare("1000-small-drawings", [small])
compare(os.path.basename(lines_drawing), [lines_drawing])
drawing = make_checked_drawing()
seconds, out = timed([tzlinks, "check", "--json", drawing], 5)
broken = sum(1 for line in out.splitlines() if b'"status":"ok"' not in line)
print(f"LINKS_CHECK_10000 {seconds:.3f}")
print(f"Offline check of 10,000 links to files ({broken} broken): tzlinks {seconds:.3f} s")
