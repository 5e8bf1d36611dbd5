"""The PDFs the session wrote, as poppler's tools read them."""
import os
import subprocess
import sys

folder = sys.argv[1]


def pdfinfo(*args):
    return subprocess.run(["pdfinfo", *args], capture_output=True, text=True, check=True).stdout


def listed(output):
    """The rows under pdfinfo's heading, split into words."""
    return [line.split() for line in output.splitlines()[1:]]


plan, sheet = os.path.join(folder, "plan.pdf"), os.path.join(folder, "sheet.pdf")
assert "Pages:           3" in pdfinfo(plan), pdfinfo(plan)
sizes = [line.split(":", 1)[1].strip() for line in pdfinfo("-f", "1", "-l", "3", plan).splitlines()
         if line.startswith("Page ") and " size:" in line]
assert sizes == ["1190.55 x 841.89 pts (A3)"] * 3, sizes
urls = sorted((int(row[0]), row[2]) for row in listed(pdfinfo("-url", plan)))
expected = sorted((page, url) for page in (1, 2) for url in (
    "docs/house-details.pdf", "https://www.openstreetmap.org/", "mailto:architect@example.com"))
assert urls == expected, urls
dests = [(int(row[0]), row[-1]) for row in listed(pdfinfo("-dests", plan))]
assert dests == [(1, '"Model"'), (2, '"Sheet"'), (3, '"Details"')], dests
text = subprocess.run(["pdftotext", plan, "-"], capture_output=True, text=True).stdout
assert "SITE PLAN 1:500" in text and "Sheet 1" in text, text

assert "Pages:           1" in pdfinfo(sheet)
assert [row[-1] for row in listed(pdfinfo("-dests", sheet))] == ['"Sheet"']
