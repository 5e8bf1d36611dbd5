"""tzad in a pseudo-terminal, as a user meets it: LANG=C.UTF-8, no --lang (so tzad and its
module speak Chinese, the default), keys typed one at a time.

  terminal_session.py TZAD MODULE_DIR SAMPLE CASE
"""
import fcntl
import os
import pty
import re
import select
import shutil
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
COMMAND, SELECT, CANCEL = "命令: ", "选择对象: ", "*取消*"
SAVE_CHANGES = "是否将改动保存到 plan.dxf? [是(Y)/否(N)/取消(C)] <是>: "
LAYER_OPTION = "[新建(N)/锁定(L)/解锁(U)/冻结(F)/解冻(T)/置为当前(S)/颜色(C)]: "
OPTION = "输入选项 [删除(R)/插入(I)] <插入>: "
INSERT_OPTION = "输入超链接插入选项 [区域(A)/对象(O)] <对象>: "
HYPERLINK = "输入超链接 <当前图形>: "
LOCATION = "输入命名位置 <无>: "
DESCRIPTION = "输入说明 <无>: "


class Terminal:
    """tzad on the child side of a pseudo-terminal; what it shows is collected as text."""

    def __init__(self, tzad, modules, folder, log=None, options=(), **more):
        """With a log, tzad's standard output goes to that file instead of the terminal."""
        env = environment(folder, modules, LANG="C.UTF-8", TERM="xterm",
                          drop=("TZAD_LANG", "LANGUAGE", "DISPLAY", "WAYLAND_DISPLAY"), **more)
        env = {k: v for k, v in env.items() if not k.startswith("LC_")}
        if log is None:
            self.pid, self.fd = pty.fork()
            if self.pid == 0:
                os.chdir(folder)
                os.execve(tzad, [tzad, *options, "plan.dxf"], env)
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
    term.answer(COMMAND, "-HYPERLINK" + ENTER)
    term.answer(OPTION, ENTER)
    term.answer(INSERT_OPTION, ENTER)
    term.answer(SELECT, handle + ENTER)
    term.answer(SELECT, ENTER)


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
    term.expect(CANCEL)
    term.answer(COMMAND, "SELECT" + ENTER)
    term.expect(SELECT)
    os.kill(term.pid, signal.SIGINT)
    term.expect(CANCEL)
    # Up at COMMAND brings the last command back; at SELECT the last answer.
    term.answer(COMMAND, "SELECT" + ENTER)
    term.answer(SELECT, "90" + ENTER)
    term.expect("找到 1 个")
    term.answer(SELECT, ENTER)
    term.answer(COMMAND, UP)
    term.type(ENTER)
    term.answer(SELECT, UP)
    term.type(ENTER)
    term.expect("找到 1 个")
    # Esc cancels a half-typed answer, and at COMMAND too; Ctrl+D cancels at any prompt
    # but COMMAND, where it quits and asks about the changes.
    term.answer(SELECT, "9")
    term.expect("9")  # echoed: the answer is half-typed when Esc comes
    term.type(ESC)
    term.expect(CANCEL)
    term.answer(COMMAND, ESC)
    term.expect(CANCEL)
    term.answer(COMMAND, "SELECT" + ENTER)
    term.answer(SELECT, CTRL_D)
    term.expect(CANCEL)
    term.answer(COMMAND, CTRL_D)
    term.expect("QUIT")
    term.answer(SAVE_CHANGES, "c" + ENTER)
    term.answer(COMMAND, CTRL_D)
    term.answer(SAVE_CHANGES, "y" + ENTER)
    term.expect("已保存 ")
    assert term.wait_exit() == 0
    return {"90": ("/a文档bc.pdf", "说明 Café 😀"), "91": ("docs/house-details.pdf", "House details"),
            "93": ("c.pdf", "yx")}


