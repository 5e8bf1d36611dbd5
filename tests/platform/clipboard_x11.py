"""PASTEASHYPERLINK through the real clipboard: run under xvfb-run, a browser's and a file
manager's copies are put on the X11 clipboard with xclip, and tzad pastes them.

  xvfb-run -a python3 clipboard_x11.py TZAD MODULE_DIR SAMPLE
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import ezdxf


def own_clipboard(mime_type, data):
    """xclip keeps serving the clipboard in the background until another owner takes it."""
    subprocess.run(["xclip", "-selection", "clipboard", "-in", "-target", mime_type],
                   input=data, check=True)
    time.sleep(0.2)


def paste(tzad, modules, sample, handle):
    with tempfile.TemporaryDirectory(prefix="tzad-clip-") as tmp:
        shutil.copy(sample, os.path.join(tmp, "plan.dxf"))
        script = os.path.join(tmp, "paste.scr")
        with open(script, "w") as out:
            out.write(f"PASTEASHYPERLINK\n{handle}\n\nSAVE\n")
        env = dict(os.environ, TZAD_MODULE_PATH=modules, HOME=tmp, TZAD_LANG="en")
        env.pop("TZAD_CLIPBOARD_DIR", None)
        env.pop("WAYLAND_DISPLAY", None)
        run = subprocess.run([tzad, "--script", script, "plan.dxf"], cwd=tmp, env=env,
                             capture_output=True, timeout=60)
        assert run.returncode == 0, run.stdout + run.stderr
        doc = ezdxf.readfile(os.path.join(tmp, "plan.dxf"))
        return doc.entitydb[handle].get_hyperlink()


def main():
    tzad, modules, sample = sys.argv[1:4]
    # Firefox: text/x-moz-url in UTF-16, the address then the page title.
    own_clipboard("text/x-moz-url", "https://example.com/firefox\nExample page".encode("utf-16-le"))
    got = paste(tzad, modules, sample, "90")
    assert got == ("https://example.com/firefox", "https://example.com/firefox", ""), got
    # A file manager: a file:// entry of text/uri-list.
    own_clipboard("text/uri-list", b"file:///srv/plans/site%20report.pdf\r\n")
    got = paste(tzad, modules, sample, "94")
    assert got == ("/srv/plans/site report.pdf", "/srv/plans/site report.pdf", ""), got
    print("x-moz-url and uri-list pasted through xclip")


if __name__ == "__main__":
    main()
