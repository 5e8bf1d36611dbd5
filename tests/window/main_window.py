"""tzad's main window driven as a person drives it, on a virtual X display.

tzad opens a drawing of three upright lines in its window. xdotool types -HYPERLINK and its
answers into the command-line panel, picks the middle line with a click in the view (it lies
across the view's centre), ends the selection with Enter, answers the address and description,
saves with Ctrl+S, restores a paper-space view (which moves the window to the layout and
shows that view, not the layout's extents) and quits with QUIT. ezdxf then reads the
hyperlink from the middle line.

  main_window.py TZAD MODULE_DIR   (under xvfb-run)
"""
import os
import subprocess
import sys
import tempfile
import time

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import environment, wait_for_window, xdotool  # noqa: E402

ADDRESS = "https://example.com/gate"
DESCRIPTION = "Gate"


def type_line(text):
    if text:
        xdotool("type", "--delay", "40", "--", text)
    xdotool("key", "Return")
    time.sleep(0.4)


def make_drawing(path):
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    lines = [msp.add_line((x, 0), (x, 100)) for x in (-100, 0, 100)]
    doc.layouts.new("Sheet").add_circle((5, 6), 40)
    doc.views.new("Detail", dxfattribs={"center": (5, 6), "height": 10, "width": 10, "flags": 1})
    doc.saveas(path)
    return lines[1].dxf.handle


def main():
    tzad, modules = (os.path.abspath(a) for a in sys.argv[1:3])
    with tempfile.TemporaryDirectory(prefix="tzad-window-") as tmp:
        drawing = os.path.join(tmp, "plan.dxf")
        middle = make_drawing(drawing)
        env = environment(tmp, modules, drop=(), NO_AT_BRIDGE="1")
        process = subprocess.Popen([tzad, "--lang", "en", "plan.dxf"], cwd=tmp, env=env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT)
        try:
            window = wait_for_window("plan.dxf - tzad", process)
            if window is None:
                out = process.communicate(timeout=10)[0].decode("utf-8", "replace")
                sys.exit(f"the main window did not appear; tzad said:\n{out}")
            xdotool("windowfocus", "--sync", window)
            time.sleep(1)
            type_line("-HYPERLINK")
            type_line("I")
            type_line("O")
            geometry = dict(line.split("=") for line in
                            xdotool("getwindowgeometry", "--shell", window).stdout.split())
            x = int(geometry["X"]) + int(geometry["WIDTH"]) // 2
            y = int(geometry["Y"]) + int(geometry["HEIGHT"]) * 2 // 5
            xdotool("mousemove", "--sync", str(x), str(y))
            time.sleep(0.3)
            xdotool("click", "1")
            time.sleep(0.5)
            # The view has the keyboard now; what is typed there goes on in the panel.
            type_line("")
            type_line(ADDRESS)
            type_line("")
            type_line(DESCRIPTION)
            xdotool("key", "ctrl+s")
            time.sleep(1)
            for line in ("-VIEW", "Restore", "Detail", "VIEWCTR", "VIEWSIZE"):
                type_line(line)
            type_line("QUIT")
            out = process.communicate(timeout=30)[0].decode("utf-8", "replace")
        finally:
            if process.poll() is None:
                process.kill()
        if process.returncode != 0:
            sys.exit(f"tzad ended with {process.returncode}:\n{out}")
        link = ezdxf.readfile(drawing).entitydb[middle].get_hyperlink()
        if link[0] != ADDRESS or link[1] != DESCRIPTION:
            sys.exit(f"saved hyperlink {link!r} on {middle}; tzad said:\n{out}")
        if "VIEWCTR = 5.0000,6.0000" not in out or "VIEWSIZE = 10.0000" not in out:
            sys.exit(f"the restored view is not the one shown; tzad said:\n{out}")
        print(out)
        print(f"hyperlink typed into the window: {link}")


if __name__ == "__main__":
    main()
