"""tzad's Insert Hyperlink dialog driven as a person drives it, on a virtual X display.

A drawing is opened with `--script`; the script selects one line and runs HYPERLINK. When
the dialog appears, xdotool types an address into it and presses Enter; the script then
saves, and ezdxf reads the hyperlink back from the saved drawing. A second session takes the
address from the web browse dialog instead: Alt+B opens it on a file:// home page, another
file:// page is typed into its address box and shown, Alt+O hands the page back. Each session
ends with HYPERLINKOPEN on a missing file: its message opens a window, not a line of the
transcript, and Enter closes it. The sessions run in the machine's default language, so the
titles are the Chinese ones.

The pages tell a small HTTP server of this script when they have loaded. The script waits for
that, for windows to appear and go and for the pointer to arrive, never for a fixed time.

  hyperlink_dialog.py TZAD MODULE_DIR SAMPLE   (under xvfb-run)
"""
import http.server
import os
import subprocess
import sys
import threading
import time

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import SessionFolder, environment, wait_for_window, write, xdotool  # noqa: E402

TITLE = "插入超链接"
WEB_TITLE = "浏览 Web - 选择超链接"
LINE = "90"


class Arrivals:
    """A server on 127.0.0.1 that notes the pages reporting that they have loaded."""

    def __init__(self):
        arrived, condition = set(), threading.Condition()

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                with condition:
                    arrived.add(self.path.lstrip("/"))
                    condition.notify_all()
                self.send_response(204)
                self.end_headers()

            def log_message(self, *args):
                pass

        self.arrived, self.condition = arrived, condition
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def page(self, path, title):
        """A page at path that reports its title once it has loaded."""
        port = self.server.server_address[1]
        write(path, f"<html><head><title>{title}</title></head><body onload=\"new Image().src="
                    f"'http://127.0.0.1:{port}/{title}'\">{title}</body></html>")
        return "file://" + path

    def close(self):
        self.server.shutdown()
        self.server.server_close()

    def wait(self, title, process, seconds=30):
        deadline = time.time() + seconds
        with self.condition:
            while title not in self.arrived and process.poll() is None:
                if time.time() >= deadline:
                    return False
                self.condition.wait(0.2)
        return title in self.arrived


def wait_until_gone(title, process, seconds=15):
    """Whether the visible window with that title has gone (tzad still running)."""
    deadline = time.time() + seconds
    while time.time() < deadline and process.poll() is None:
        if not xdotool("search", "--onlyvisible", "--name", title).stdout.split():
            return True
        time.sleep(0.05)
    return False


def type_address(window, process, tmp, arrivals):
    xdotool("type", "--delay", "60", "www.example.com/x")
    xdotool("key", "Return")
    return "http://www.example.com/x"


def browse_the_web(window, process, tmp, arrivals):
    page = arrivals.page(os.path.join(tmp, "page.html"), "notes")
    xdotool("key", "alt+b")
    web = wait_for_window(WEB_TITLE, process)
    if web is None:
        sys.exit(f"the web browse dialog '{WEB_TITLE}' did not appear")
    # The home page takes the focus when it arrives.
    if not arrivals.wait("home", process):
        sys.exit("the web browse dialog never showed its home page")
    xdotool("windowfocus", "--sync", web)
    xdotool("key", "alt+d")
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "20", page)
    xdotool("key", "Return")
    if not arrivals.wait("notes", process):
        sys.exit(f"the web browse dialog never showed {page}")
    xdotool("key", "alt+o")
    if not wait_until_gone(WEB_TITLE, process):
        sys.exit("the web browse dialog did not close on Alt+O")
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "Return")
    return page


def close_message(process):
    message = wait_for_window("^tzad$", process, 15)
    if message is None:
        sys.exit("no message window")
    # Xvfb has no window manager: the keyboard goes where the pointer is.
    xdotool("mousemove", "--sync", "--window", message, "20", "20")
    xdotool("key", "Return")


def run_session(tzad, modules, sample, act):
    with SessionFolder(sample, "tzad-gui-") as tmp:
        arrivals = Arrivals()
        home = arrivals.page(os.path.join(tmp, "home.html"), "home")
        write(os.path.join(tmp, "session.scr"),
              f"INETLOCATION\n{home}\nSELECT\n{LINE}\n\nHYPERLINK\nSAVE\nHYPERLINKOPEN\n"
              f"{tmp}/nothing-here.pdf\n\n")
        env = environment(tmp, modules, drop=("TZAD_LANG",), NO_AT_BRIDGE="1")
        process = subprocess.Popen([tzad, "--script", "session.scr", "plan.dxf"], cwd=tmp,
                                   env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            window = wait_for_window(TITLE, process)
            if window is None:
                out = process.communicate(timeout=10)[0].decode("utf-8", "replace")
                sys.exit(f"the dialog '{TITLE}' did not appear; tzad said:\n{out}")
            xdotool("windowfocus", "--sync", window)
            expected = act(window, process, tmp, arrivals)
            close_message(process)
            out = process.communicate(timeout=60)[0].decode("utf-8", "replace")
        finally:
            arrivals.close()
            if process.poll() is None:
                process.kill()
        if process.returncode != 0:
            sys.exit(f"tzad ended with {process.returncode}:\n{out}")
        link = ezdxf.readfile(os.path.join(tmp, "plan.dxf")).entitydb[LINE].get_hyperlink()
        if link[0] != expected:
            sys.exit(f"saved hyperlink {link!r}, expected {expected!r}; tzad said:\n{out}")
        if "未找到超链接目标" in out or "输入命名位置" not in out:
            sys.exit(f"the message went onto the command line, or never came:\n{out}")
        print(f"hyperlink written by the dialog: {link[0]}")


tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:4])
run_session(tzad, modules, sample, type_address)
run_session(tzad, modules, sample, browse_the_web)
