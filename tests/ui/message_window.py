"""tzad with a display: a module's message opens a window instead of going onto the command
line, a person presses Enter, and the session carries on to its end.

usage: message_window.py TZAD MODULE_FOLDER   (run under xvfb-run)
"""
import os
import subprocess
import sys
import tempfile
import time


def wait_for_window(name, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        found = subprocess.run(["xdotool", "search", "--name", f"^{name}$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    return None


def main():
    tzad, modules = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "script.scr"), "w", encoding="utf-8") as script:
            script.write(f"HYPERLINKOPEN\n{folder}/nothing-here.pdf\n\n")
        env = dict(os.environ, TZAD_MODULE_PATH=modules, HOME=folder, NO_AT_BRIDGE="1",
                   XDG_CONFIG_HOME=os.path.join(folder, "config"))
        tzad_run = subprocess.Popen([tzad, "--lang", "en", "--script", "script.scr"], cwd=folder,
                                    env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        window = wait_for_window("tzad")
        if window is None:
            tzad_run.kill()
            sys.exit("no message window:\n" + tzad_run.communicate()[0].decode())
        # Xvfb has no window manager: the keyboard goes where the pointer is.
        subprocess.run(["xdotool", "mousemove", "--window", window, "20", "20"], check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        transcript = tzad_run.communicate(timeout=30)[0].decode("utf-8", "replace")
    print(transcript)
    if tzad_run.returncode != 0:
        sys.exit(f"tzad ended with {tzad_run.returncode}")
    if "Hyperlink target not found" in transcript:
        sys.exit("the message went onto the command line as well")
    if "Enter named location <none>:" not in transcript:
        sys.exit("the session did not reach the message")


main()
