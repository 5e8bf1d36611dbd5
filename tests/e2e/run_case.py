"""Runs one scripted tzad session and checks it.

A case is a folder holding:
  script.scr    the session: one answer a line ("" is Enter, "^C" cancels, ";" a comment)
  expected.txt  the transcript tzad prints (the temporary folder shows as $TMP)
  check.py      optional: checks the drawings the session saved (gets the folder as argv[1])
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
import tempfile


def main():
    case, tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:5])
    update = "--update" in sys.argv
    with tempfile.TemporaryDirectory(prefix="tzad-e2e-") as tmp:
        shutil.copy(sample, os.path.join(tmp, "plan.dxf"))
        files = os.path.join(case, "files")
        if os.path.isdir(files):
            shutil.copytree(files, tmp, dirs_exist_ok=True)
        setup = os.path.join(case, "setup.py")
        if os.path.exists(setup):
            subprocess.run(["/usr/bin/python3", setup, tmp], check=True)
        without = os.path.join(case, "modules_without")
        if os.path.exists(without):
            left_out = open(without).read().split()
            shutil.copytree(modules, os.path.join(tmp, "modules"),
                            ignore=lambda d, names: [n for n in names if n in left_out])
            modules = os.path.join(tmp, "modules")
        env = dict(os.environ, TZAD_MODULE_PATH=modules, HOME=tmp,
                   XDG_CONFIG_HOME=os.path.join(tmp, "config"),
                   XDG_DATA_HOME=os.path.join(tmp, "data"), TZAD_LANG="en")
        env_file = os.path.join(case, "env")
        if os.path.exists(env_file):
            for line in open(env_file, encoding="utf-8"):
                if "=" in line:
                    key, value = line.rstrip("\n").split("=", 1)
                    env[key] = value.replace("$TMP", tmp).replace("$CASE", case)
        result = subprocess.run([tzad, "--script", os.path.join(case, "script.scr"), "plan.dxf"],
                                cwd=tmp, env=env, capture_output=True, timeout=120)
        transcript = (result.stdout + result.stderr).decode("utf-8", "replace")
        transcript = transcript.replace(os.path.realpath(tmp), "$TMP").replace(tmp, "$TMP")
        expected_path = os.path.join(case, "expected.txt")
        if update:
            with open(expected_path, "w", encoding="utf-8") as out:
                out.write(transcript)
        expected = open(expected_path, encoding="utf-8").read()
        failed = False
        status_path = os.path.join(case, "exit_status")
        wanted = int(open(status_path).read()) if os.path.exists(status_path) else 0
        if result.returncode != wanted:
            print(f"tzad exited with {result.returncode}, not {wanted}")
            failed = True
        if transcript != expected:
            print("The transcript differs from expected.txt:")
            sys.stdout.writelines(difflib.unified_diff(
                expected.splitlines(True), transcript.splitlines(True), "expected", "actual"))
            failed = True
        check = os.path.join(case, "check.py")
        if os.path.exists(check):
            checked = subprocess.run(["/usr/bin/python3", check, tmp], capture_output=True)
            if checked.returncode != 0:
                print("check.py failed:\n" + (checked.stdout + checked.stderr).decode())
                failed = True
        sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
