"""tzad's main window driven as a person drives it, on a virtual X display.

tzad opens a drawing of three upright lines in its window. xdotool types -HYPERLINK and its
answers into the command-line panel, picks the middle line with a click in the view (it lies
across the view's centre), ends the selection with Enter, answers the address and description,
saves with Ctrl+S, restores a paper-space view (which moves the window to the layout and
shows that view, not the layout's extents) and quits with QUIT. ezdxf then reads the
hyperlink from the middle line. Each step waits, up to a deadline, for what shows that tzad took
it (the answer in tzad's transcript, the window having the keyboard, the pointer where it was
sent), never for a fixed time.

  main_window.py TZAD MODULE_DIR   (under xvfb-run)
"""
import codecs
import os
import subprocess
import sys
import tempfile
import threading
import time

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import environment, wait_for_window, wait_until, xdotool  # noqa: E402

ADDRESS = "https://example.com/gate"
DESCRIPTION = "Gate"


class Transcript:
    """tzad's output, read by a thread as it comes so that the driver can wait for a line.

    tzad writes a prompt together with its answer once the answer is taken, so a line shows
    that tzad has moved on to the next prompt."""

    def __init__(self, stream):
        self.text, self.position, self.ended = "", 0, False
        self.condition = threading.Condition()
        self.reader = threading.Thread(target=self._read, args=(stream,), daemon=True)
        self.reader.start()

    def _read(self, stream):
        decoder = codecs.getincrementaldecoder("utf-8")("replace")
        while chunk := os.read(stream.fileno(), 4096):
            with self.condition:
                self.text += decoder.decode(chunk)
                self.condition.notify_all()
        with self.condition:
            self.ended = True
            self.condition.notify_all()

    def expect(self, text, seconds=15):
        """Waits until text shows after what was expected before."""
        deadline = time.monotonic() + seconds
        with self.condition:
            while (found := self.text.find(text, self.position)) < 0:
                left = deadline - time.monotonic()
                if self.ended or left <= 0:
                    sys.exit(f"tzad never showed {text!r}; it said:\n{self.text}")
                self.condition.wait(left)
            self.position = found + len(text)

    def whole(self, seconds=30):
        """All tzad said, once it has closed its output."""
        self.reader.join(seconds)
        with self.condition:
            return self.text


def type_line(transcript, text):
    if text:
        xdotool("type", "--delay", "40", "--", text)
    xdotool("key", "Return")
    transcript.expect(f": {text}\n")


def pointer_at(x, y):
    where = dict(line.split("=") for line in xdotool("getmouselocation", "--shell").stdout.split())
    return (int(where["X"]), int(where["Y"])) == (x, y)


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
        transcript = Transcript(process.stdout)
        try:
            window = wait_for_window("plan.dxf - tzad", process)
            if window is None:
                process.wait(timeout=10)
                sys.exit(f"the main window did not appear; tzad said:\n{transcript.whole()}")
            xdotool("windowfocus", "--sync", window)
            if not wait_until(lambda: xdotool("getwindowfocus").stdout.strip() == window):
                sys.exit("the main window never had the keyboard")
            type_line(transcript, "-HYPERLINK")
            type_line(transcript, "I")
            type_line(transcript, "O")
            geometry = dict(line.split("=") for line in
                            xdotool("getwindowgeometry", "--shell", window).stdout.split())
            x = int(geometry["X"]) + int(geometry["WIDTH"]) // 2
            y = int(geometry["Y"]) + int(geometry["HEIGHT"]) * 2 // 5
            xdotool("mousemove", "--sync", str(x), str(y))
            if not wait_until(lambda: pointer_at(x, y)):
                sys.exit(f"the pointer never reached {x},{y} in the view")
            xdotool("click", "1")
            transcript.expect(f": {middle}\n1 found\n")
            # The view has the keyboard now; what is typed there goes on in the panel.
            type_line(transcript, "")
            type_line(transcript, ADDRESS)
            type_line(transcript, "")
            type_line(transcript, DESCRIPTION)
            xdotool("key", "ctrl+s")
            transcript.expect(": SAVE\nSaved ")
            for line in ("-VIEW", "Restore", "Detail", "VIEWCTR", "VIEWSIZE", "QUIT"):
                type_line(transcript, line)
            process.wait(timeout=30)
            out = transcript.whole()
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
