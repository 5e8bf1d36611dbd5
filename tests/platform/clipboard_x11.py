"""PASTEASHYPERLINK through the real clipboard: run under xvfb-run, what browsers, file managers
and editors copy is put on the X11 clipboard with xclip, and tzad pastes it.

  xvfb-run -a python3 clipboard_x11.py TZAD MODULE_DIR SAMPLE
"""
import os
import signal
import subprocess
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tzad_run import SessionFolder, environment, wait_until, write  # noqa: E402

UNREADABLE = "The clipboard cannot be read"


def clipboard(target):
    """What the clipboard's owner gives for the target (xclip's default type when empty)."""
    return subprocess.run(["xclip", "-selection", "clipboard", "-out", *target],
                          capture_output=True, timeout=10).stdout


def own_clipboard(mime_type, data):
    """xclip keeps serving the clipboard in the background until another owner takes it; it
    has taken it once it gives the data back."""
    target = ["-target", mime_type] if mime_type else []
    subprocess.run(["xclip", "-selection", "clipboard", "-in"] + target, input=data, check=True)
    assert wait_until(lambda: clipboard(target) == data), f"xclip never served {mime_type}"


def paste(display=None):
    """Pastes onto entity 90; returns its hyperlink as ezdxf reads it and tzad's messages."""
    with SessionFolder(sample, "tzad-clip-") as tmp:
        write(os.path.join(tmp, "paste.scr"), "PASTEASHYPERLINK\n90\n\nSAVE\n")
        env = environment(tmp, modules, drop=("TZAD_CLIPBOARD_DIR", "WAYLAND_DISPLAY"),
                          TZAD_LANG="en", **({"DISPLAY": display} if display else {}))
        run = subprocess.run([tzad, "--script", "paste.scr", "plan.dxf"], cwd=tmp, env=env,
                             capture_output=True, timeout=60)
        output = (run.stdout + run.stderr).decode("utf-8", "replace")
        assert run.returncode == 0, output
        entity = ezdxf.readfile(os.path.join(tmp, "plan.dxf")).entitydb["90"]
        return (entity.get_hyperlink() if entity.has_hyperlink() else None), output


def unused_display():
    number = 90
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


tzad, modules, sample = sys.argv[1:4]
page = "https://example.com/plans?id=7"
# Nobody has copied anything yet on this fresh display: nothing pasted, nothing said.
got, output = paste()
assert got is None and UNREADABLE not in output, (got, output)

# One copy of each type the desktop offers (what each type's text may hold is
# clipboard_test's).
uri = "/srv/plans/site report.pdf"
cases = [
    ("Firefox: UTF-16 address and page title", "text/x-moz-url",
     f"{page}\n场地 plan".encode("utf-16-le"), (page, "场地 plan", "")),
    ("a web address as text/plain", "text/plain", f"{page}\n".encode(), (page, page, "")),
    ("a mailto: address as xclip's default string", None, b"mailto:office@example.com",
     ("mailto:office@example.com",) * 2 + ("",)),
    ("a file manager's copy", "text/uri-list", b"file:///srv/plans/site%20report.pdf\r\n",
     (uri, uri, "")),
]
for what, mime_type, data, expected in cases:
    own_clipboard(mime_type, data)
    got, output = paste()
    assert got == expected, (what, got, expected)
    assert UNREADABLE not in output, (what, output)

# An owner that does not answer (stopped): said once within seconds, and the command goes on
# without a link.
owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-in"],
                         stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    owner.stdin.write(page.encode())
    owner.stdin.close()
    assert wait_until(lambda: clipboard([]) == page.encode()), "xclip never took the clipboard"
    os.kill(owner.pid, signal.SIGSTOP)
    got, output = paste()
    assert got is None, got
    assert output.count(UNREADABLE) == 1 and "did not answer" in output, output
finally:
    owner.kill()
    owner.wait()

# A display that is gone: said once, and the command goes on without a link.
got, output = paste(display=unused_display())
assert got is None, got
assert output.count(UNREADABLE) == 1 and "open display" in output, output
print("browsers', file managers' and plain-text copies pasted through xclip")
