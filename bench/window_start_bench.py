"""From the command that opens a drawing to a drawn, idle main window, through tzad and through
LibreCAD (Debian's librecad, the CAD program a Linux user would pick instead), on one virtual
display in the same run.

  window_start_bench.py TZAD MODULE_DIR DRAWING [RUNS]

Starts Xvfb, then runs `tzad DRAWING` and `librecad DRAWING` RUNS times each (3 by default), in
turn, each in a fresh temporary home (LibreCAD's first-run welcome answered in its settings
file, as a user who has started it once has it). A run ends when the program's window named
after the drawing is mapped and the process has then used no processor time for 0.5 s; its
time is from the start to the last processor time it used. Prints each run and the medians as
"WINDOW_START_TZAD s" and "WINDOW_START_LIBRECAD s".
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

QUIET = 0.5  # seconds without processor time that count as idle
POLL = 0.01
DEADLINE = 120

LIBRECAD_SETTINGS = """[Appearance]
Language=en
LanguageCmd=en

[Defaults]
Unit=Millimeter

[Startup]
FirstLoad=0
"""


def start_display():
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1600x1000x24",
                               "-nolisten", "tcp"], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as answer:
        number = answer.readline().strip()
    return server, ":" + number


def processor_time(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime, in clock ticks


def window_mapped(display, name):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                           env=dict(os.environ, DISPLAY=display), capture_output=True)
    return found.returncode == 0 and found.stdout.strip() != b""


def time_to_idle_window(command, env, display, name):
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not window_mapped(display, name):
            if process.poll() is not None or time.perf_counter() - start > DEADLINE:
                return None
            time.sleep(POLL)
        used, last = processor_time(process.pid), time.perf_counter()
        while time.perf_counter() - last < QUIET:
            time.sleep(POLL)
            now = processor_time(process.pid)
            if now != used:
                used, last = now, time.perf_counter()
        return last - start
    finally:
        process.kill()
        process.wait()


def attempts(run, name):
    """A run's time; a program that ended without its window is started again, twice at most
    (LibreCAD now and then exits at start on a virtual display)."""
    for _ in range(3):
        seconds = run()
        if seconds is not None:
            return seconds
    sys.exit(f"{name} showed no window three times")


def tzad_run(tzad, modules, drawing, display, home):
    env = dict(os.environ, DISPLAY=display, HOME=home, TZAD_MODULE_PATH=modules, TZAD_LANG="en",
               XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_STATE_HOME=os.path.join(home, ".local/state"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"))
    env.pop("WAYLAND_DISPLAY", None)
    return time_to_idle_window([tzad, drawing], env, display, os.path.basename(drawing))


def librecad_run(drawing, display, home):
    settings = os.path.join(home, ".config", "LibreCAD")
    os.makedirs(settings)
    with open(os.path.join(settings, "LibreCAD.conf"), "w") as out:
        out.write(LIBRECAD_SETTINGS)
    env = dict(os.environ, DISPLAY=display, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
    env.pop("WAYLAND_DISPLAY", None)
    return time_to_idle_window(["librecad", drawing], env, display, os.path.basename(drawing))


def in_home(run, *arguments):
    with tempfile.TemporaryDirectory() as home:
        return run(*arguments, home)


def main():
    tzad, modules, drawing = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    if shutil.which("librecad") is None:
        sys.exit("librecad is not installed (make bench installs it)")
    server, display = start_display()
    ours, theirs = [], []
    try:
        for run in range(runs):
            ours.append(attempts(lambda: in_home(tzad_run, tzad, modules, drawing, display), "tzad"))
            theirs.append(attempts(lambda: in_home(librecad_run, drawing, display), "LibreCAD"))
            print(f"run {run + 1}: tzad {ours[-1]:.2f} s, LibreCAD {theirs[-1]:.2f} s")
    finally:
        server.terminate()
        server.wait()
    print(f"WINDOW_START_TZAD {statistics.median(ours):.3f}")
    print(f"WINDOW_START_LIBRECAD {statistics.median(theirs):.3f}")


if __name__ == "__main__":
    main()
