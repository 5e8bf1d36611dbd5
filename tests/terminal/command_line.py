"""tzad's own command line: options, exit status, HELP.

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


def failed_save(tzad, modules, folder):
    cases = [
        # (script, exit status): a failed save fails the run even when a later one succeeds.
        ("SAVEAS\nno-such-folder/plan.dxf\n", 1),
        ("SAVEAS\nno-such-folder/plan.dxf\nSAVEAS\ncopy.dxf\n", 1),
        ("SAVEAS\ncopy.dxf\n", 0),
    ]
    for script, expected in cases:
        status, output = run(tzad, modules, folder, ["plan.dxf"], script=script)
        assert status == expected, (script, status, output)


def help_command(tzad, modules, folder):
    status, output = run(tzad, modules, folder, ["plan.dxf"], script="HELP\n?\n")
    assert status == 0, output
    listings = re.split(r"^Command: ", output, flags=re.M)[1:]
    help_lines, question_lines = (listing.splitlines()[1:] for listing in listings)
    assert help_lines == question_lines, output
    described = {}
    for line in help_lines[1:]:
        match = re.fullmatch(r"  (\S+) +(\S.*)", line)
        assert match, f"not a command with its line: {line!r}"
        described[match.group(1)] = match.group(2)
    for name in ("NEW", "OPEN", "SAVE", "SAVEAS", "QUIT", "SELECT", "LIST", "-LAYER", "-VIEW",
                 "HYPERLINKBASE", "HELP", "?", "HYPERLINK", "-HYPERLINK", "HYPERLINKOPEN",
                 "PASTEASHYPERLINK"):
        assert name in described, (name, output)
    assert described["-HYPERLINK"].startswith("Inserts or removes hyperlinks"), described
    # A module without a line of its own gets one naming it.
    status, output = run(tzad, modules, folder, ["--load", os.environ["TZT_GREETING_MODULE"],
                                                 "plan.dxf"], script="HELP\n")
    assert re.search(r"  GREET +A command of the module greeting_module\.tzx\.", output), output


def hyperlink_without_display(tzad, modules, folder):
    expected = {
        "en": "HYPERLINK opens the Insert Hyperlink dialog, which needs a display. "
              "On the command line, use -HYPERLINK.",
        "zh": "HYPERLINK 打开“插入超链接”对话框，该对话框需要图形显示。在命令行上请使用 -HYPERLINK。",
    }
    for lang, text in expected.items():
        status, output = run(tzad, modules, folder, ["--lang", lang, "plan.dxf"],
                             script="HYPERLINK\n")
        assert status == 0 and f"Command: HYPERLINK\n{text}\n" in output, output


def help_option(tzad, modules, folder):
    status, output = run(tzad, modules, folder, ["--help"])
    assert status == 0, output
    for word in ("--script", "--load", "--lang", "--path-style", "--help", "--version",
                 "TZAD_LANG", "TZAD_MODULE_PATH", "TZAD_OPEN_COMMAND", "TZAD_CLIPBOARD_DIR",
                 "DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "Ctrl+C", "Ctrl+D",
                 "Exit status"):
        assert word in output, (word, output)


def version_option(tzad, modules, folder):
    status, output = run(tzad, modules, folder, ["--version"])
    assert status == 0 and re.fullmatch(r"tzad \d+\.\d+\.\d+ \(module interface \d+\)\n", output), \
        output
    status, output = run(tzad, modules, folder, ["--no-such-option"])
    assert status == 2 and output.startswith("usage: tzad"), output


CASES = {f.__name__: f for f in (unreadable_drawing, failed_save, help_command,
                                 hyperlink_without_display, help_option, version_option)}


tzad, modules, sample, case = sys.argv[1:5]
with SessionFolder(sample, "tzad-cli-") as folder:
    CASES[case](os.path.abspath(tzad), os.path.abspath(modules), folder)
