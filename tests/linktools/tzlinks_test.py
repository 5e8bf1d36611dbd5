"""tzlinks as a user runs it, on a folder tree of drawings by tzad, by ezdxf and by other writers
(GDAL's, a hand-made minimal R12 file, one that cannot be read): its three output forms read
back, its exit status, replace with its backups and --dry-run writing nothing, web checks
against a server of the test's own, through a proxy the environment names.

  tzlinks_test.py TZLINKS INTEROP_DIR
"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unicodedata
import unittest

TZLINKS = os.path.abspath(sys.argv[1])
INTEROP = os.path.abspath(sys.argv[2])
SAMPLE = os.path.join(INTEROP, "..", "..", "samples", "site_plan.dxf")
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, INTEROP)

import ezdxf  # noqa: E402

KEYS = ["file", "handle", "address", "location", "description"]
MINIMAL_R12 = ("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n 11\n1.0\n"
               " 21\n1.0\n1001\nPE_URL\n1000\nminimal.pdf\n  0\nENDSEC\n  0\nEOF\n")


def ezdxf_drawing(path, links, release="R2018"):
    """A drawing by ezdxf with a line per link: (address, description, location)."""
    doc = ezdxf.new(release)
    msp = doc.modelspace()
    for i, (address, description, location) in enumerate(links):
        msp.add_line((i, 0), (i, 1)).set_hyperlink(address, description, location)
    doc.saveas(path)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run(*args, env=None, cwd=None):
    environment = dict(os.environ, TZAD_LANG="en")
    environment.update(env or {})
    return subprocess.run([TZLINKS, *args], capture_output=True, env=environment, cwd=cwd,
                          timeout=120)


def json_rows(result):
    return [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]


def snapshot(folder):
    """Every file below the folder with its bytes and modification time."""
    found = {}
    for root, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(root, name)
            found[path] = (read(path), os.stat(path).st_mtime_ns)
    return found


def display_width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


class Tree(unittest.TestCase):
    """good/   plan.dxf (the sample) with docs/house-details.pdf beside it: nothing broken
    mixed/  drawings by ezdxf (R2018, R12, an upper-case .DXF) and by other writers
    """

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="tzlinks-test-")
        self.addCleanup(shutil.rmtree, self.dir)
        self.config = os.path.join(self.dir, "config")
        os.makedirs(self.config)
        good = self.path("good")
        os.makedirs(os.path.join(good, "docs"))
        shutil.copy(SAMPLE, os.path.join(good, "plan.dxf"))
        write(os.path.join(good, "docs", "house-details.pdf"), "%PDF-1.4\n")
        mixed = self.path("mixed")
        os.makedirs(os.path.join(mixed, "sub"))
        ezdxf_drawing(os.path.join(mixed, "a.dxf"), [
            ("docs\\missing.pdf", "Missing", ""),
            ("mailto:someone@example.com", "Mail", ""),
            ("../good/plan.dxf", "Garage", "Garage,Details"),
            ("../good/plan.dxf", "Nowhere", "Nowhere"),
            ("http://example.invalid/page", "Web", ""),
        ])
        ezdxf_drawing(os.path.join(mixed, "sub", "old.dxf"), [("mailto:someone", "Bad", "")], "R12")
        ezdxf_drawing(os.path.join(mixed, "sub", "CAPS.DXF"), [("docs/caps.pdf", "Caps", "")])
        shutil.copy(os.path.join(INTEROP, "gdal", "site.dxf"), os.path.join(mixed, "gdal.dxf"))
        write(os.path.join(mixed, "minimal.dxf"), MINIMAL_R12)
        write(os.path.join(mixed, "notes.txt"), "not a drawing\n")

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def env(self, **more):
        return dict(XDG_CONFIG_HOME=self.config, **more)


class Listing(Tree):
    def test_json_lines_of_every_drawing_found(self):
        result = run("list", "--json", self.path("good"), self.path("mixed"), env=self.env())
        self.assertEqual(result.returncode, 0, result.stderr)
        rows = json_rows(result)
        for row in rows:
            self.assertEqual(list(row), KEYS)
        files = sorted({os.path.relpath(row["file"], self.dir) for row in rows})
        self.assertEqual(files, ["good/plan.dxf", "mixed/a.dxf", "mixed/minimal.dxf",
                                 "mixed/sub/CAPS.DXF", "mixed/sub/old.dxf"])
        plan = [r for r in rows if r["file"].endswith("plan.dxf")]
        self.assertEqual([r["handle"] for r in plan], ["91", "93", "95", "98"])
        self.assertEqual(plan[1]["location"], "Garage,Details")
        minimal = [r for r in rows if r["file"].endswith("minimal.dxf")]
        self.assertEqual([r["address"] for r in minimal], ["minimal.pdf"])
        # Rows only on the output; the summary goes with the errors.
        self.assertIn(b"12 hyperlinks; drawings read: 6.", result.stderr)

    def test_csv_holds_what_json_holds(self):
        as_json = json_rows(run("list", "--json", self.path("mixed"), env=self.env()))
        result = run("list", "--csv", self.path("mixed"), env=self.env())
        self.assertEqual(result.returncode, 0)
        reader = csv.DictReader(io.StringIO(result.stdout.decode("utf-8"), newline=""))
        self.assertEqual(reader.fieldnames, KEYS)
        self.assertEqual(list(reader), as_json)

    def test_json_lines_of_runs_concatenate(self):
        drawings = sorted(os.path.join(root, name) for root, _, names in os.walk(self.dir)
                          for name in names if name.lower().endswith(".dxf"))
        whole = run("list", "--json", *drawings, env=self.env()).stdout
        parts = b"".join(run("list", "--json", *drawings[i::2], env=self.env()).stdout
                         for i in range(2))
        self.assertEqual(sorted(parts.splitlines()), sorted(whole.splitlines()))
        for line in parts.splitlines():
            json.loads(line)

    def test_table_for_people_in_either_language(self):
        for language, heading, summary in [("en", "Address", "4 hyperlinks; drawings read: 1."),
                                           ("zh", "地址", "4 个超链接；已读取的图形：1 个。")]:
            result = run("list", self.path("good"), env=self.env(TZAD_LANG=language))
            lines = result.stdout.decode("utf-8").splitlines()
            self.assertIn(heading, lines[0])
            self.assertEqual(len(lines), 1 + 4 + 1)
            self.assertEqual(lines[-1], summary)

    def test_aligned_columns_with_chinese_text(self):
        mixed = self.path("mixed")
        ezdxf_drawing(os.path.join(mixed, "中文.dxf"),
                      [("图纸\\总图.pdf", "总图", ""), ("x.pdf", "plain", "")])
        result = run("list", os.path.join(mixed, "中文.dxf"), os.path.join(mixed, "a.dxf"),
                     env=self.env())
        lines = result.stdout.decode("utf-8").splitlines()[:-1]
        header = lines[0]
        column = display_width(header[:header.index("Address")])
        for line in lines[1:]:
            address = line.split()[2]
            self.assertEqual(display_width(line[:line.index(address)]), column, line)

    def test_a_file_name_that_is_no_text(self):
        name = os.path.join(os.fsencode(self.path("mixed")), b"\xff.dxf")
        shutil.copy(SAMPLE, name)
        result = run("list", "--json", name, env=self.env())
        self.assertEqual(result.returncode, 0)
        rows = json_rows(result)
        self.assertTrue(rows[0]["file"].endswith("\ufffd.dxf"))


class Checking(Tree):
    def test_exit_status(self):
        unreadable = self.path("mixed", "sub", "binary.dxf")
        write(unreadable, b"AC1032\0\0\0\x01\x02")
        cases = [
            (["check", self.path("good")], 0),
            (["check", self.path("good"), self.path("mixed", "a.dxf")], 1),
            (["check", self.path("mixed")], 2),  # the binary drawing
            (["check", self.path("nowhere")], 2),
            (["list", self.path("mixed")], 2),
            ([], 2),
            (["inspect", self.path("good")], 2),
            (["check"], 2),
            (["list", "--web", self.path("good")], 2),
            (["check", "--timeout", "soon", self.path("good")], 2),
            (["replace", "old", self.path("good")], 2),
            (["replace", "", "new", self.path("good")], 2),
            (["list", "--json", "--csv", self.path("good")], 2),
        ]
        for args, status in cases:
            with self.subTest(args=args):
                self.assertEqual(run(*args, env=self.env()).returncode, status)
        result = run("check", "--json", self.path("mixed"), env=self.env())
        self.assertIn(b"binary.dxf", result.stderr)
        # What could be read is reported still.
        self.assertIn("missing-file", {r["status"] for r in json_rows(result)})

    def test_what_is_wrong_with_each_link(self):
        result = run("check", "--json", self.path("mixed"), env=self.env())
        found = {(os.path.basename(r["file"]), r["address"], r["location"]): r["status"]
                 for r in json_rows(result)}
        self.assertEqual(found[("a.dxf", "docs\\missing.pdf", "")], "missing-file")
        self.assertEqual(found[("a.dxf", "mailto:someone@example.com", "")], "ok")
        self.assertEqual(found[("a.dxf", "../good/plan.dxf", "Garage,Details")], "ok")
        self.assertEqual(found[("a.dxf", "../good/plan.dxf", "Nowhere")], "missing-location")
        self.assertEqual(found[("a.dxf", "http://example.invalid/page", "")], "not-checked")
        self.assertEqual(found[("old.dxf", "mailto:someone", "")], "bad-email")
        details = {r["address"]: r["detail"] for r in json_rows(result)}
        self.assertIn(self.path("mixed", "docs", "missing.pdf"), details["docs\\missing.pdf"])
        self.assertIn(b"5 of 8 hyperlinks are broken.", result.stderr)
        self.assertIn(b"1 web address was not looked up", result.stderr)

    def test_table_shows_what_is_broken(self):
        result = run("check", self.path("mixed", "a.dxf"), env=self.env())
        lines = result.stdout.decode("utf-8").splitlines()
        self.assertEqual(len(lines), 1 + 2 + 2)  # headings, two broken links, the summary
        self.assertIn("Missing file", lines[1] + lines[2])
        self.assertIn("../good/plan.dxf#Nowhere", lines[1] + lines[2])
        self.assertEqual(lines[3:], ["2 of 5 hyperlinks are broken.",
                                     "1 web address was not looked up; --web looks it up."])

    def test_web_addresses_when_asked_through_the_proxy_named(self):
        log = self.path("requests.log")
        server = subprocess.Popen([sys.executable, "-u", os.path.join(HERE, "web_fixture.py"), log],
                                  stdout=subprocess.PIPE)
        self.addCleanup(server.stdout.close)
        self.addCleanup(server.wait)
        self.addCleanup(server.kill)
        port = int(server.stdout.readline().split()[1])
        base = f"http://127.0.0.1:{port}"
        drawing = self.path("web.dxf")
        ezdxf_drawing(drawing, [(f"{base}/ok", "", ""), (f"{base}/missing", "", ""),
                                (f"{base}/silent", "", ""), (f"{base}/ok", "twice", ""),
                                ("http://plans.invalid/ok", "through the proxy", "")])
        env = self.env(http_proxy=base, no_proxy="127.0.0.1")
        started = time.monotonic()
        result = run("check", "--json", "--web", "--timeout", "1", drawing, env=env)
        self.assertLess(time.monotonic() - started, 20)
        self.assertEqual(result.returncode, 1)
        self.assertEqual([r["status"] for r in json_rows(result)],
                         ["ok", "http-404", "timeout", "ok", "ok"])
        requests = read(log).decode().splitlines()
        self.assertEqual(requests.count("HEAD /ok"), 1)
        self.assertIn("PROXY HEAD /ok", requests)


class Replacing(Tree):
    def test_dry_run_writes_nothing(self):
        before = snapshot(self.dir)
        result = run("replace", "--dry-run", "docs", "documents", self.path("good"),
                     self.path("mixed"), env=self.env())
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(snapshot(self.dir), before)
        lines = result.stdout.decode("utf-8").splitlines()
        self.assertIn("documents\\missing.pdf", result.stdout.decode("utf-8"))
        self.assertEqual(lines[-1],
                         "3 hyperlinks would change; drawings they are in: 3. Nothing was written.")
        rows = [json.loads(line) for line in run(
            "replace", "--dry-run", "--json", "docs", "documents", self.path("good"),
            env=self.env()).stdout.splitlines()]
        self.assertEqual([(r["address"], r["new_address"]) for r in rows],
                         [("docs/house-details.pdf", "documents/house-details.pdf")])

    def test_saved_as_save_does_and_read_back_by_ezdxf(self):
        drawing = self.path("mixed", "a.dxf")
        old = read(drawing)
        result = run("replace", "--prefix", "DOCS\\", "/mnt/projects/docs/", drawing,
                     env=self.env())
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(read(self.path("mixed", "a.bak")), old)
        doc = ezdxf.readfile(drawing)
        links = [e.get_hyperlink() for e in doc.modelspace()]
        self.assertEqual(links[0], ("/mnt/projects/docs/missing.pdf", "Missing", ""))
        self.assertEqual(links[1], ("mailto:someone@example.com", "Mail", ""))
        self.assertIn(b"1 hyperlink changed; drawings saved: 1.", result.stdout)
        # Case matters when asked; only what changed is saved, and without a backup when the
        # user's ISAVEBAK is 0.
        os.makedirs(os.path.join(self.config, "tzad"), exist_ok=True)
        write(os.path.join(self.config, "tzad", "settings"), "ISAVEBAK=0\n")
        os.remove(self.path("mixed", "a.bak"))
        untouched = snapshot(self.path("good"))
        result = run("replace", "--match-case", "--locations", "garage", "Shed", drawing,
                     self.path("good"), env=self.env())
        self.assertIn(b"0 hyperlinks changed; drawings saved: 0.", result.stdout)
        result = run("replace", "--locations", "garage,", "Shed,", drawing, self.path("good"),
                     env=self.env())
        self.assertIn(b"2 hyperlinks changed; drawings saved: 2.", result.stdout)
        self.assertFalse(os.path.exists(self.path("mixed", "a.bak")))
        self.assertFalse(os.path.exists(self.path("good", "plan.bak")))
        self.assertNotEqual(snapshot(self.path("good")), untouched)
        locations = [e.get_hyperlink()[2] for e in ezdxf.readfile(drawing).modelspace()]
        self.assertEqual(locations[2], "Shed,Details")

    def test_a_read_only_drawing_is_left_and_named(self):
        drawing = self.path("mixed", "a.dxf")
        os.chmod(drawing, 0o444)
        before = read(drawing)
        result = run("replace", "docs", "documents", drawing, env=self.env())
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"read-only", result.stderr)
        self.assertEqual(read(drawing), before)


class Usage(unittest.TestCase):
    def test_help_and_version(self):
        result = run("--help")
        self.assertEqual(result.returncode, 0)
        for word in [b"list", b"check", b"replace", b"--json", b"--csv", b"--dry-run",
                     b"Exit status"]:
            self.assertIn(word, result.stdout)
        self.assertRegex(run("--version").stdout.decode(), r"^tzlinks \d+\.\d+\.\d+ ")


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=2)
