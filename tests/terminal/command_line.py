"""tzad's own command line: options and exit status.

  command_line.py TZAD MODULE_DIR SAMPLE CASE
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import SessionFolder, environment, write  # noqa: E402


def run(tzad, modules, folder, args, script=None, stdin=None):
    # The command line without windows, whatever display the test run has.
    if script is not None:
        write(os.path.join(folder, "script.scr"), script)
        args = ["--script", "script.scr"] + args
    result = subprocess.run([tzad] + args, cwd=folder, input=stdin, capture_output=True,
                            env=environment(folder, modules, TZAD_LANG="en"), timeout=60)
    return result.returncode, (result.stdout + result.stderr).decode("utf-8")


def files_in(folder):
    return sorted(os.listdir(folder))


def unreadable_drawing(tzad, modules, folder):
    # A batch job must never go on to save an empty drawing in place of the one it named.
    write(os.path.join(folder, "broken.dxf"), "this is not a drawing\n")
    script = "SAVEAS\nout.dxf\n"
    for drawing in ("broken.dxf", "missing.dxf"):
        for how in ("script", "pipe"):
            before = files_in(folder)
            status, output = run(tzad, modules, folder, [drawing],
                                 script=script if how == "script" else None,
                                 stdin=script.encode() if how == "pipe" else None)
            assert status == 1, (drawing, how, status, output)
            assert f"{drawing} cannot be read; the commands are not run." in output, output
            assert "Command:" not in output, output
            after = [f for f in files_in(folder) if f != "script.scr"]
            assert after == [f for f in before if f != "script.scr"], (drawing, how, after)
    with open(os.path.join(folder, "broken.dxf")) as kept:
        assert kept.read() == "this is not a drawing\n"


def options(tzad, modules, folder):
    status, output = run(tzad, modules, folder, ["--help"])
    assert status == 0, output
    for word in ("--script", "--load", "--lang", "--path-style", "TZAD_LANG", "Exit status"):
        assert word in output, (word, output)
    status, output = run(tzad, modules, folder, ["--version"])
    assert status == 0 and re.fullmatch(r"tzad \d+\.\d+\.\d+ \(module interface \d+\)\n", output), \
        output
    # A module loaded with --load whose command has no line of its own gets one naming it.
    status, output = run(tzad, modules, folder, ["--load", os.environ["TZT_GREETING_MODULE"],
                                                 "plan.dxf"], script="HELP\n")
    assert re.search(r"  GREET +A command of the module greeting_module\.tzx\.", output), output
    # A refused argument is named, in the language asked for even when it comes first.
    for arguments, named in ((["--no-such-option"], "--no-such-option"),
                             (["--bogus", "--lang", "en"], "--bogus"),
                             (["plan.dxf", "--script"], "--script")):
        status, output = run(tzad, modules, folder, arguments)
        assert status == 2, (arguments, output)
        assert output.startswith(f"tzad: {named}: no such option, or its value is missing\n"
                                 "usage: tzad"), (arguments, output)


CASES = {f.__name__: f for f in (unreadable_drawing, options)}


tzad, modules, sample, case = sys.argv[1:5]
with SessionFolder(sample, "tzad-cli-") as folder:
    CASES[case](os.path.abspath(tzad), os.path.abspath(modules), folder)