def logged_output(term):
    # tzad | tee log: the prompts are on the terminal, the log holds the whole transcript.
    term.answer(COMMAND, "SELECT" + ENTER)
    term.answer(SELECT, "90" + ENTER)
    term.answer(SELECT, ENTER)
    term.answer(COMMAND, "HYPERLINKOPEN" + ENTER)
    term.answer(HYPERLINK, "ab" + ESC)
    term.answer(COMMAND, "QUIT" + ENTER)
    assert term.wait_exit() == 0
    with open(os.path.join(term.folder, "log.txt"), encoding="utf-8") as logged:
        transcript = logged.read()
    assert transcript.endswith("命令: SELECT\n选择对象: 90\n找到 1 个\n选择对象: \n"
                               f"命令: HYPERLINKOPEN\n{HYPERLINK}\n*取消*\n"
                               "命令: QUIT\n"), transcript
    return {}


def recovery(term):
    # A change waits for its automatic save (every second here), then tzad is killed.
    copies = os.path.join(term.folder, ".local", "state", "tzad", "autosave")
    term.answer(COMMAND, "-LAYER" + ENTER)
    term.answer(LAYER_OPTION, "New" + ENTER)
    term.answer("输入新图层的名称列表: ", "Pond" + ENTER)
    term.answer(LAYER_OPTION, ENTER)
    term.expect(COMMAND)
    deadline = time.time() + 10
    while not (os.path.isdir(copies) and any(n.endswith(".dxf") for n in os.listdir(copies))):
        assert time.time() < deadline, "no automatic save"
        time.sleep(0.1)
    os.kill(term.pid, signal.SIGKILL)
    os.waitpid(term.pid, 0)
    question = "比图形文件更新。是否改为打开它? [是(Y)/否(N)] <是>: "
    # No: the file as it was; the copy stays for later.
    again = Terminal(term.tzad, term.modules, term.folder, TZAD_AUTOSAVE_SECONDS="1")
    again.answer(question, "n" + ENTER)
    again.answer(COMMAND, "CLAYER" + ENTER)
    again.answer('<"0">: ', "Pond" + ENTER)
    again.expect('未找到图层“Pond”。')
    again.answer(COMMAND, "QUIT" + ENTER)
    assert again.wait_exit() == 0
    # Yes: the changed drawing, unsaved until SAVE writes the drawing's own file.
    last = Terminal(term.tzad, term.modules, term.folder, TZAD_AUTOSAVE_SECONDS="1")
    last.answer(question, ENTER)
    last.answer(COMMAND, "CLAYER" + ENTER)
    last.answer('<"0">: ', "Pond" + ENTER)
    last.answer(COMMAND, "SAVE" + ENTER)
    last.expect("已保存 ")
    last.answer(COMMAND, "QUIT" + ENTER)
    assert last.wait_exit() == 0
    assert "未找到" not in last.shown, last.shown
    assert os.listdir(copies) == [], os.listdir(copies)
    with open(os.path.join(term.folder, "plan.dxf"), encoding="utf-8") as plan:
        assert "\nPond\n" in plan.read()
    return {}


# What one session asks in each language, as a user of that language reads it.
PROMPTS = {
    "zh": {"command": COMMAND, "select": SELECT, "option": OPTION, "insert": INSERT_OPTION,
           "hyperlink": HYPERLINK, "location": LOCATION, "description": DESCRIPTION,
           "found": "找到 1 个", "listed": "超链接: https://example.com/wall",
           "layer": LAYER_OPTION, "new_layer": "输入新图层的名称列表: ",
           "file_name": "输入文件名 <", "replace": "已存在。是否替换? [是(Y)/否(N)] <否>: ",
           "saved": "已保存 ", "save_changes": "是否将改动保存到 other.dxf? [是(Y)/否(N)/取消(C)] <是>: "},
    "en": {"command": "Command: ", "select": "Select objects: ",
           "option": "Enter an option [Remove/Insert] <Insert>: ",
           "insert": "Enter hyperlink insert option [Area/Object] <Object>: ",
           "hyperlink": "Enter hyperlink <current drawing>: ",
           "location": "Enter named location <none>: ", "description": "Enter description <none>: ",
           "found": "1 found", "listed": "Hyperlink: https://example.com/wall",
           "layer": "[New/Lock/Unlock/Freeze/Thaw/Set/Color]: ",
           "new_layer": "Enter name list for new layer(s): ", "file_name": "Enter file name <",
           "replace": "already exists. Replace it? [Yes/No] <No>: ", "saved": "Saved ",
           "save_changes": "Save changes to other.dxf? [Yes/No/Cancel] <Yes>: "},
}
# Words a transcript may hold in any language: the commands and answers typed, the program's
# name, the commands that messages name, and the layer name the listed object has in the
# drawing.
TYPED = ["-HYPERLINK", "SELECT", "LIST", "-LAYER", "SAVEAS", "QUIT", "https://example.com/wall",
         "other.dxf", "plan.dxf", "Wall", "Fence", "tzad", "HELP", "Buildings"]


