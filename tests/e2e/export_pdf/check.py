"""The PDFs the session wrote, as poppler's tools read them (tests/view holds the closer look)."""
import os
import subprocess
import sys


def pdfinfo(*args):
    return subprocess.run(["pdfinfo", *args], capture_output=True, text=True, check=True).stdout


plan, sheet = (os.path.join(sys.argv[1], name) for name in ("plan.pdf", "sheet.pdf"))
assert "Pages:           3" in pdfinfo(plan), pdfinfo(plan)
dests = [line.split()[-1] for line in pdfinfo("-dests", plan).splitlines()[1:]]
assert dests == ['"Model"', '"Sheet"', '"Details"'], dests
urls = [line.split()[-1] for line in pdfinfo("-url", plan).splitlines()[1:]]
assert urls.count("docs/house-details.pdf") == 2, urls
assert "SITE PLAN 1:500" in subprocess.run(["pdftotext", plan, "-"], capture_output=True,
                                           text=True).stdout
assert "Pages:           1" in pdfinfo(sheet)
