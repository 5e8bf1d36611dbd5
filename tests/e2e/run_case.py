"""Runs one scripted tzad session and checks it.

A case is a folder holding:
  script.scr    the session: one answer a line ("" is Enter, "^C" cancels, ";" a comment)
  expected.txt  the transcript tzad prints (the temporary folder shows as $TMP)
  check.py      optional: checks the drawings the session saved (gets the folder as argv[1];
                drawing_check.py can be imported)
  env           optional: KEY=VALUE lines for tzad's environment ($TMP is the session folder)
  modules_without  optional: module files (one a line) left out of the session's modules
  files/        optional: more files copied into the session's folder
  setup.py      optional: prepares the folder further (links, modes; gets it as argv[1])
  exit_status   optional: the status tzad must end with (0 when absent; 1 after a failed save)
The session runs in a new folder holding plan.dxf (the sample site plan), as
`tzad --script script.scr plan.dxf`.

  run_case.py CASE_DIR TZAD MODULE_DIR SAMPLE [--update]
"""
import difflib
import os
import shutil
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "support"))
from tzad_run import SessionFolder, environment  # noqa: E402

case, tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:5])


def in_case(name):
    path = os.path.join(case, name)
    return path if os.path.exists(path) else None


failed = False
with SessionFolder(sample, "tzad-e2e-") as tmp:
    if in_case("files"):
        shutil.copytree(in_case("files"), tmp, dirs_exist_ok=True)
    if in_case("setup.py"):
        subprocess.run(["/usr/bin/python3", in_case("setup.py"), tmp], check=True)
    if in_case("modules_without"):
        left_out = open(in_case("modules_without")).read().split()
        shutil.copytree(modules, os.path.join(tmp, "modules"),
                        ignore=lambda d, names: [n for n in names if n in left_out])
        modules = os.path.join(tmp, "modules")
    # A session is the command line: windows only where a case's env names a display.
    env = environment(tmp, modules, TZAD_LANG="en")
    for line in open(in_case("env") or os.devnull, encoding="utf-8"):
        if "=" in line:
            key, value = line.rstrip("\n").split("=", 1)
            env[key] = value.replace("$TMP", tmp).replace("$CASE", case)
    result = subprocess.run([tzad, "--script", os.path.join(case, "script.scr"), "plan.dxf"],
                            cwd=tmp, env=env, capture_output=True, timeout=120)
    transcript = (result.stdout + result.stderr).decode("utf-8", "replace")
    transcript = transcript.replace(os.path.realpath(tmp), "$TMP").replace(tmp, "$TMP")
    expected_path = os.path.join(case, "expected.txt")
    if "--update" in sys.argv:
        with open(expected_path, "w", encoding="utf-8") as out:
            out.write(transcript)
    expected = open(expected_path, encoding="utf-8").read()
    wanted = int(open(in_case("exit_status")).read()) if in_case("exit_status") else 0
    if result.returncode != wanted:
        print(f"tzad exited with {result.returncode}, not {wanted}")
        failed = True
    if transcript != expected:
        print("The transcript differs from expected.txt:")
        sys.stdout.writelines(difflib.unified_diff(
            expected.splitlines(True), transcript.splitlines(True), "expected", "actual"))
        failed = True
    if in_case("check.py"):
        checked = subprocess.run(["/usr/bin/python3", in_case("check.py"), tmp],
                                 capture_output=True, env=dict(os.environ, PYTHONPATH=here))
        if checked.returncode != 0:
            print("check.py failed:\n" + (checked.stdout + checked.stderr).decode())
            failed = True
sys.exit(1 if failed else 0)
