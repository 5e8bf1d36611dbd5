"""tzad with a display: a module's message opens a window instead of going onto the command
line, a person presses Enter, and the session carries on to its end.

usage: message_window.py TZAD MODULE_FOLDER   (run under xvfb-run)
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import environment, wait_for_window, write, xdotool  # noqa: E402

tzad, modules = sys.argv[1:3]
with tempfile.TemporaryDirectory() as folder:
    write(os.path.join(folder, "script.scr"), f"HYPERLINKOPEN\n{folder}/nothing-here.pdf\n\n")
    run = subprocess.Popen([tzad, "--lang", "en", "--script", "script.scr"], cwd=folder,
                           env=environment(folder, modules, drop=(), NO_AT_BRIDGE="1"),
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    window = wait_for_window("^tzad$", run, 15)
    if window is None:
        run.kill()
        sys.exit("no message window:\n" + run.communicate()[0].decode())
    # Xvfb has no window manager: the keyboard goes where the pointer is.
    xdotool("mousemove", "--window", window, "20", "20")
    time.sleep(0.3)
    xdotool("key", "Return")
    transcript = run.communicate(timeout=30)[0].decode("utf-8", "replace")
print(transcript)
if run.returncode != 0:
    sys.exit(f"tzad ended with {run.returncode}")
if "Hyperlink target not found" in transcript:
    sys.exit("the message went onto the command line as well")
if "Enter named location <none>:" not in transcript:
    sys.exit("the session did not reach the message")
