"""What the Python drivers of tzad share: a session folder holding the sample plan, tzad's
environment pointing into it, and windows found with xdotool."""
import os
import shutil
import subprocess
import tempfile
import time


class SessionFolder(tempfile.TemporaryDirectory):
    """A temporary folder holding the sample drawing as plan.dxf."""

    def __init__(self, sample, prefix="tzad-"):
        super().__init__(prefix=prefix)
        shutil.copy(sample, os.path.join(self.name, "plan.dxf"))


def environment(folder, modules, drop=("DISPLAY", "WAYLAND_DISPLAY"), **more):
    """tzad's environment: its modules, and a home and settings inside the folder."""
    env = {k: v for k, v in os.environ.items() if k not in drop}
    env.update(TZAD_MODULE_PATH=modules, HOME=folder, XDG_CONFIG_HOME=f"{folder}/config",
               XDG_DATA_HOME=f"{folder}/data", XDG_STATE_HOME=f"{folder}/.local/state", **more)
    return env


def write(path, text):
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True)


def wait_until(done, seconds=10, interval=0.05):
    """Whether done() came true before the deadline; it is asked again every interval."""
    deadline = time.monotonic() + seconds
    while not done():
        if time.monotonic() >= deadline:
            return False
        time.sleep(interval)
    return True


def wait_for_window(title, process, seconds=30):
    """The id of a visible window with that title, or None when tzad ended or time ran out."""
    deadline = time.time() + seconds
    while time.time() < deadline and process.poll() is None:
        found = xdotool("search", "--onlyvisible", "--name", title).stdout.split()
        if found:
            return found[0]
        time.sleep(0.2)
    return None
