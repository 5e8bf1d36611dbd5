"""tzad's Insert Hyperlink dialog driven as a person drives it, on a virtual X display.

A drawing is opened with `--script`; the script selects one line and runs HYPERLINK. When
the dialog appears, xdotool types an address into it and presses Enter; the script then
saves, and ezdxf reads the hyperlink back from the saved drawing. A second session takes the
address from the web browse dialog instead: Alt+B opens it, a file:// page is typed into its
address box and shown, Alt+O hands the page back. Each session ends with HYPERLINKOPEN on a
missing file: its message opens a window, not a line of the transcript, and Enter closes it.
The sessions run in the machine's default language, so the titles are the Chinese ones.

  hyperlink_dialog.py TZAD MODULE_DIR SAMPLE   (under xvfb-run)
"""
import os
import subprocess
import sys
import time

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import SessionFolder, environment, wait_for_window, write, xdotool  # noqa: E402

TITLE = "插入超链接"
WEB_TITLE = "浏览 Web - 选择超链接"
LINE = "90"


def type_address(window, process, tmp):
    xdotool("type", "--delay", "60", "www.example.com/x")
    xdotool("key", "Return")
    return "http://www.example.com/x"


def browse_the_web(window, process, tmp):
    page = os.path.join(tmp, "page.html")
    write(page, "<html><head><title>Site plan notes</title></head><body>Notes</body></html>")
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


def close_message(process):
    message = wait_for_window("^tzad$", process, 15)
    if message is None:
        sys.exit("no message window")
    # Xvfb has no window manager: the keyboard goes where the pointer is.
    xdotool("mousemove", "--window", message, "20", "20")
    time.sleep(0.3)
    xdotool("key", "Return")


def run_session(tzad, modules, sample, act):
    with SessionFolder(sample, "tzad-gui-") as tmp:
        write(os.path.join(tmp, "session.scr"),
              f"SELECT\n{LINE}\n\nHYPERLINK\nSAVE\nHYPERLINKOPEN\n{tmp}/nothing-here.pdf\n\n")
        env = environment(tmp, modules, drop=("TZAD_LANG",), NO_AT_BRIDGE="1")
        process = subprocess.Popen([tzad, "--script", "session.scr", "plan.dxf"], cwd=tmp,
                                   env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            window = wait_for_window(TITLE, process)
            if window is None:
                out = process.communicate(timeout=10)[0].decode("utf-8", "replace")
                sys.exit(f"the dialog '{TITLE}' did not appear; tzad said:\n{out}")
            xdotool("windowfocus", "--sync", window)
            time.sleep(0.3)
            expected = act(window, process, tmp)
            close_message(process)
            out = process.communicate(timeout=60)[0].decode("utf-8", "replace")
        finally:
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
