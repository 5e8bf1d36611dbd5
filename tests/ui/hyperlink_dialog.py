"""tzad's Insert Hyperlink dialog driven as a person drives it, on a virtual X display.

A drawing is opened with `--script`; the script selects one line and runs HYPERLINK. When
the dialog appears, xdotool types an address into it and presses Enter; the script then
saves, and ezdxf reads the hyperlink back from the saved drawing. The session runs in the
machine's default language, so the dialog's title is the Chinese one.

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


def main():
    tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:4])
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
            xdotool("type", "--delay", "60", TYPED)
            xdotool("key", "Return")
            out = process.communicate(timeout=60)[0].decode("utf-8", "replace")
        finally:
            if process.poll() is None:
                process.kill()
        if process.returncode != 0:
            sys.exit(f"tzad ended with {process.returncode}:\n{out}")
        doc = ezdxf.readfile(os.path.join(tmp, "plan.dxf"))
        link = doc.entitydb[LINE].get_hyperlink()
        if link[0] != EXPECTED:
            sys.exit(f"saved hyperlink {link!r}, expected {EXPECTED!r}; tzad said:\n{out}")
        print(f"hyperlink written by the dialog: {link[0]}")


if __name__ == "__main__":
    main()
