"""tzad in a pseudo-terminal, as a user meets it: LANG=C.UTF-8, no --lang (so the module
speaks Chinese), keys typed one at a time.

  terminal_session.py TZAD MODULE_DIR SAMPLE CASE
"""
import fcntl
import os
import pty
import select
import signal
import struct
import subprocess
import sys
import termios
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(here, "..", "e2e"), os.path.join(here, "..", "support")]
import drawing_check  # noqa: E402
from tzad_run import SessionFolder, environment  # noqa: E402

CTRL_C, CTRL_D, ESC, UP, ENTER = "\x03", "\x04", "\x1b", "\x1b[A", "\r"
OPTION = "输入选项 [删除(R)/插入(I)] <插入>: "
INSERT_OPTION = "输入超链接插入选项 [区域(A)/对象(O)] <对象>: "
HYPERLINK = "输入超链接 <当前图形>: "
LOCATION = "输入命名位置 <无>: "
DESCRIPTION = "输入说明 <无>: "


class Terminal:
    """tzad on the child side of a pseudo-terminal; what it shows is collected as text."""

    def __init__(self, tzad, modules, folder, log=None, **more):
        """With a log, tzad's standard output goes to that file instead of the terminal."""
        env = environment(folder, modules, LANG="C.UTF-8", TERM="xterm",
                          drop=("TZAD_LANG", "LANGUAGE", "DISPLAY", "WAYLAND_DISPLAY"), **more)
        env = {k: v for k, v in env.items() if not k.startswith("LC_")}
        if log is None:
            self.pid, self.fd = pty.fork()
            if self.pid == 0:
                os.chdir(folder)
                os.execve(tzad, [tzad, "plan.dxf"], env)
        else:
            self.fd, child = os.openpty()
            with open(log, "wb") as out:
                self.pid = subprocess.Popen([tzad, "plan.dxf"], cwd=folder, env=env, stdin=child,
                                            stdout=out, stderr=child, start_new_session=True).pid
            os.close(child)
        fcntl.ioctl(self.fd, termios.TIOCSWINSZ, struct.pack("HHHH", 40, 120, 0, 0))
        self.folder = folder
        self.shown = ""
        self.position = 0
        self.pending = b""

    def _read(self, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return False
        try:
            data = os.read(self.fd, 4096)
        except OSError:
            return False
        self.pending += data
        text = self.pending.decode("utf-8", "ignore")
        complete = len(text.encode("utf-8"))
        self.shown += text
        self.pending = self.pending[complete:]
        return bool(data)

    def expect(self, text, timeout=10):
        """Waits until `text` shows after what was expected before."""
        deadline = time.time() + timeout
        while True:
            found = self.shown.find(text, self.position)
            if found >= 0:
                self.position = found + len(text)
                return
            if time.time() > deadline or not self._read(deadline - time.time()):
                raise AssertionError(f"never showed {text!r}; the screen had:\n{self.shown}")

    def type(self, keys):
        """Types text one character at a time, as a person does (arrow keys stay whole)."""
        chunks = [keys] if keys.startswith(ESC) else list(keys)
        for chunk in chunks:
            os.write(self.fd, chunk.encode("utf-8"))
            time.sleep(0.02)
            while self._read(0):
                pass

    def answer(self, prompt, keys):
        self.expect(prompt)
        self.type(keys)

    def wait_exit(self, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            self._read(0.1)
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return os.waitstatus_to_exitcode(status)
        os.kill(self.pid, signal.SIGKILL)
        raise AssertionError(f"tzad did not end; the screen had:\n{self.shown}")


def select_for_hyperlink(term, handle):
    """-HYPERLINK's insert on one entity, up to the hyperlink's prompt."""
    term.answer("Command: ", "-HYPERLINK" + ENTER)
    term.answer(OPTION, ENTER)
    term.answer(INSERT_OPTION, ENTER)
    term.answer("Select objects: ", handle + ENTER)
    term.answer("Select objects: ", ENTER)


def typed_session(term):
    # Chinese typed key by key; Home and End as xterm, tmux and the Linux console send them
    # move the cursor and type nothing.
    select_for_hyperlink(term, "90")
    term.answer(HYPERLINK, "文档b")
    for key, text in (("\x1b[1~", "a"), ("\x1b[4~", "c"), ("\x1bOH", "/"), ("\x1b[F", ".pdf")):
        term.type(key)
        term.type(text)
    term.type(ENTER)
    term.answer(LOCATION, ENTER)
    term.answer(DESCRIPTION, "说明 Café 😀" + ENTER)
    # Ctrl+Left moves back a word.
    select_for_hyperlink(term, "93")
    term.answer(HYPERLINK, "c.pdf" + ENTER)
    term.answer(LOCATION, ENTER)
    term.answer(DESCRIPTION, "x")
    term.type("\x1b[1;5D")
    term.type("y" + ENTER)
    # Ctrl+C cancels the command, not what came before, and does not end tzad; nor does a
    # signal from outside.
    select_for_hyperlink(term, "91")
    term.answer(HYPERLINK, "b.pdf" + CTRL_C)
    term.expect("*Cancel*")
    term.answer("Command: ", "SELECT" + ENTER)
    term.expect("Select objects: ")
    os.kill(term.pid, signal.SIGINT)
    term.expect("*Cancel*")
    # Up at "Command: " brings the last command back; at "Select objects: " the last answer.
    term.answer("Command: ", "SELECT" + ENTER)
    term.answer("Select objects: ", "90" + ENTER)
    term.expect("1 found")
    term.answer("Select objects: ", ENTER)
    term.answer("Command: ", UP)
    term.type(ENTER)
    term.answer("Select objects: ", UP)
    term.type(ENTER)
    term.expect("1 found")
    # Esc cancels a half-typed answer, and at "Command: " too; Ctrl+D cancels at any prompt
    # but "Command: ", where it quits and asks about the changes.
    term.answer("Select objects: ", "9")
    time.sleep(0.1)
    term.type(ESC)
    term.expect("*Cancel*")
    term.answer("Command: ", ESC)
    term.expect("*Cancel*")
    term.answer("Command: ", "SELECT" + ENTER)
    term.answer("Select objects: ", CTRL_D)
    term.expect("*Cancel*")
    term.answer("Command: ", CTRL_D)
    term.expect("QUIT")
    term.answer("Save changes to plan.dxf? [Yes/No/Cancel] <Yes>: ", "c" + ENTER)
    term.answer("Command: ", CTRL_D)
    term.answer("Save changes to plan.dxf? [Yes/No/Cancel] <Yes>: ", "y" + ENTER)
    term.expect("Saved ")
    assert term.wait_exit() == 0
    return {"90": ("/a文档bc.pdf", "说明 Café 😀"), "91": ("docs/house-details.pdf", "House details"),
            "93": ("c.pdf", "yx")}


def logged_output(term):
    # tzad | tee log: the prompts are on the terminal, the log holds the whole transcript.
    term.answer("Command: ", "SELECT" + ENTER)
    term.answer("Select objects: ", "90" + ENTER)
    term.answer("Select objects: ", ENTER)
    term.answer("Command: ", "HYPERLINKOPEN" + ENTER)
    term.answer(HYPERLINK, "ab" + ESC)
    term.answer("Command: ", "QUIT" + ENTER)
    assert term.wait_exit() == 0
    with open(os.path.join(term.folder, "log.txt"), encoding="utf-8") as logged:
        transcript = logged.read()
    assert transcript.endswith("Command: SELECT\nSelect objects: 90\n1 found\nSelect objects: \n"
                               f"Command: HYPERLINKOPEN\n{HYPERLINK}\n*Cancel*\n"
                               "Command: QUIT\n"), transcript
    return {}


def recovery(term):
    # A change waits for its automatic save (every second here), then tzad is killed.
    copies = os.path.join(term.folder, ".local", "state", "tzad", "autosave")
    term.answer("Command: ", "-LAYER" + ENTER)
    term.answer("[New/Lock/Unlock/Freeze/Thaw/Set/Color]: ", "New" + ENTER)
    term.answer("new layer(s): ", "Pond" + ENTER)
    term.answer("[New/Lock/Unlock/Freeze/Thaw/Set/Color]: ", ENTER)
    term.expect("Command: ")
    deadline = time.time() + 10
    while not (os.path.isdir(copies) and any(n.endswith(".dxf") for n in os.listdir(copies))):
        assert time.time() < deadline, "no automatic save"
        time.sleep(0.1)
    os.kill(term.pid, signal.SIGKILL)
    os.waitpid(term.pid, 0)
    question = "is newer than the file. Open it instead? [Yes/No] <Yes>: "
    # No: the file as it was; the copy stays for later.
    again = Terminal(term.tzad, term.modules, term.folder, TZAD_AUTOSAVE_SECONDS="1")
    again.answer(question, "n" + ENTER)
    again.answer("Command: ", "CLAYER" + ENTER)
    again.answer('<"0">: ', "Pond" + ENTER)
    again.expect('Layer "Pond" not found.')
    again.answer("Command: ", "QUIT" + ENTER)
    assert again.wait_exit() == 0
    # Yes: the changed drawing, unsaved until SAVE writes the drawing's own file.
    last = Terminal(term.tzad, term.modules, term.folder, TZAD_AUTOSAVE_SECONDS="1")
    last.answer(question, ENTER)
    last.answer("Command: ", "CLAYER" + ENTER)
    last.answer('<"0">: ', "Pond" + ENTER)
    last.answer("Command: ", "SAVE" + ENTER)
    last.expect("Saved ")
    last.answer("Command: ", "QUIT" + ENTER)
    assert last.wait_exit() == 0
    assert "not found" not in last.shown, last.shown
    assert os.listdir(copies) == [], os.listdir(copies)
    with open(os.path.join(term.folder, "plan.dxf"), encoding="utf-8") as plan:
        assert "\nPond\n" in plan.read()
    return {}


tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:4])
case = {"typed_session": typed_session, "logged_output": logged_output,
        "recovery": recovery}[sys.argv[4]]
with SessionFolder(sample, "tzad-pty-") as folder:
    log = os.path.join(folder, "log.txt") if case is logged_output else None
    more = {"TZAD_AUTOSAVE_SECONDS": "1"} if case is recovery else {}
    term = Terminal(tzad, modules, folder, log, **more)
    term.tzad, term.modules = tzad, modules
    expected = case(term)
    assert "Segmentation" not in term.shown
    sys.argv[1] = folder
    found = drawing_check.links(drawing_check.load())
    for handle, (address, description) in expected.items():
        assert found[handle][:2] == (address, description), found.get(handle)
