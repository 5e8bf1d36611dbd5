"""tzad's Insert Hyperlink dialog driven as a person drives it, on a virtual X display.

A drawing is opened with `--script`; the script selects one line and runs HYPERLINK. When
the dialog appears, xdotool types an address into it and presses Enter; the script then
saves, and ezdxf reads the hyperlink back from the saved drawing. A second session takes the
address from the web browse dialog instead: Alt+B opens it, a file:// page is typed into its
address box and shown, Alt+O hands the page back. The sessions run in the machine's default
language, so the titles are the Chinese ones.

  hyperlink_dialog.py TZAD MODULE_DIR SAMPLE   (under xvfb-run)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import ezdxf

TITLE = "插入超链接"
WEB_TITLE = "浏览 Web - 选择超链接"
TYPED = "www.example.com/x"
EXPECTED = "http://www.example.com/x"
LINE = "90"


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True)


def wait_for_window(title, process, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if process.poll() is not None:
            return None
        found = xdotool("search", "--onlyvisible", "--name", title).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    return None


def type_address(window, process, tmp):
    xdotool("type", "--delay", "60", TYPED)
    xdotool("key", "Return")
    return EXPECTED


def browse_the_web(window, process, tmp):
    page = os.path.join(tmp, "page.html")
    with open(page, "w", encoding="utf-8") as out:
        out.write("<html><head><title>Site plan notes</title></head><body>Notes</body></html>")
    xdotool("key", "alt+b")
    web = wait_for_window(WEB_TITLE, process)
    if web is None:
        sys.exit(f"the web browse dialog '{WEB_TITLE}' did not appear")
    # The home page starts loading first and takes the focus when it arrives.
    time.sleep(2)
    xdotool("windowfocus", "--sync", web)
    xdotool("key", "alt+d")
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "20", "file://" + page)
    xdotool("key", "Return")
    time.sleep(3)
    xdotool("key", "alt+o")
    time.sleep(0.5)
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "Return")
    return "file://" + page


def run_session(tzad, modules, sample, act):
    with tempfile.TemporaryDirectory(prefix="tzad-gui-") as tmp:
        shutil.copy(sample, os.path.join(tmp, "plan.dxf"))
        script = os.path.join(tmp, "session.scr")
        with open(script, "w", encoding="utf-8") as out:
            out.write(f"SELECT\n{LINE}\n\nHYPERLINK\nSAVE\n")
        env = dict(os.environ, TZAD_MODULE_PATH=modules, HOME=tmp, NO_AT_BRIDGE="1",
                   XDG_CONFIG_HOME=os.path.join(tmp, "config"),
                   XDG_DATA_HOME=os.path.join(tmp, "data"))
        env.pop("TZAD_LANG", None)
        process = subprocess.Popen([tzad, "--script", script, "plan.dxf"], cwd=tmp, env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            window = wait_for_window(TITLE, process)
            if window is None:
                out = process.communicate(timeout=10)[0].decode("utf-8", "replace")
                sys.exit(f"the dialog '{TITLE}' did not appear; tzad said:\n{out}")
            xdotool("windowfocus", "--sync", window)
            time.sleep(0.3)
            expected = act(window, process, tmp)
            out = process.communicate(timeout=60)[0].decode("utf-8", "replace")
        finally:
            if process.poll() is None:
                process.kill()
        if process.returncode != 0:
            sys.exit(f"tzad ended with {process.returncode}:\n{out}")
        doc = ezdxf.readfile(os.path.join(tmp, "plan.dxf"))
        link = doc.entitydb[LINE].get_hyperlink()
        if link[0] != expected:
            sys.exit(f"saved hyperlink {link!r}, expected {expected!r}; tzad said:\n{out}")
        print(f"hyperlink written by the dialog: {link[0]}")


def main():
    tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:4])
    run_session(tzad, modules, sample, type_address)
    run_session(tzad, modules, sample, browse_the_web)


if __name__ == "__main__":
    main()