def one_language(term, language):
    """SELECT, -HYPERLINK, LIST, -LAYER, SAVEAS over an existing file and QUIT with changes,
    all in one language."""
    p = PROMPTS[language]
    shutil.copy(os.path.join(term.folder, "plan.dxf"), os.path.join(term.folder, "other.dxf"))
    term.answer(p["command"], "-HYPERLINK" + ENTER)
    term.answer(p["option"], ENTER)
    term.answer(p["insert"], ENTER)
    term.answer(p["select"], "93" + ENTER)
    term.answer(p["select"], ENTER)
    term.answer(p["hyperlink"], "https://example.com/wall" + ENTER)
    term.answer(p["location"], ENTER)
    term.answer(p["description"], ENTER)
    term.answer(p["command"], "SELECT" + ENTER)
    term.answer(p["select"], "93" + ENTER)
    term.expect(p["found"])
    term.answer(p["select"], ENTER)
    term.answer(p["command"], "LIST" + ENTER)
    term.expect(p["listed"])
    term.answer(p["command"], "-LAYER" + ENTER)
    term.answer(p["layer"], "n" + ENTER)
    term.answer(p["new_layer"], "Wall" + ENTER)
    term.answer(p["layer"], ENTER)
    term.answer(p["command"], "SAVEAS" + ENTER)
    term.answer(p["file_name"], "other.dxf" + ENTER)
    term.answer(p["replace"], "y" + ENTER)
    term.expect(p["saved"])
    term.answer(p["command"], "-LAYER" + ENTER)
    term.answer(p["layer"], "n" + ENTER)
    term.answer(p["new_layer"], "Fence" + ENTER)
    term.answer(p["layer"], ENTER)
    term.answer(p["command"], "QUIT" + ENTER)
    term.answer(p["save_changes"], "n" + ENTER)
    assert term.wait_exit() == 0
    shown = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\r", "", term.shown)
    for path in {term.folder, os.path.realpath(term.folder)}:
        shown = shown.replace(path, "")
    for word in TYPED:
        shown = shown.replace(word, "")
    if language == "zh":
        english = re.findall(r"[A-Za-z]{2,}", shown)
        assert not english, f"English words {english} in:\n{term.shown}"
    else:
        chinese = re.findall(r"[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]+", shown)
        assert not chinese, f"Chinese {chinese} in:\n{term.shown}"
    return {}


tzad, modules, sample = (os.path.abspath(a) for a in sys.argv[1:4])
case = {"typed_session": typed_session, "logged_output": logged_output,
        "recovery": recovery, "chinese_session": lambda term: one_language(term, "zh"),
        "english_session": lambda term: one_language(term, "en")}[sys.argv[4]]
with SessionFolder(sample, "tzad-pty-") as folder:
    log = os.path.join(folder, "log.txt") if case is logged_output else None
    more = {"TZAD_AUTOSAVE_SECONDS": "1"} if case is recovery else {}
    options = ["--lang", "en"] if sys.argv[4] == "english_session" else []
    term = Terminal(tzad, modules, folder, log, options, **more)
    term.tzad, term.modules = tzad, modules
    expected = case(term)
    assert "Segmentation" not in term.shown
    sys.argv[1] = folder
    found = drawing_check.links(drawing_check.load())
    for handle, (address, description) in expected.items():
        assert found[handle][:2] == (address, description), found.get(handle)
